#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/record_file.h"
#include "core/voyage.h"
#include "support/scratch_dir.h"
#include "platform/fake/fake_services.h"

namespace fs = std::filesystem;

namespace {

using TempDir = CScratchDir;


} // namespace

TEST(FileIo, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.bin", "first", error)) << error;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.bin", "second", error)) << error;
    EXPECT_EQ(Slurp(dir / "a.bin"), "second");
    EXPECT_EQ(dir.Entries(), 1u);
    // Old-style separators are accepted.
    ASSERT_TRUE(WriteFileAtomic(dir.path.string() + "\\b.bin", "x", error)) << error;
    EXPECT_EQ(Slurp(dir / "b.bin"), "x");
}

TEST(FileIo, FailuresNameTheFileAndKeepTheOldOne) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(dir / "missing/a.bin", "x", error));
    EXPECT_NE(error.find("missing/a.bin"), std::string::npos) << error;

    std::string bytes;
    EXPECT_FALSE(ReadWholeFile(dir / "none.k7v", bytes, error));
    EXPECT_NE(error.find("none.k7v"), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(dir.path.string(), bytes, error)) << "a folder is not a file";

    if (::geteuid() != 0) { // root writes anywhere
        ASSERT_TRUE(WriteFileAtomic(dir / "keep.bin", "old", error));
        fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteFileAtomic(dir / "keep.bin", "new", error));
        fs::permissions(dir.path, fs::perms::owner_all);
        EXPECT_EQ(Slurp(dir / "keep.bin"), "old");
    }
}

TEST(FileIo, RecordFilesLoadWholeOrNotAtAll) {
    CFakeServices fake;
    TempDir dir;
    CVoyage voyage;
    voyage.SetTexts("North Sea", "", "");
    std::string error;
    ASSERT_TRUE(SaveRecordFile(dir / "route.bin", voyage, error)) << error;
    const std::string good = Slurp(dir / "route.bin");
    EXPECT_EQ(good, StoreToBytes(voyage));

    CVoyage loaded;
    ASSERT_EQ(LoadRecordFile(dir / "route.bin", loaded, error), LoadResult::Loaded) << error;
    EXPECT_EQ(loaded.GetDescription(), "North Sea");

    ASSERT_TRUE(WriteFileAtomic(dir / "cut.bin", good.substr(0, good.size() - 3), error));
    CVoyage fresh;
    EXPECT_EQ(LoadRecordFile(dir / "cut.bin", fresh, error), LoadResult::Damaged);
    EXPECT_NE(error.find("cut.bin"), std::string::npos) << error;
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;

    ASSERT_TRUE(WriteFileAtomic(dir / "long.bin", good + "xx", error));
    EXPECT_EQ(LoadRecordFile(dir / "long.bin", fresh, error), LoadResult::Damaged);
    EXPECT_NE(error.find("2 unexpected bytes"), std::string::npos) << error;
}

TEST(FileIo, SaveThatCannotBeStoredKeepsThePreviousFile) {
    CFakeServices fake;
    TempDir dir;
    CVoyage voyage;
    std::string error;
    ASSERT_TRUE(SaveRecordFile(dir / "route.bin", voyage, error));
    const std::string before = Slurp(dir / "route.bin");
    voyage.GetLast()->SetTime(CTime(0x100000000LL)); // beyond what the file holds
    voyage.SetTexts(std::string(200000, 'x'), "", "");  // big enough to stream part of it first
    EXPECT_FALSE(SaveRecordFile(dir / "route.bin", voyage, error));
    EXPECT_NE(error.find("time"), std::string::npos) << error;
    EXPECT_EQ(Slurp(dir / "route.bin"), before);
    EXPECT_EQ(dir.Entries(), 1u);
}
