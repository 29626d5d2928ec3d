// Saving under faults: a folder that is missing or is a file, a folder the
// user may not write to, a file size limit and a file system that fills up.
// Whatever the fault, every one of the program's files keeps its previous
// contents whole, no temporary file is left behind, and the user is told.
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <fstream>

#include "robustness/fault_support.h"

using namespace fault;

namespace {

constexpr std::size_t kSmallText = 10;
constexpr std::size_t kBigText = 300 * 1024; // past every limit the tests set

// Sets a fault up on the folder: "" when it is in place, else why not ("skip: ..." to skip the test).
using SetUp = std::function<std::string(const fs::path& folder)>;

// In a child: `first` set up, a small file of every kind saved (the files the
// fault must not harm), `then` set up, and every kind saved big over them.
// Each big save must fail with `err`, told, and leave the small file whole.
void SaveEveryKindUnder(const SetUp& first, const SetUp& then, int err) {
    CScratchDir dir, side;
    const std::optional<std::string> result = RunInChild([&] {
        std::string text, why = first(dir.path);
        for (int kind = 0; kind < 6 && why.empty(); ++kind)
            if (!SaveAs(kind, dir / kFiles[kind].name, kSmallText, side.path).saved)
                text += std::string(kFiles[kind].name) + " not saved first\n";
        if (why.empty()) why = then(dir.path);
        if (!why.empty()) return why;
        for (int kind = 0; kind < 6; ++kind) {
            const std::string path = dir / kFiles[kind].name, before = Bytes(path);
            text += std::string(kFiles[kind].name) + ": " +
                    Told(kind, SaveAs(kind, path, kBigText, side.path), path, err) +
                    (Bytes(path) == before ? " whole" : " changed") + (LoadsCleanly(path) ? " loads\n" : " damaged\n");
        }
        for (const std::string& name : dir.Names())
            text += name + " ";
        return text;
    });
    ASSERT_TRUE(result) << "the saving child crashed";
    if (result->rfind("skip: ", 0) == 0) GTEST_SKIP() << *result;
    std::string expected;
    for (const FileInfo& file : kFiles)
        expected += std::string(file.name) + ": told whole loads\n";
    EXPECT_EQ(*result, expected + "almanac.dat hurricane.dat port.k7p report.k7r vessel.k7s voyage.k7v ");
}

std::string None(const fs::path&) { return ""; }

} // namespace

TEST(SaveFaults, MissingFolderOrAFileInPlaceOfTheFolderIsReportedAndCreatesNothing) {
    CScratchDir dir, side;
    std::ofstream(dir / "notes.txt") << "not a folder";
    for (const auto& [folder, err] : {std::pair<std::string, int>{"missing/", ENOENT}, {"notes.txt/", ENOTDIR}})
        for (int kind = 0; kind < 6; ++kind) {
            const std::string path = dir / (folder + kFiles[kind].name);
            EXPECT_EQ(Told(kind, SaveAs(kind, path, kSmallText, side.path), path, err), "told") << path;
        }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(Bytes(dir / "notes.txt"), "not a folder");
}

TEST(SaveFaults, FolderWithoutWritePermissionKeepsEveryPreviousFile) {
    SaveEveryKindUnder(
        None,
        [](const fs::path& folder) {
            fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            // Root writes anywhere: the child saves as an ordinary user instead.
            if (::geteuid() != 0) return std::string();
            const passwd* nobody = ::getpwnam("nobody");
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody ? nobody->pw_gid : 65534) != 0 ||
                ::setuid(nobody ? nobody->pw_uid : 65534) != 0)
                return std::string("cannot become an ordinary user: ") + std::strerror(errno);
            return std::string();
        },
        EACCES);
}

TEST(SaveFaults, FileSizeLimitMidSaveKeepsEveryPreviousFile) {
    // The limit makes a write fail (EFBIG) once the file would pass it, the
    // way a full disk fails a write part way through a save.
    SaveEveryKindUnder(
        None,
        [](const fs::path&) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64 * 1024, 64 * 1024};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? std::string()
                                                          : std::string("setrlimit: ") + std::strerror(errno);
        },
        EFBIG);
}

TEST(SaveFaults, FullFileSystemKeepsEveryPreviousFile) {
    // A 128 KiB file system of the child's own, in a mount namespace that goes
    // with it: nothing to clean up whatever happens.
    SaveEveryKindUnder(
        [](const fs::path& folder) {
            if (::unshare(CLONE_NEWNS) != 0) {
                const uid_t uid = ::geteuid();
                const gid_t gid = ::getegid();
                if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                    return std::string("skip: no mount namespace here: ") + std::strerror(errno);
                std::ofstream("/proc/self/setgroups") << "deny";
                std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
                std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
            }
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("keelmark-full", folder.c_str(), "tmpfs", 0, "size=128k") != 0)
                return std::string("skip: cannot mount a small file system: ") + std::strerror(errno);
            return std::string();
        },
        None, ENOSPC);
}
