#include "weather/hurricane_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/scratch_dir.h"
#include "weather/hurricane_entry.h"

namespace fs = std::filesystem;

namespace {

const CTime kNow = CTime::FromUtc(2026, 9, 10, 12, 0, 0);

struct Cyclone {
    std::string name = "Ivan";
    double latitude = 15.5, longitude = -60.25;
    std::uint32_t time = 0x6A000000;
    double course = 290, speed = 12;
    std::int32_t kind = 0;
    double tendency = 1, pressure = 935, radius = 150, wind = 125;
};

// A cyclone as the file holds it, spelled out field by field.
std::string Bytes(const Cyclone& c) {
    return LeDouble(c.course) + LeDouble(0)                        // course, reserved double C
           + LeDouble(c.latitude) + LeDouble(c.longitude)          //
           + LeDouble(c.speed) + CountedString(c.name)             //
           + LeLong(static_cast<std::int32_t>(c.time))             // time, 4 bytes unsigned
           + LeLong(1) + LeLong(c.kind)                            // proceed via, kind
           + LeDouble(1000) + LeLong(0)                            // average pressure, weather count
           + LeDouble(0) + LeDouble(0) + LeDouble(0) + LeDouble(0) // wind speed, direction, current speed, direction
           + LeLong(0) + LeDouble(0) + LeDouble(0)                 // performance count, ETA, reserved double B
           + LeDouble(0) + LeDouble(0) + LeDouble(0)               // draft, rpm, speed
           + LeLong(0) + LeDouble(0)                               // reserved LONG, zone offset
           + LeDouble(c.tendency) + LeDouble(c.pressure)           // extra value, minimum pressure
           + LeDouble(c.radius) + LeDouble(c.wind);                // wind direction at maximum, maximum wind
}

void Fill(CPosition* p, const Cyclone& c) {
    p->SetName(c.name);
    p->SetLatitude(c.latitude);
    p->SetLongitude(c.longitude);
    p->SetTime(CTime(c.time));
    p->SetCourse(c.course);
    p->SetSpeed(c.speed);
    p->SetKind(c.kind);
    p->SetExtraValue(c.tendency);
    p->SetMinimumPressure(c.pressure);
    p->SetWindDirectionAtMaximum(c.radius);
    p->SetMaximumWindSpeed(c.wind);
}

struct CycloneFile : ::testing::Test {
    CFakeServices fake;
    CScratchDir dir;
    std::string file = dir / "hurricane.dat";
    CycloneFile() {
        fake.clock.Set(kNow);
        fake.settings.SetString(kSettingsSection, "hurri", file);
    }
};

} // namespace

TEST_F(CycloneFile, IsACountAndThePositionsBothWays) {
    CHurricaneList list;
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(ToHex(Slurp(file)), "00 00 00 00");

    Cyclone ivan, rita;
    rita.name = "Rita";
    rita.latitude = -12.75;
    rita.kind = 1;
    rita.tendency = -1;
    rita.wind = 55;
    rita.time = 0xF0000000; // past 2038: the time is unsigned in the file
    Fill(list.AddNew(), ivan);
    Fill(list.AddNew(), rita);
    ASSERT_TRUE(list.Save());
    const std::string expected = LeLong(2) + Bytes(ivan) + Bytes(rita);
    ASSERT_EQ(expected.size(), 4 + 2 * 185 + 4 + 4u);
    EXPECT_EQ(ToHex(Slurp(file)), ToHex(expected));

    CHurricaneList back;
    back.AddNew()->SetName("Old");
    ASSERT_TRUE(back.Load());
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.GetAt(1)->GetTime(), CTime(0xF0000000LL));
    Put(file, "");
    ASSERT_TRUE(back.Save());
    EXPECT_EQ(ToHex(Slurp(file)), ToHex(expected)) << "every field read where it was written";
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST_F(CycloneFile, MissingDamagedAndUnwritableFilesHaveTheirOwnMessages) {
    CHurricaneList list;
    list.AddNew()->SetName("Keep");
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(fake.prompts.Texts(),
              std::vector<std::string>{"Sorry, can't find the hurricane data\nWe have to do without it.."});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
    EXPECT_NE(list.LastError().find("hurricane.dat"), std::string::npos) << list.LastError();

    fake.prompts.Clear();
    Put(file, Hex("02 00"));
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(fake.prompts.Texts(),
              std::vector<std::string>{"Sorry, can't read the hurricane data\n\"" + file +
                                       "\" is damaged: The file ends before \"cyclones\": 4 bytes needed, 2 left "
                                       "(at byte 0)\nThe damaged file is kept as " +
                                       file + ".damaged\nWe have to do without it.."});
    EXPECT_EQ(list.LastError(),
              "\"" + file + "\" is damaged: The file ends before \"cyclones\": 4 bytes needed, 2 left (at byte 0)");
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(Slurp(file + ".damaged"), Hex("02 00")) << "a copy survives the next save";
    ASSERT_EQ(list.GetCount(), 1);

    fake.prompts.Clear();
    fake.settings.SetString(kSettingsSection, "hurri", dir / "missing/hurricane.dat");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(
        fake.prompts.Texts(),
        std::vector<std::string>{"Ooh No!, not again!\nI can't save the hurricane data to disk...\nWe just blew it.."});
    EXPECT_NE(list.LastError().find("missing/hurricane.dat"), std::string::npos) << list.LastError();
}

TEST(Hurricane, PathComesFromTheSettingWithOldSeparatorsAndDefaultsToTheWorkingFolder) {
    CFakeServices fake;
    CScratchDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path);
    CHurricaneList list;
    const bool saved = list.Save();
    fs::create_directories(dir / "sub");
    fake.settings.SetString(kSettingsSection, "hurri", ".\\sub\\cyclones.dat");
    const bool savedSub = list.Save();
    fs::current_path(before);
    EXPECT_TRUE(saved && savedSub);
    EXPECT_TRUE(fs::exists(dir / "hurricane.dat"));
    EXPECT_TRUE(fs::exists(dir / "sub/cyclones.dat"));
}

TEST(Hurricane, IndexesOutsideTheListAndDeleting) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CHurricaneList list;
    CPosition* added = list.AddNew();
    EXPECT_EQ(added->GetName(), "New Position");
    EXPECT_EQ(added->GetTime(), kNow);
    list.AddNew()->SetName("Rita");

    EXPECT_EQ(list.GetAt(2), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(fake.prompts.Texts(),
              (std::vector<std::string>{"requested number does not exist", "requested number does not exist"}));
    fake.prompts.Clear();
    list.RemoveAt(2);
    EXPECT_EQ(list.GetCount(), 2);

    EXPECT_FALSE(list.AskRemoveAt(-1));
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>{"Oops....didn't you forget to select something?"});
    fake.prompts.Clear();
    fake.prompts.ScriptAnswer(PromptAnswer::No);
    EXPECT_FALSE(list.AskRemoveAt(1));
    EXPECT_EQ(list.GetCount(), 2);
    fake.prompts.ScriptAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(list.AskRemoveAt(1));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0), added);
    ASSERT_EQ(fake.prompts.History().size(), 2u);
    EXPECT_EQ(fake.prompts.History()[0].text, "Delete Rita \nAre you Sure?");
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Question);
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::YesNo);
}

TEST(Hurricane, MoveAllToNowDeadReckonsEveryCyclone) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CHurricaneList list;
    auto add = [&](double lat, double lon, double course, double speed, CTime at) {
        CPosition* p = list.AddNew();
        p->SetLatitude(lat);
        p->SetLongitude(lon);
        p->SetCourse(course);
        p->SetSpeed(speed);
        p->SetTime(at);
        return p;
    };
    CPosition* moving = add(0, -30, 90, 10, kNow - 12 * 3600);
    CPosition* ahead = add(0, 100, 0, 6, kNow + 10 * 3600);
    list.MoveAllToNow();
    // 12 hours at 10 knots due east along the equator: 120 nM, two degrees.
    EXPECT_NEAR(moving->GetLongitude(), -28.0, 1e-9);
    EXPECT_EQ(moving->GetTime(), kNow);
    // A time stamp in the future runs the cyclone back along its course.
    EXPECT_NEAR(ahead->GetLatitude(), -1.0, 1e-9);
    fake.clock.Advance(3600);
    list.MoveAllToNow();
    EXPECT_NEAR(moving->GetLongitude(), -28.0 + 10.0 / 60.0, 1e-9);
}

TEST(Hurricane, ListViewsShowPositionsDistancesAndMovement) {
    CFakeServices fake;
    EXPECT_EQ(HurricaneColumnTitles(kHurricaneDistanceAndBearing),
              (std::array<std::string, 4>{"Name", "Distance", "Direction", "Radius"}));
    EXPECT_EQ(HurricaneColumnTitles(kHurricaneCourseAndSpeed),
              (std::array<std::string, 4>{"Name", "Course", "Speed", "Windspeed"}));
    EXPECT_EQ(HurricaneColumnTitles(kHurricanePositions),
              (std::array<std::string, 4>{"Name", "Latitude", "Longitude", "Pressure"}));
    CPosition cyclone;
    Fill(&cyclone, Cyclone{});
    CPosition ship;
    ship.SetLatitude(15.5);
    ship.SetLongitude(-62.25);
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricanePositions),
              (std::array<std::string, 4>{"Ivan", "15:30.00 North", "60:15.00 West", "935.00"}));
    // Two degrees of longitude at 15.5 N by great circle, a little north of east.
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricaneDistanceAndBearing),
              (std::array<std::string, 4>{"Ivan", "115.64", "89.73", "150.00"}));
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricaneCourseAndSpeed),
              (std::array<std::string, 4>{"Ivan", "290.00", "12.00", "125.00"}));
    EXPECT_EQ(HurricaneIcon(cyclone), 0);
    cyclone.SetKind(1);
    EXPECT_EQ(HurricaneIcon(cyclone), 1);
}

TEST(Hurricane, SheetEntryCarriesTheFieldsBothWays) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CPosition cyclone;
    cyclone.SetLatitude(-(15 + 30.126 / 60.0));
    cyclone.SetLongitude(-(60 + 15.999 / 60.0));
    cyclone.SetTime(CTime::FromUtc(2026, 9, 8, 6, 45, 33));
    cyclone.SetMaximumWindSpeed(125);
    cyclone.SetWindDirectionAtMaximum(150);
    cyclone.SetMinimumPressure(935);
    cyclone.SetExtraValue(2.0);

    const CHurricaneEntry entry = CHurricaneEntry::From(cyclone);
    EXPECT_EQ(entry.latitudeDegrees, 15);
    EXPECT_DOUBLE_EQ(entry.latitudeMinutes, 30.12);
    EXPECT_EQ(entry.latitudeHemisphere, 1);
    EXPECT_DOUBLE_EQ(entry.longitudeMinutes, 15.99);
    EXPECT_EQ(entry.longitudeHemisphere, 1);
    EXPECT_EQ(entry.tendency, 2);
    EXPECT_EQ(entry.day * 10000 + entry.hour * 100 + entry.minute, 80645);
    EXPECT_EQ(entry.centerPressure, 935);
    EXPECT_EQ(entry.maxWind, 125);
    EXPECT_EQ(entry.radius, 150);

    // OK without changes: minutes cut to hundredths, seconds dropped.
    entry.ApplyTo(cyclone);
    EXPECT_DOUBLE_EQ(cyclone.GetLatitude(), -(15 + 30.12 / 60.0));
    EXPECT_DOUBLE_EQ(cyclone.GetLongitude(), -(60 + 15.99 / 60.0));
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 9, 8, 6, 45, 0));
    EXPECT_EQ(cyclone.GetKind(), kHurricaneKind);

    // Above 60 knots a hurricane.
    CHurricaneEntry edit = entry;
    edit.maxWind = 60.0;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetKind(), kStormKind);
    // Hour 24 is midnight starting the next day; day 0 is the last of the month before.
    edit.day = 10;
    edit.hour = 24;
    edit.minute = 0;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 9, 11, 0, 0, 0));
    edit.day = 0;
    edit.hour = 5;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 8, 31, 5, 0, 0));
}

TEST(Hurricane, AddingNeedsADayAndMissingHemispheresCountAsNorthAndEast) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CHurricaneList list;
    CPosition* fresh = list.AddNew();
    CHurricaneEntry entry = CHurricaneEntry::ForNew(*fresh);
    EXPECT_EQ(entry.day, 0);
    EXPECT_EQ(entry.latitudeHemisphere, -1);
    entry.name = "Ivan";
    entry.latitudeDegrees = 15;
    EXPECT_FALSE(entry.ApplyNewTo(*fresh));
    EXPECT_EQ(fake.prompts.Texts(),
              std::vector<std::string>{"Oops... you didn't fill in all the correct details\nPlease try again!"});
    EXPECT_EQ(fresh->GetName(), "New Position");

    entry.day = 9;
    entry.hour = 18;
    entry.latitudeMinutes = 30;
    entry.longitudeDegrees = 60;
    entry.longitudeMinutes = 15;
    entry.tendency = -1;
    EXPECT_TRUE(entry.ApplyNewTo(*fresh));
    EXPECT_EQ(fresh->GetName(), "Ivan");
    EXPECT_EQ(fresh->GetLatitude(), 15.5);
    EXPECT_EQ(fresh->GetLongitude(), 60.25);
    EXPECT_EQ(fresh->GetExtraValue(), -1.0);
    EXPECT_EQ(fresh->GetKind(), kStormKind);
    EXPECT_EQ(fresh->GetTime(), CTime::FromUtc(2026, 9, 9, 18, 0, 0));
}
