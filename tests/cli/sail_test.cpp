#include <gtest/gtest.h>

#include <algorithm>

#include "support/run_program.h"

namespace {

ProgramResult Keelmark(const std::vector<std::string>& args) { return RunProgram(KEELMARK_CLI_PATH, args); }

} // namespace

TEST(CliSail, GreatCircleAndRhumbLine) {
    ProgramResult r = Keelmark({"sail", "0", "0", "1", "0"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\n  \"distance\": 60.0000000000106,\n  \"course\": 0\n}\n");
    EXPECT_EQ(r.err, "");

    r = Keelmark({"sail", "50", "-10", "50", "-20", "--rhumb"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"course\": 270"), std::string::npos) << r.out;

    // The option may stand anywhere; negative numbers are values, not options.
    r = Keelmark({"sail", "--rhumb", "-33.5", "18.4", "-34", "-58.4"});
    EXPECT_EQ(r.status, 0) << r.err;

    // Across the date line the short way: 2 degrees eastward on the equator.
    r = Keelmark({"sail", "0", "179", "0", "-179", "--rhumb"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"distance\": 120"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"course\": 89.99"), std::string::npos) << r.out;
}

TEST(CliSail, BadArgumentsAndExitStatuses) {
    // Out of range: the operation failed.
    ProgramResult r = Keelmark({"sail", "91", "0", "0", "0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "keelmark: latitude 91 is out of range (-90 to 90)\n");
    r = Keelmark({"sail", "0", "0", "0", "180.5"});
    EXPECT_EQ(r.status, 1);

    // Wrong usage.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"sail", "1", "2", "3"},
                                               {"sail", "1", "2", "3", "x"},
                                               {"sail", "1", "2", "3", "4", "--great"},
                                               {"sail", "1", "2", "3", "nan"},
                                               {"fly"},
                                               {}}) {
        r = Keelmark(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
    }
}
