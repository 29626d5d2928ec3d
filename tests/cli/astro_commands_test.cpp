#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/scratch_dir.h"

namespace {
ProgramResult Keelmark(const std::vector<std::string>& args) { return RunProgram(KEELMARK_CLI_PATH, args); }
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
} // namespace

TEST(CliAstro, AlmanacBuildThenAlmanacAndSightFromTheFile) {
    CScratchDir dir;
    ProgramResult r = Keelmark({"almanac-build", "--epoch", "2027.45", dir / "sky.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Keelmark({"almanac", "--file", dir / "sky.dat", "--at", "2000-01-01T12:00:00Z"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The Sun at d = 1.5: right ascension -78.71, declination -23.03, GHA 359.17.
    EXPECT_TRUE(Has(r.out, "[\n  {\n    \"name\": \"Sun\",\n    \"kind\": 0,\n    \"rightAscension\": -78.70"))
        << r.out.substr(0, 200);
    EXPECT_TRUE(Has(r.out, "\"declination\": -23.03") && Has(r.out, "\"gha\": 359.17"));
    EXPECT_TRUE(Has(r.out, "\"name\": \"Polaris\",\n    \"kind\": 3"));
    // The default is the shipped almanac: the same 64 objects.
    EXPECT_EQ(Keelmark({"almanac"}).out.size() / 100, r.out.size() / 100);

    r = Keelmark({"sight", "--object", "Sirius", "--at", "2027-01-10T03:00:00Z", "--lat", "50", "--lon", "-20",
                  "--sextant", "20", "--eye", "16", "--file", dir / "sky.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "\"hc\": ") && Has(r.out, "\"azimuth\": ") && Has(r.out, "\"intercept\": ")) << r.out;

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"sight", "--object", "Vulcan", "--at", "2027-01-10T03:00:00Z", "--lat",
                                                "0", "--lon", "0", "--sextant", "1"},
                                               {"sight", "--object", "Sun", "--at", "2027-01-10T03:00:00Z", "--lat",
                                                "0", "--lon", "0", "--sextant", "91"},
                                               {"almanac", "--file", dir / "missing.dat"}}) {
        r = Keelmark(bad);
        EXPECT_EQ(r.status, 1) << bad[1];
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(Keelmark({"sight", "--object", "Sun", "--lat", "0"}).status, 2);
    EXPECT_EQ(Keelmark({"almanac-build", dir / "x.dat"}).status, 2);
}

TEST(CliAstro, TimesOfTheSun) {
    ProgramResult r = Keelmark({"times", "--lat", "0", "--lon", "0", "--at", "2026-03-20T12:00:00Z"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "\"transit\": 12.1")) << r.out;
    // Midsummer at 70 N: the Sun never sets, said apart from the 99 of a Sun that never rises.
    r = Keelmark({"times", "--lat", "70", "--lon", "0", "--at", "2026-06-21T12:00:00Z"});
    EXPECT_TRUE(Has(r.out, "\"rise\": \"always above\"")) << r.out;
    r = Keelmark({"times", "--lat", "70", "--lon", "0", "--at", "2026-12-21T12:00:00Z"});
    EXPECT_TRUE(Has(r.out, "\"rise\": 99,")) << r.out;
    r = Keelmark({"times", "--lat", "95", "--lon", "0", "--at", "2026-12-21T12:00:00Z"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "keelmark: --lat 95 is out of range (-90 to 90)\n");
}
