#include "weather/hurricane_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/archive.h"
#include "platform/fake/fake_services.h"
#include "support/scratch_dir.h"
#include "support/bytes.h"
#include "weather/hurricane_entry.h"

namespace fs = std::filesystem;

namespace {

const CTime kNow = CTime::FromUtc(2026, 9, 10, 12, 0, 0);

using CycloneFolder = CScratchDir;


void Spill(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct Cyclone {
    std::string name = "Ivan";
    double latitude = 15.5;
    double longitude = -60.25;
    std::uint32_t time = 0x6A000000;
    double course = 290;
    double speed = 12;
    std::int32_t kind = 0;
    double tendency = 1;
    double pressure = 935;
    double radius = 150;
    double wind = 125;
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

struct CycloneFile {
    CFakeServices fake;
    CycloneFolder dir;
    std::string file;
    CycloneFile() : file(dir / "hurricane.dat") {
        fake.clock.Set(kNow);
        fake.settings.SetString(kSettingsSection, "hurri", file);
    }
};

} // namespace

TEST(Hurricane, FileIsACountAndThePositions) {
    CycloneFile s;
    CHurricaneList list;
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(ToHex(Slurp(s.file)), "00 00 00 00");

    Cyclone ivan;
    Cyclone rita;
    rita.name = "Rita";
    rita.latitude = -12.75;
    rita.kind = 1;
    rita.tendency = -1;
    rita.wind = 55;
    Fill(list.AddNew(), ivan);
    Fill(list.AddNew(), rita);
    ASSERT_TRUE(list.Save());
    const std::string expected = LeLong(2) + Bytes(ivan) + Bytes(rita);
    ASSERT_EQ(expected.size(), 4 + 2 * 185 + 4 + 4u);
    EXPECT_EQ(ToHex(Slurp(s.file)), ToHex(expected));
    EXPECT_TRUE(s.fake.prompts.History().empty());
}

TEST(Hurricane, LoadReadsAFileWrittenByHandAndReplacesTheList) {
    CycloneFile s;
    Cyclone ivan;
    Cyclone rita;
    rita.name = "Rita";
    rita.latitude = -12.75;
    rita.longitude = 170.5;
    rita.time = 0xF0000000; // past 2038: the time is unsigned in the file
    Spill(s.file, LeLong(2) + Bytes(ivan) + Bytes(rita));

    CHurricaneList list;
    list.AddNew()->SetName("Old");
    ASSERT_TRUE(list.Load());
    ASSERT_EQ(list.GetCount(), 2);
    const CPosition* a = list.GetAt(0);
    EXPECT_EQ(a->GetName(), "Ivan");
    EXPECT_EQ(a->GetLatitude(), 15.5);
    EXPECT_EQ(a->GetLongitude(), -60.25);
    EXPECT_EQ(a->GetTime(), CTime(0x6A000000));
    EXPECT_EQ(a->GetCourse(), 290);
    EXPECT_EQ(a->GetSpeed(), 12);
    EXPECT_EQ(a->GetKind(), 0);
    EXPECT_EQ(a->GetExtraValue(), 1);
    EXPECT_EQ(a->GetMinimumPressure(), 935);
    EXPECT_EQ(a->GetWindDirectionAtMaximum(), 150);
    EXPECT_EQ(a->GetMaximumWindSpeed(), 125);
    const CPosition* b = list.GetAt(1);
    EXPECT_EQ(b->GetName(), "Rita");
    EXPECT_EQ(b->GetTime(), CTime(0xF0000000LL));
    EXPECT_EQ(b->GetLongitude(), 170.5);

    // An empty file body (count 0) empties the list.
    Spill(s.file, LeLong(0));
    ASSERT_TRUE(list.Load());
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(s.fake.prompts.History().empty());
}

TEST(Hurricane, MissingFileIsReportedAndKeepsTheList) {
    CycloneFile s;
    CHurricaneList list;
    list.AddNew()->SetName("Keep");
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(s.fake.prompts.Texts(),
              std::vector<std::string>{"Sorry, can't find the hurricane data\nWe have to do without it.."});
    EXPECT_EQ(s.fake.prompts.History()[0].icon, PromptIcon::None);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->GetName(), "Keep");
    EXPECT_NE(list.LastError().find("hurricane.dat"), std::string::npos) << list.LastError();

    // A folder in its place is as unreadable.
    fs::create_directories(s.file);
    s.fake.prompts.Clear();
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(s.fake.prompts.Texts(),
              std::vector<std::string>{"Sorry, can't find the hurricane data\nWe have to do without it.."});
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(Hurricane, DamagedFileIsRefusedWholeAndKeepsTheList) {
    Cyclone ivan;
    const std::string one = Bytes(ivan);
    // A long name makes a record longer than the least a record takes, so the count
    // check passes and the shortage shows inside the record.
    Cyclone named;
    named.name = std::string(200, 'x');
    const std::string longName = Bytes(named);
    struct Case {
        const char* what;
        std::string bytes;
        const char* fault;
    };
    const std::vector<Case> cases = {
        {"empty file", "", "The file ends before \"cyclones\""},
        {"count cut short", Hex("02 00"), "The file ends before \"cyclones\""},
        {"ends inside the second record", LeLong(2) + longName + one.substr(0, 100), "cyclones[1]"},
        {"ends inside a name", LeLong(1) + longName.substr(0, 200), "cyclones[0].name"},
        {"announces more than it holds", LeLong(3) + one + one, "announces 3 entries"},
        {"announces an impossible count", Hex("ff ff ff 7f") + one, "announces 2147483647 entries"},
        {"negative count", LeLong(-1), "negative"},
        {"bytes after the data", LeLong(1) + one + Hex("00"), "1 unexpected bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CycloneFile s;
        Spill(s.file, c.bytes);
        CHurricaneList list;
        list.AddNew()->SetName("Keep");
        EXPECT_FALSE(list.Load());
        ASSERT_EQ(s.fake.prompts.Texts().size(), 1u);
        const std::string text = s.fake.prompts.Texts()[0];
        const std::string head = "Sorry, can't read the hurricane data\n\"" + s.file + "\" is damaged: ";
        const std::string tail = "\nWe have to do without it..";
        EXPECT_EQ(text.substr(0, head.size()), head) << text;
        ASSERT_GE(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
        EXPECT_NE(text.find(c.fault), std::string::npos) << text;
        // Nothing half-read is kept.
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.GetAt(0)->GetName(), "Keep");
        // And the damaged file is still there for inspection.
        EXPECT_EQ(Slurp(s.file), c.bytes);
    }
}

TEST(Hurricane, DamagedFileMessageInFull) {
    CycloneFile s;
    Spill(s.file, Hex("02 00"));
    CHurricaneList list;
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(s.fake.prompts.Texts(),
              std::vector<std::string>{"Sorry, can't read the hurricane data\n\"" + s.file +
                                       "\" is damaged: The file ends before \"cyclones\": 4 bytes needed, 2 left "
                                       "(at byte 0)\nThe damaged file is kept as " + s.file +
                                       ".damaged\nWe have to do without it.."});
    EXPECT_EQ(list.LastError(),
              "\"" + s.file + "\" is damaged: The file ends before \"cyclones\": 4 bytes needed, 2 left (at byte 0)");
    EXPECT_EQ(Slurp(s.file + ".damaged"), Hex("02 00")) << "a copy survives the next save";
    list.Save();
    EXPECT_EQ(Slurp(s.file + ".damaged"), Hex("02 00"));
}

TEST(Hurricane, SaveFailureIsReportedAndChangesNothing) {
    CycloneFile s;
    s.fake.settings.SetString(kSettingsSection, "hurri", s.dir / "missing/hurricane.dat");
    CHurricaneList list;
    list.AddNew()->SetName("Keep");
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(
        s.fake.prompts.Texts(),
        std::vector<std::string>{"Ooh No!, not again!\nI can't save the hurricane data to disk...\nWe just blew it.."});
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_NE(list.LastError().find("missing/hurricane.dat"), std::string::npos) << list.LastError();
    EXPECT_FALSE(fs::exists(s.dir / "missing"));

    // A save over an existing file replaces it whole; no temporary file is left behind.
    s.fake.settings.SetString(kSettingsSection, "hurri", s.file);
    Spill(s.file, LeLong(1) + Bytes(Cyclone{}));
    ASSERT_TRUE(list.Save());
    CHurricaneList back;
    ASSERT_TRUE(back.Load());
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetAt(0)->GetName(), "Keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(s.dir.path), {}), 1);
}

TEST(Hurricane, PathComesFromTheSettingWithOldSeparatorsAndDefaultsToTheWorkingFolder) {
    CFakeServices fake;
    CycloneFolder dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path);
    CHurricaneList list;
    list.AddNew()->SetName("Here");
    const bool saved = list.Save();
    fs::create_directories(dir / "sub");
    fake.settings.SetString(kSettingsSection, "hurri", ".\\sub\\cyclones.dat");
    const bool savedSub = list.Save();
    fs::current_path(before);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(savedSub);
    EXPECT_TRUE(fs::exists(dir / "hurricane.dat"));
    EXPECT_TRUE(fs::exists(dir / "sub/cyclones.dat"));
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST(Hurricane, IndexesOutsideTheListAndDeleting) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CHurricaneList list;
    CPosition* added = list.AddNew();
    EXPECT_EQ(added->GetName(), "New Position");
    EXPECT_EQ(added->GetTime(), kNow);
    list.AddNew()->SetName("Rita");
    EXPECT_EQ(list.GetCount(), 2);

    EXPECT_EQ(list.GetAt(2), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(fake.prompts.Texts(),
              (std::vector<std::string>{"requested number does not exist", "requested number does not exist"}));
    fake.prompts.Clear();

    list.RemoveAt(2);
    list.RemoveAt(-1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_TRUE(fake.prompts.History().empty());

    // Delete with no row selected.
    EXPECT_FALSE(list.AskRemoveAt(-1));
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>{"Oops....didn't you forget to select something?"});
    EXPECT_EQ(list.GetSelected(-1), nullptr);
    fake.prompts.Clear();

    // Answered No, then Yes.
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
    CPosition* moving = list.AddNew();
    moving->SetLatitude(0);
    moving->SetLongitude(-30);
    moving->SetCourse(90);
    moving->SetSpeed(10);
    moving->SetTime(kNow - 12 * 3600);
    CPosition* still = list.AddNew();
    still->SetLatitude(20);
    still->SetLongitude(-50);
    still->SetCourse(45);
    still->SetSpeed(0);
    still->SetTime(kNow - 5 * 3600 - 17);
    CPosition* ahead = list.AddNew();
    ahead->SetLatitude(0);
    ahead->SetLongitude(100);
    ahead->SetCourse(0);
    ahead->SetSpeed(6);
    ahead->SetTime(kNow + 10 * 3600);

    list.MoveAllToNow();
    // 12 hours at 10 knots due east along the equator: 120 nM, two degrees.
    EXPECT_NEAR(moving->GetLongitude(), -28.0, 1e-9);
    EXPECT_NEAR(moving->GetLatitude(), 0.0, 1e-8); // pi is ten digits: 90 degrees is not quite east
    EXPECT_EQ(moving->GetTime(), kNow);
    EXPECT_EQ(still->GetLatitude(), 20);
    EXPECT_EQ(still->GetLongitude(), -50);
    EXPECT_EQ(still->GetTime(), kNow);
    // A time stamp in the future runs the cyclone back along its course.
    EXPECT_NEAR(ahead->GetLatitude(), -1.0, 1e-9);
    EXPECT_EQ(ahead->GetTime(), kNow);

    // The move is for good: an hour later it goes on from there.
    fake.clock.Advance(3600);
    list.MoveAllToNow();
    EXPECT_NEAR(moving->GetLongitude(), -28.0 + 10.0 / 60.0, 1e-9);
}

TEST(Hurricane, ListViewsShowPositionsDistancesAndMovement) {
    CFakeServices fake;
    EXPECT_EQ(HurricaneColumnTitles(kHurricanePositions),
              (std::array<std::string, 4>{"Name", "Latitude", "Longitude", "Pressure"}));
    EXPECT_EQ(HurricaneColumnTitles(kHurricaneDistanceAndBearing),
              (std::array<std::string, 4>{"Name", "Distance", "Direction", "Radius"}));
    EXPECT_EQ(HurricaneColumnTitles(kHurricaneCourseAndSpeed),
              (std::array<std::string, 4>{"Name", "Course", "Speed", "Windspeed"}));

    CPosition cyclone;
    Fill(&cyclone, Cyclone{});
    cyclone.SetLatitude(15.5);
    cyclone.SetLongitude(-60.25);
    CPosition ship;
    ship.SetLatitude(15.5);
    ship.SetLongitude(-62.25);

    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricanePositions),
              (std::array<std::string, 4>{"Ivan", "15:30.00 North", "60:15.00 West", "935.00"}));
    const auto far = HurricaneRowTexts(cyclone, ship, kHurricaneDistanceAndBearing);
    EXPECT_EQ(far[0], "Ivan");
    EXPECT_EQ(far[1], "115.64"); // two degrees of longitude at 15.5 N, by great circle (115.635)
    EXPECT_EQ(far[2], "89.73");  // initial great-circle course, a little north of east
    EXPECT_EQ(far[3], "150.00");
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricaneCourseAndSpeed),
              (std::array<std::string, 4>{"Ivan", "290.00", "12.00", "125.00"}));

    // A cyclone right on the ship.
    ship.SetLongitude(-60.25);
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricaneDistanceAndBearing)[1], "0.00");

    EXPECT_EQ(HurricaneIcon(cyclone), 0);
    cyclone.SetKind(1);
    EXPECT_EQ(HurricaneIcon(cyclone), 1);

    const auto tendency = HurricaneTendencyList();
    ASSERT_EQ(tendency.size(), 3u);
    EXPECT_STREQ(tendency[0], "Constant");
    EXPECT_STREQ(tendency[1], "Deepening");
    EXPECT_STREQ(tendency[2], "Rising");
}

TEST(Hurricane, SheetEntryCarriesTheFieldsBothWays) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CPosition cyclone;
    cyclone.SetName("Ivan");
    cyclone.SetLatitude(-(15 + 30.126 / 60.0));
    cyclone.SetLongitude(-(60 + 15.999 / 60.0));
    cyclone.SetTime(CTime::FromUtc(2026, 9, 8, 6, 45, 33));
    cyclone.SetCourse(290);
    cyclone.SetSpeed(12);
    cyclone.SetMinimumPressure(935);
    cyclone.SetMaximumWindSpeed(125);
    cyclone.SetWindDirectionAtMaximum(150);
    cyclone.SetExtraValue(2.0);

    const CHurricaneEntry entry = CHurricaneEntry::From(cyclone);
    EXPECT_EQ(entry.name, "Ivan");
    EXPECT_EQ(entry.latitudeDegrees, 15);
    EXPECT_DOUBLE_EQ(entry.latitudeMinutes, 30.12);
    EXPECT_EQ(entry.latitudeHemisphere, 1);
    EXPECT_EQ(entry.longitudeDegrees, 60);
    EXPECT_DOUBLE_EQ(entry.longitudeMinutes, 15.99);
    EXPECT_EQ(entry.longitudeHemisphere, 1);
    EXPECT_EQ(entry.tendency, 2);
    EXPECT_EQ(entry.day, 8);
    EXPECT_EQ(entry.hour, 6);
    EXPECT_EQ(entry.minute, 45);
    EXPECT_EQ(entry.centerPressure, 935);
    EXPECT_EQ(entry.maxWind, 125);
    EXPECT_EQ(entry.radius, 150);

    // OK without changes: minutes cut to hundredths, seconds dropped.
    entry.ApplyTo(cyclone);
    EXPECT_DOUBLE_EQ(cyclone.GetLatitude(), -(15 + 30.12 / 60.0));
    EXPECT_DOUBLE_EQ(cyclone.GetLongitude(), -(60 + 15.99 / 60.0));
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 9, 8, 6, 45, 0));
    EXPECT_EQ(cyclone.GetKind(), kHurricaneKind);
    EXPECT_EQ(cyclone.GetExtraValue(), 2.0);

    // Kind from the maximum wind: above 60 knots a hurricane.
    CHurricaneEntry edit = entry;
    edit.maxWind = 60.0;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetKind(), kStormKind);
    edit.maxWind = 60.01;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetKind(), kHurricaneKind);

    // Hour 24 on the 10th is midnight starting the 11th; day 0 is the last of the month before.
    edit.day = 10;
    edit.hour = 24;
    edit.minute = 0;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 9, 11, 0, 0, 0));
    edit.day = 0;
    edit.hour = 5;
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 8, 31, 5, 0, 0));
    cyclone.SetTime(CTime::FromUtc(2026, 9, 1));
    edit.day = 31; // September has 30
    edit.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 10, 1, 5, 0, 0));
}

TEST(Hurricane, AddingNeedsADayAndMissingHemispheresCountAsNorthAndEast) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CHurricaneList list;
    CPosition* fresh = list.AddNew();
    const double lat = fresh->GetLatitude();

    CHurricaneEntry entry = CHurricaneEntry::ForNew(*fresh);
    EXPECT_EQ(entry.name, "New Position");
    EXPECT_EQ(entry.day, 0);
    EXPECT_EQ(entry.latitudeHemisphere, -1);
    EXPECT_EQ(entry.longitudeHemisphere, -1);
    EXPECT_EQ(entry.tendency, 0);

    // Day 0: refused, the new default position stays as it was (and in the list).
    entry.name = "Ivan";
    entry.latitudeDegrees = 15;
    EXPECT_FALSE(entry.ApplyNewTo(*fresh));
    EXPECT_EQ(fake.prompts.Texts(),
              std::vector<std::string>{"Oops... you didn't fill in all the correct details\nPlease try again!"});
    EXPECT_EQ(fresh->GetName(), "New Position");
    EXPECT_EQ(fresh->GetLatitude(), lat);
    EXPECT_EQ(list.GetCount(), 1);

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

    entry.latitudeHemisphere = 0;
    entry.longitudeHemisphere = 1;
    entry.ApplyTo(*fresh);
    EXPECT_EQ(fresh->GetLatitude(), 15.5);
    EXPECT_EQ(fresh->GetLongitude(), -60.25);
}
