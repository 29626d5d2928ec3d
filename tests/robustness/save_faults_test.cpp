// Saving under faults: a folder that is missing or is a file, and a write that
// fails part way (a file size limit fails it the way a full disk does).
// Whatever the fault, every one of the program's files keeps its previous
// contents whole, no temporary file is left behind, and the user is told.
#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <fstream>

#include "robustness/fault_support.h"

using namespace fault;

namespace {

constexpr std::size_t kSmallText = 10;
constexpr std::size_t kBigText = 300 * 1024; // past every limit the tests set

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

TEST(SaveFaults, FileSizeLimitMidSaveKeepsEveryPreviousFile) {
    // In a child: a small file of every kind saved, then the limit set (a write
    // past it fails with EFBIG) and every kind saved big over them. Each big save
    // must fail, told, and leave the small file whole.
    CScratchDir dir, side;
    const std::optional<std::string> result = RunInChild([&] {
        std::string text;
        for (int kind = 0; kind < 6; ++kind)
            if (!SaveAs(kind, dir / kFiles[kind].name, kSmallText, side.path).saved)
                text += std::string(kFiles[kind].name) + " not saved first\n";
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("setrlimit: ") + std::strerror(errno);
        for (int kind = 0; kind < 6; ++kind) {
            const std::string path = dir / kFiles[kind].name, before = Bytes(path);
            text += std::string(kFiles[kind].name) + ": " +
                    Told(kind, SaveAs(kind, path, kBigText, side.path), path, EFBIG) +
                    (Bytes(path) == before ? " whole" : " changed") + (LoadsCleanly(path) ? " loads\n" : " damaged\n");
        }
        for (const std::string& name : dir.Names())
            text += name + " ";
        return text;
    });
    ASSERT_TRUE(result) << "the saving child crashed";
    std::string expected;
    for (const FileInfo& file : kFiles)
        expected += std::string(file.name) + ": told whole loads\n";
    EXPECT_EQ(*result, expected + "almanac.dat hurricane.dat port.k7p report.k7r vessel.k7s voyage.k7v ");
}
