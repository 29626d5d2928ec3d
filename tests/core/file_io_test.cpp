#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/record_file.h"
#include "core/voyage.h"
#include "support/scratch_dir.h"

TEST(FileIo, AtomicWritesReplaceWholeOrKeepTheOldFile) {
    CScratchDir dir;
    std::string error, bytes;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.bin", "first", error)) << error;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.bin", "second", error)) << error;
    EXPECT_EQ(Slurp(dir / "a.bin"), "second");
    EXPECT_EQ(dir.Names().size(), 1u) << "no temporary file is left";
    ASSERT_TRUE(WriteFileAtomic(dir.path.string() + "\\b.bin", "x", error)) << "old-style separators";
    EXPECT_EQ(Slurp(dir / "b.bin"), "x");

    EXPECT_FALSE(WriteFileAtomic(dir / "missing/a.bin", "x", error));
    EXPECT_NE(error.find("missing/a.bin"), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(dir / "none.k7v", bytes, error));
    EXPECT_NE(error.find("none.k7v"), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(dir.path.string(), bytes, error)) << "a folder is not a file";
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
