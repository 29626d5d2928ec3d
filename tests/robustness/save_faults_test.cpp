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

#include <cstring>
#include <fstream>

#include "robustness/fault_support.h"

using namespace fault;

namespace {

constexpr std::size_t kSmallText = 10;
constexpr std::size_t kBigText = 300 * 1024; // past every limit the tests set

void ExpectTold(FileKind kind, const SaveOutcome& outcome, const std::string& path, int err) {
    SCOPED_TRACE(FileName(kind));
    EXPECT_FALSE(outcome.saved);
    if (const char* fixed = FixedMessage(kind)) {
        EXPECT_EQ(outcome.told, fixed);
    } else {
        EXPECT_NE(outcome.told.find(path), std::string::npos) << outcome.told;
        EXPECT_NE(outcome.told.find(std::strerror(err)), std::string::npos) << outcome.told;
    }
}

// Sets a fault up on the folder: "" when it is in place, else why not ("skip: ..." to skip the test).
using SetUp = std::function<std::string(const fs::path& folder)>;

// In a child: `first` set up, a small file of every kind saved (the files the
// fault must not harm), `then` set up, and every kind saved big over them.
// Each big save must fail with `err`, told, and leave the small file whole.
void SaveEveryKindUnder(const SetUp& first, const SetUp& then, int err) {
    CScratch dir, side;
    Records records;
    ASSERT_TRUE(RunInChild(
        [&] {
            std::string text, why = first(dir.path);
            for (FileKind kind : kAllFiles) {
                if (!why.empty()) break;
                const std::string path = dir / FileName(kind);
                const SaveOutcome small = SaveAs(kind, path, kSmallText, side.path);
                text += Pack({small.saved ? "saved" : "failed", small.told, Bytes(path)});
            }
            if (why.empty()) why = then(dir.path);
            if (!why.empty()) return Pack({"fault not set up", why});
            for (std::size_t i = 0; i < std::size(kAllFiles); ++i) {
                const std::string path = dir / FileName(kAllFiles[i]), before = Bytes(path);
                const SaveOutcome big = SaveAs(kAllFiles[i], path, kBigText, side.path);
                text += Pack({big.saved ? "saved" : "failed", big.told, Bytes(path) == before ? "whole" : "changed",
                              LoadsCleanly(path) ? "loads" : "damaged"});
            }
            std::string names;
            for (const std::string& name : NamesIn(dir.path))
                names += name + " ";
            return text + Pack({names});
        },
        records))
        << "the saving child crashed";
    ASSERT_FALSE(records.empty());
    if (records[0][0] == "fault not set up" && records[0][1].rfind("skip: ", 0) == 0) GTEST_SKIP() << records[0][1];
    ASSERT_EQ(records.size(), 2 * std::size(kAllFiles) + 1) << records[0][0] << ": " << records[0].back();
    for (std::size_t i = 0; i < std::size(kAllFiles); ++i) {
        const auto& small = records[i];
        const auto& big = records[i + std::size(kAllFiles)];
        ASSERT_EQ(small.size() + big.size(), 7u);
        EXPECT_EQ(small[0], "saved") << FileName(kAllFiles[i]) << ": " << small[1];
        ExpectTold(kAllFiles[i], {big[0] == "saved", big[1]}, dir / FileName(kAllFiles[i]), err);
        EXPECT_EQ(big[2] + " " + big[3], "whole loads") << FileName(kAllFiles[i]);
    }
    EXPECT_EQ(records.back()[0], "almanac.dat hurricane.dat port.k7p report.k7r vessel.k7s voyage.k7v ")
        << "a temporary file was left behind";
}

std::string None(const fs::path&) { return ""; }

} // namespace

TEST(SaveFaults, MissingFolderOrAFileInPlaceOfTheFolderIsReportedAndCreatesNothing) {
    CScratch dir, side;
    std::ofstream(dir / "notes.txt") << "not a folder";
    for (const auto& [folder, err] : {std::pair<std::string, int>{"missing/", ENOENT}, {"notes.txt/", ENOTDIR}})
        for (FileKind kind : kAllFiles) {
            const std::string path = dir / (folder + FileName(kind));
            ExpectTold(kind, SaveAs(kind, path, kSmallText, side.path), path, err);
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
