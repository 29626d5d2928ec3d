#include "core/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/record_file.h"
#include "core/voyage.h"
#include "support/scratch_dir.h"

TEST(FileIo, AtomicWritesReplaceWholeOrKeepTheOldFile) {
    CScratchDir dir;
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.bin", "first", error)) << error;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.bin", "second", error)) << error;
    EXPECT_EQ(Slurp(dir / "a.bin"), "second");
    EXPECT_EQ(dir.Names().size(), 1u) << "no temporary file is left";
    ASSERT_TRUE(WriteFileAtomic(dir.path.string() + "\\b.bin", "x", error)) << "old-style separators";
    EXPECT_EQ(Slurp(dir / "b.bin"), "x");
    // Missing folders and files, folders as files: the save faults' and the command-line tests'.
}

TEST(FileIo, RecordFilesLoadWholeOrNotAtAll) {
    CScratchDir dir;
    CVoyage voyage;
    voyage.SetTexts("North Sea", "", "");
    std::string error;
    ASSERT_TRUE(SaveRecordFile(dir / "route.bin", voyage, error)) << error;
    const std::string good = Slurp(dir / "route.bin");
    EXPECT_EQ(good, StoreToBytes(voyage));
    CVoyage loaded;
    ASSERT_EQ(LoadRecordFile(dir / "route.bin", loaded, error), LoadResult::Loaded) << error;
    EXPECT_EQ(loaded.GetDescription(), "North Sea");

    // A record that cannot be stored, found after part of it was streamed: the old file stays.
    voyage.GetLast()->SetTime(CTime(0x100000000LL));
    voyage.SetTexts(std::string(200000, 'x'), "", "");
    EXPECT_FALSE(SaveRecordFile(dir / "route.bin", voyage, error));
    EXPECT_NE(error.find("time"), std::string::npos) << error;
    EXPECT_EQ(Slurp(dir / "route.bin"), good);
    EXPECT_EQ(dir.Names().size(), 1u);
}

TEST(FileIo, StaleTemporariesAndDamagedCopies) {
    namespace fs = std::filesystem;
    CScratchDir dir;
    std::string error;
    // A save removes the stale temporaries of its own file only: not a young one,
    // not one still locked by its writer, nothing of another pattern. Start-up takes any name.
    for (const char* name : {".real.bin.Ab3xYz", ".real.bin.Young1", ".real.bin.Locked", ".real.bin.short",
                             ".other.k7v.Q1w2E3", "real.bin.Ab3xYz"}) {
        Put(dir / name, "t");
        if (std::string(name) != ".real.bin.Young1")
            fs::last_write_time(dir.path / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    const int writer = ::open((dir / ".real.bin.Locked").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    ASSERT_TRUE(WriteFileAtomic(dir / "real.bin", "new", error)) << error;
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{".other.k7v.Q1w2E3", ".real.bin.Locked", ".real.bin.Young1",
                                                     ".real.bin.short", "real.bin", "real.bin.Ab3xYz"}));
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.path.string()), 1) << "the other file's";
    ::close(writer);

    // Each different damage gets a copy of its own; the same one found again is kept once.
    fs::create_directory(dir.path / "line\nfeed");
    const std::string damaged = dir / "line\nfeed/v.k7s";
    for (const auto& [bytes, copy] :
         {std::pair<const char*, const char*>{"bad1", ".damaged"}, {"bad1", ".damaged"}, {"bad2", ".2.damaged"}}) {
        Put(damaged, bytes);
        EXPECT_EQ(KeepDamagedCopy(damaged), damaged + copy);
        EXPECT_EQ(Slurp(damaged + copy), bytes);
    }
    // A message naming that file stays on one line.
    CVoyage voyage;
    EXPECT_EQ(LoadRecordFile(damaged, voyage, error), LoadResult::Damaged);
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_NE(error.find("line\\nfeed/v.k7s"), std::string::npos) << error;
}
