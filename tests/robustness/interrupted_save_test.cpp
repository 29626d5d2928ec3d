// A save killed at a random moment: the process that writes a large voyage
// (and the vessel and cyclone files beside it) is killed with SIGKILL again and
// again, part way through its saves. Each time, every file is either the whole
// previous version or the whole new one, and loads cleanly; only the killed
// writer's own temporary files may be left.
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "robustness/fault_support.h"

using namespace fault;

namespace {

constexpr int kPositions = 10000; // a voyage of about 2 MB
constexpr int kKills = 12;

// Saves the voyage over and over, alternating two descriptions, and writes a
// byte to the pipe after each complete save. Never returns.
[[noreturn]] void SaveForever(CKeelmarkLiteDoc& doc, const std::string& path, int done) {
    for (unsigned round = 0;; ++round) {
        doc.GetVoyage().SetTexts(round % 2 ? "Odd passage" : "Even passage", "Liner", "042");
        doc.GetVessel().m_name = round % 2 ? "Odd vessel" : "Even vessel";
        std::string error;
        if (!doc.SaveVoyageFile(path, error)) ::_exit(3);
        if (::write(done, "s", 1) != 1) ::_exit(4);
    }
}

} // namespace

TEST(InterruptedSave, KilledWriterLeavesEveryFileOldOrNewAndWhole) {
    CScratchDir dir;
    CFakeServices fake;
    fake.settings.SetString(kSettingsSection, CVessel::kFileSetting, dir / "vessel.k7s");
    fake.settings.SetString(kSettingsSection, kHurricaneSettingKey, dir / "hurricane.dat");
    CKeelmarkLiteDoc doc;
    CPosition* last = doc.GetVoyage().GetFirst();
    for (int i = 1; i < kPositions - 1; ++i) {
        last = doc.GetVoyage().InsertWaypointAfter(last, *last, fake.clock.Now());
        last->SetName("Waypoint " + std::to_string(i));
    }
    doc.GetCyclones().AddNew()->SetName("Ophelia");
    const std::string voyagePath = dir / "voyage.k7v";

    // The versions a file may hold: the child's two, and the first, saved last here.
    std::set<std::string> versions[3]; // voyage, vessel, cyclones
    const std::string files[3] = {voyagePath, dir / "vessel.k7s", dir / "hurricane.dat"};
    for (const std::string version : {"Odd", "Even", "First"}) {
        doc.GetVoyage().SetTexts(version + " passage", "Liner", "042");
        doc.GetVessel().m_name = version + " vessel";
        std::string error;
        ASSERT_TRUE(doc.SaveVoyageFile(voyagePath, error)) << error;
        for (int f = 0; f < 3; ++f)
            versions[f].insert(Bytes(files[f]));
    }

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);
    int killedMidWrite = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            SaveForever(doc, voyagePath, fds[1]);
        }
        ::close(fds[1]);
        // Time one whole save, then kill at a random moment of a later one.
        char byte;
        ASSERT_EQ(::read(fds[0], &byte, 1), 1) << "the writer never finished a save";
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(::read(fds[0], &byte, 1), 1) << "the writer never finished a save";
        const auto oneSave = std::chrono::steady_clock::now() - start;
        std::this_thread::sleep_for(std::chrono::nanoseconds(std::uniform_int_distribution<long long>(
            0, std::chrono::duration_cast<std::chrono::nanoseconds>(oneSave).count())(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(fds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

        for (int f = 0; f < 3; ++f) {
            SCOPED_TRACE(files[f] + ", kill " + std::to_string(kill));
            EXPECT_TRUE(versions[f].count(Bytes(files[f]))) << "neither the previous nor the new file";
            EXPECT_TRUE(LoadsCleanly(files[f]));
        }
        // One writer holds one temporary file at a time.
        int temps = 0;
        for (const std::string& name : dir.Names())
            if (name[0] == '.') temps += fs::remove(dir.path / name);
        EXPECT_LE(temps, 1);
        killedMidWrite += temps;
    }
    // Most kills land while a file is being written; were none to, the test
    // would prove nothing.
    EXPECT_GT(killedMidWrite, 0);
}
