#include "weather/obs_message.h"

#include <filesystem>
#include <functional>

#include "support/model_test.h"
#include "support/scratch_dir.h"
#include "weather/meteo_obs.h"

using ObsMessage = ModelTest;

namespace {

// Observation A, worked by hand from the code tables into the message below.
CMeteoObs ObservationA() {
    CMeteoObs o;
    o.m_windMethod = CMeteoObs::kAnemometerRelative;                              // iw 4
    o.m_windDirection = 270, o.m_windSpeed = 12.5;                                // dd 27, ff 13
    o.m_totalCloudCover = 75, o.m_lowCloudType = 5, o.m_lowCloudCover = 50;       // N 6, Nh 4, CL 5
    o.m_middleCloudType = 3, o.m_highCloudType = 1, o.m_averageCloudHeight = 800; // CM 3, CH 1, h 5
    o.m_dryTemperature = 17.6, o.m_dewPoint = 15.0;
    o.m_barometer = 1013.2, o.m_pressureTendency = 4, o.m_pressureChange = 1.2; // a 2 "Increasing"
    o.m_presentWeatherWw = 2, o.m_pastWeatherW1 = 1;                            // nothing significant: ix 2
    o.m_seaTemperature = 18.2;                                                  // intake
    o.m_waveHeight = 1.5, o.m_wavePeriod = 5;
    o.m_swell1Direction = 270, o.m_swell1Height = 2, o.m_swell1Period = 8;
    return o;
}

CPosition At(double latitude, double longitude, double course, double speed) {
    CPosition p(latitude, longitude, CTime());
    p.SetCourse(course);
    p.SetSpeed(speed);
    return p;
}

const CTime kA = CTime::FromUtc(2026, 3, 5, 14, 20, 0);
const char* const kMessageA = "BBXX PDHW 05144 99519 10041 425// 62713 10176 20150 40132 52012 84531 "
                              "22253 00182 20503 327// 40804=";

} // namespace

TEST_F(ObsMessage, WholeMessagesWorkedByHand) {
    EXPECT_EQ(ObsMessageText(ObservationA(), At(51.93, 4.12, 225, 14), "PDHW", kA), kMessageA);

    // South and west; 23:40 on New Year's Eve is hour 00 of the 1st; a 100-knot wind;
    // overcast low cloud hides the layers above; significant weather, W1 the higher.
    CMeteoObs b;
    b.m_windMethod = CMeteoObs::kEstimated;
    b.m_windDirection = 355, b.m_windSpeed = 100;
    b.m_totalCloudCover = 100, b.m_lowCloudType = 7, b.m_lowCloudCover = 100, b.m_averageCloudHeight = 150;
    b.m_middleCloudType = 2, b.m_highCloudType = 4;
    b.m_dryTemperature = -2.5, b.m_dewPoint = -3.1, b.m_barometer = 987.64;
    b.m_pressureTendency = 0, b.m_pressureChange = -4.56; // a 7 "Decreasing"
    b.m_presentWeatherWw = 81, b.m_pastWeatherW1 = 2, b.m_pastWeatherW2 = 8;
    b.m_seaTemperature = -1.2, b.m_seaTemperatureMethod = CMeteoObs::kBucket;
    b.m_waveHeight = 6.2, b.m_wavePeriod = 9;
    b.m_swell2Direction = 5, b.m_swell2Height = 3, b.m_swell2Period = 12; // the only swell reports first
    EXPECT_EQ(ObsMessageText(b, At(-33.87, -151.21, 0, 0), "pd hw", CTime::FromUtc(2026, 12, 31, 23, 40, 0)),
              "BBXX PDHW 01003 99338 51512 412// 83699 00100 11025 21031 49876 57046 78182 887// "
              "22200 03012 20912 301// 41206=");

    // Calm, cloudless and steady at 0/0 in the first half hour of the 1st; a dew point
    // above the air temperature cannot be; no call sign.
    CMeteoObs c;
    c.m_windMethod = CMeteoObs::kAnemometerCorrected, c.m_windDirection = 180;
    c.m_dryTemperature = 25, c.m_dewPoint = 26, c.m_pressureTendency = 8, c.m_seaTemperature = 28;
    EXPECT_EQ(ObsMessageText(c, At(0, 0, 90, 12), "", CTime::FromUtc(2026, 7, 1, 0, 29, 59)),
              "BBXX SHIP 01004 99000 10000 429// 00000 10250 2//// 40000 54000 22223 00280 20000=");
}

TEST_F(ObsMessage, GroupsFollowTheCodeTablesAndConsistencyRules) {
    using Change = std::function<void(CMeteoObs&, CPosition&, CTime&)>;
    const std::tuple<Change, int, const char*> cases[] = {
        // Time: nearest hour; 23:29 on the 31st stays there; tenths of a degree cut.
        {[](CMeteoObs&, CPosition&, CTime& t) { t = CTime::FromUtc(2026, 1, 31, 23, 29, 0); }, 2, "31234"},
        {[](CMeteoObs&, CPosition& p, CTime&) { p.SetLatitude(-0.19), p.SetLongitude(179.99); }, 4, "31799"},
        {[](CMeteoObs&, CPosition& p, CTime&) { p.SetLatitude(2.3), p.SetLongitude(-0.04); }, 4, "10000"},
        {[](CMeteoObs&, CPosition& p, CTime&) { p.SetLatitude(10), p.SetLongitude(-20); }, 4, "70200"},
        // Wind: 4 degrees is north (36), 5 is 01; a wind that rounds to 0 is calm.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_windDirection = 4; }, 6, "63613"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_windDirection = 5; }, 6, "60113"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_windSpeed = 0.4; }, 6, "60000"},
        {[](CMeteoObs&, CPosition& p, CTime&) { p.SetLatitude(2.3), p.SetLongitude(-0.04); }, 3, "99023"},
        // Tendency: every sorted entry to code table 0200, the sign carried by a.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 0, o.m_pressureChange = -1.2; }, 10, "57012"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 1; }, 10, "53012"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 2, o.m_pressureChange = 0; }, 10, "55000"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 3, o.m_pressureChange = -1; }, 10, "56010"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 5, o.m_pressureChange = 0; }, 10, "50000"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 6; }, 10, "51012"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = 7, o.m_pressureChange = -0.3; }, 10, "58003"},
        // Contradictions and no choice: rising with a fall, steady with a change.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureChange = -0.5; }, 10, "5////"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pressureTendency = -1; }, 10, "5////"},
        // Clouds: Nh of the middle layer without low clouds; 0 and h 9 with high clouds only.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_lowCloudType = 0, o.m_middleCloudCover = 40; }, 11, "83031"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_lowCloudType = 0, o.m_middleCloudType = 0; }, 11, "80001"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_lowCloudType = 0, o.m_middleCloudType = 0; }, 5, "429//"},
        // Invisible low clouds and a type without an amount: "/"; Nh never above N.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_lowCloudType = 10; }, 11, "8//31"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_lowCloudCover = 0; }, 11, "8/531"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_totalCloudCover = 10; }, 6, "42713"},
        // Cloud base on a limit takes the higher figure; none at all leaves group 8 out.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_averageCloudHeight = 600; }, 5, "425//"},
        {[](CMeteoObs& o, CPosition&, CTime&) {
             o.m_totalCloudCover = 0, o.m_lowCloudType = o.m_middleCloudType = o.m_highCloudType = 0;
         },
         11, "22253"},
        // Significant weather brings group 7 and ix 1.
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_presentWeatherWw = 4; }, 11, "70410"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_pastWeatherW2 = 3; }, 5, "415//"},
        // Ship's course by eight points; a swell period not determined.
        {[](CMeteoObs&, CPosition& p, CTime&) { p.SetCourse(350), p.SetSpeed(41); }, 12, "22289"},
        {[](CMeteoObs& o, CPosition&, CTime&) { o.m_swell1Period = 0; }, 16, "4//04"},
    };
    for (const auto& [change, group, expected] : cases) {
        CMeteoObs obs = ObservationA();
        CPosition position = At(51.93, 4.12, 225, 14);
        CTime t = kA;
        change(obs, position, t);
        const std::string text = ObsMessageText(obs, position, "PDHW", t);
        std::vector<std::string> groups;
        ASSERT_EQ(text.back(), '=');
        std::istringstream split(text.substr(0, text.size() - 1));
        for (std::string g; split >> g;)
            groups.push_back(g);
        ASSERT_GT(groups.size(), static_cast<std::size_t>(group)) << text;
        EXPECT_EQ(groups[group], expected) << text;
    }
}

TEST_F(ObsMessage, WritesTheTextWithoutLineEndAndLogsTheSendWhateverTheOutcome) {
    fake.clock.Set(kA);
    CScratchDir dir;
    const CMeteoObs obs = ObservationA();
    SendObsMessage(obs, At(51.93, 4.12, 225, 14), "PDHW"); // cancelled
    EXPECT_EQ(Shown(), Names{"No file selected, aborting OBS..."});
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
    // A longer earlier message is replaced, not overwritten in part.
    Put(dir / "obs.txt", std::string(200, 'x') + "\n");
    fake.files.ScriptPath(dir / "obs.txt");
    SendObsMessage(obs, At(51.93, 4.12, 225, 14), "PDHW");
    EXPECT_EQ(Slurp(dir / "obs.txt"), kMessageA);
    EXPECT_EQ(host.Logged(), (Names{"OBS message send", "OBS message send"}));
    const FileChoiceRequest& request = fake.files.Requests().at(1);
    EXPECT_EQ(request.filter + request.defaultExtension + request.defaultName,
              "Meteo OBS (*.txt)|*.txt|All Files (*.*)|*.*||txtText");

    fake.prompts.Clear();
    fake.files.ScriptPath(dir / "missing/obs.txt");
    EXPECT_FALSE(WriteObsMessage(obs, At(10, 0, 0, 0), "PDHW"));
    EXPECT_EQ(Shown(), Names{"Oops...\nCan not open this file!"});
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}
