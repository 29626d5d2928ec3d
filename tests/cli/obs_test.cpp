#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/test_host.h"
#include "weather/meteo_obs.h"

namespace {

ProgramResult Keelmark(const std::vector<std::string>& args) { return RunProgram(KEELMARK_CLI_PATH, args); }

} // namespace

TEST(CliObs, PrintsTheCodedMessageOfTheVoyagesObservation) {
    const CTime now = CTime::FromUtc(2026, 12, 6, 12, 0, 0);
    CTestHost host{now};
    host.KeepSideFilesHere(false);
    auto doc = host.NewVoyage();
    MakeChannelCrossing(*doc, now);
    // The ship at the fix, made good 6 knots south from the departure: 222 4 2.
    doc->AddPositionFix("GPS Fix", now - 3600, 49.9, 0.0);
    doc->GetVessel().m_callSign = "PDHW";
    CMeteoObs& o = doc->GetMeteoObs();
    o.m_windMethod = CMeteoObs::kAnemometerCorrected, o.m_windDirection = 270, o.m_windSpeed = 12.5;
    o.m_totalCloudCover = 75, o.m_lowCloudType = 5, o.m_lowCloudCover = 50;
    o.m_middleCloudType = 3, o.m_highCloudType = 1, o.m_averageCloudHeight = 800;
    o.m_dryTemperature = 17.6, o.m_barometer = 1013.2, o.m_pressureTendency = 4, o.m_pressureChange = 1.2;
    o.m_seaTemperature = 18.2, o.m_waveHeight = 1.5, o.m_wavePeriod = 5;
    o.m_swell1Direction = 270, o.m_swell1Height = 2, o.m_swell1Period = 8;
    std::string error;
    ASSERT_TRUE(doc->SaveVoyageFile(host.Path("v.k7v"), error)) << error;

    ProgramResult r =
        Keelmark({"obs", host.Path("v.k7v"), "--at", "2026-12-06T11:00:00Z", "--vessel", host.Path("vessel.k7s")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\n  \"message\": \"BBXX PDHW 06114 99499 10000 425// 62713 10176 20150 40132 52012 84531 "
                     "22242 00182 20503 327// 40804=\"\n}\n");

    EXPECT_EQ(Keelmark({"obs"}).status, 2);
    EXPECT_EQ(Keelmark({"obs", host.Path("v.k7v"), "--at", "noon"}).status, 2);
    EXPECT_EQ(Keelmark({"obs", host.Path("none.k7v")}).status, 1);
}
