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

// Saves a small file of every kind into the folder: the files a fault must not harm.
std::vector<std::string> SavePreviousFiles(const CScratch& dir, const std::string& side) {
    std::vector<std::string> before;
    for (FileKind kind : kAllFiles) {
        const SaveOutcome outcome = SaveAs(kind, dir / FileName(kind), kSmallText, side);
        EXPECT_TRUE(outcome.saved) << FileName(kind) << ": " << outcome.told;
        before.push_back(Bytes(dir / FileName(kind)));
    }
    return before;
}

void ExpectPreviousFilesWhole(const CScratch& dir, const std::vector<std::string>& before) {
    for (std::size_t i = 0; i < std::size(kAllFiles); ++i) {
        const FileKind kind = kAllFiles[i];
        EXPECT_EQ(Bytes(dir / FileName(kind)), before[i]) << FileName(kind) << " changed";
        EXPECT_TRUE(LoadsCleanly(dir / FileName(kind))) << FileName(kind);
    }
    std::vector<std::string> expected;
    for (FileKind kind : kAllFiles)
        expected.push_back(FileName(kind));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected) << "a temporary file was left behind";
}

// Every kind saved big in a child under a fault the child sets up; the
// outcomes come back in kAllFiles order.
std::vector<SaveOutcome> SaveBigInChild(const CScratch& dir, const std::string& side,
                                        const std::function<std::string()>& setUpFault) {
    const ChildResult child = RunInChild([&] {
        const std::string refused = setUpFault();
        if (!refused.empty()) return Pack({"fault not set up", refused});
        std::string text;
        for (FileKind kind : kAllFiles) {
            const SaveOutcome outcome = SaveAs(kind, dir / FileName(kind), kBigText, side);
            text += Pack({outcome.saved ? "saved" : "failed", outcome.told});
        }
        return text;
    });
    std::vector<SaveOutcome> outcomes;
    EXPECT_TRUE(child.finished) << "the saving child crashed";
    for (const auto& record : Unpack(child.text)) {
        if (record.size() == 2 && record[0] == "fault not set up") ADD_FAILURE() << record[1];
        if (record.size() == 2) outcomes.push_back({record[0] == "saved", record[1]});
    }
    if (outcomes.size() != std::size(kAllFiles)) {
        ADD_FAILURE() << "the child reported " << outcomes.size() << " saves";
        outcomes.resize(std::size(kAllFiles));
    }
    return outcomes;
}

} // namespace

TEST(SaveFaults, MissingFolderOrAFileInPlaceOfTheFolderIsReportedAndCreatesNothing) {
    CScratch dir, side;
    for (FileKind kind : kAllFiles) {
        const std::string missing = dir / (std::string("missing/") + FileName(kind));
        ExpectTold(kind, SaveAs(kind, missing, kSmallText, side.path), missing, ENOENT);
    }
    EXPECT_TRUE(dir.Names().empty());

    std::ofstream(dir / "notes.txt") << "not a folder";
    for (FileKind kind : kAllFiles) {
        const std::string underFile = dir / (std::string("notes.txt/") + FileName(kind));
        ExpectTold(kind, SaveAs(kind, underFile, kSmallText, side.path), underFile, ENOTDIR);
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(Bytes(dir / "notes.txt"), "not a folder");
}

TEST(SaveFaults, FolderWithoutWritePermissionKeepsEveryPreviousFile) {
    CScratch dir, side;
    const std::vector<std::string> before = SavePreviousFiles(dir, side.path);
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Root writes anywhere: the child saves as an ordinary user instead.
    const std::vector<SaveOutcome> outcomes = SaveBigInChild(dir, side.path, [] {
        if (::geteuid() != 0) return std::string();
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            return std::string("cannot become an ordinary user: ") + std::strerror(errno);
        return std::string();
    });
    fs::permissions(dir.path, fs::perms::owner_write, fs::perm_options::add);
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        ExpectTold(kAllFiles[i], outcomes[i], dir / FileName(kAllFiles[i]), EACCES);
    ExpectPreviousFilesWhole(dir, before);
}

TEST(SaveFaults, FileSizeLimitMidSaveKeepsEveryPreviousFile) {
    CScratch dir, side;
    const std::vector<std::string> before = SavePreviousFiles(dir, side.path);
    // The limit makes a write fail (EFBIG) once the file would pass it, the
    // way a full disk fails a write part way through a save.
    const std::vector<SaveOutcome> outcomes = SaveBigInChild(dir, side.path, [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("setrlimit: ") + std::strerror(errno);
        return std::string();
    });
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        ExpectTold(kAllFiles[i], outcomes[i], dir / FileName(kAllFiles[i]), EFBIG);
    ExpectPreviousFilesWhole(dir, before);
}

TEST(SaveFaults, FullFileSystemKeepsEveryPreviousFile) {
    CScratch dir, side;
    // A 128 KiB file system of the child's own, in a mount namespace that goes
    // with it: nothing to clean up whatever happens.
    const ChildResult child = RunInChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0) {
            const uid_t uid = ::geteuid();
            const gid_t gid = ::getegid();
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return Pack({"skip", std::string("no mount namespace here: ") + std::strerror(errno)});
            std::ofstream("/proc/self/setgroups") << "deny";
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
            std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("keelmark-full", dir.path.c_str(), "tmpfs", 0, "size=128k") != 0)
            return Pack({"skip", std::string("cannot mount a small file system: ") + std::strerror(errno)});
        std::string text;
        for (FileKind kind : kAllFiles) {
            const std::string path = dir / FileName(kind);
            const SaveOutcome small = SaveAs(kind, path, kSmallText, side.path);
            const std::string before = Bytes(path);
            const SaveOutcome big = SaveAs(kind, path, kBigText, side.path);
            text += Pack({FileName(kind), small.saved ? "saved" : "failed", big.saved ? "saved" : "failed", big.told,
                          Bytes(path) == before ? "whole" : "changed", LoadsCleanly(path) ? "loads" : "damaged"});
        }
        std::string names;
        for (const std::string& name : CScratch::NamesIn(dir.path))
            names += name + " ";
        return text + Pack({"names", names});
    });
    ASSERT_TRUE(child.finished) << "the saving child crashed";
    const auto records = Unpack(child.text);
    ASSERT_FALSE(records.empty());
    if (records[0][0] == "skip") GTEST_SKIP() << records[0][1];
    ASSERT_EQ(records.size(), std::size(kAllFiles) + 1);
    for (std::size_t i = 0; i < std::size(kAllFiles); ++i) {
        const auto& r = records[i];
        ASSERT_EQ(r.size(), 6u);
        SCOPED_TRACE(r[0]);
        EXPECT_EQ(r[1], "saved") << "a small file fits";
        ExpectTold(kAllFiles[i], {r[2] == "saved", r[3]}, dir / FileName(kAllFiles[i]), ENOSPC);
        EXPECT_EQ(r[4], "whole");
        EXPECT_EQ(r[5], "loads");
    }
    EXPECT_EQ(records.back()[1], "almanac.dat hurricane.dat port.k7p report.k7r vessel.k7s voyage.k7v ")
        << "a temporary file was left behind";
}
