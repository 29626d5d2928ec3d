#include "weather/hurricane_list.h"

#include "support/bytes.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"
#include "weather/hurricane_entry.h"

namespace {

using Hurricane = ModelTest;

struct Cyclone {
    std::string name;
    double latitude, longitude;
    std::uint32_t time;
    double course, speed;
    std::int32_t kind;
    double tendency, pressure, radius, wind;

    void To(CPosition* p) const {
        p->SetName(name);
        p->SetLatitude(latitude);
        p->SetLongitude(longitude);
        p->SetTime(CTime(time));
        p->SetCourse(course);
        p->SetSpeed(speed);
        p->SetKind(kind);
        p->SetExtraValue(tendency);
        p->SetMinimumPressure(pressure);
        p->SetWindDirectionAtMaximum(radius);
        p->SetMaximumWindSpeed(wind);
    }
    // As the file holds it, by hand.
    std::string Bytes() const {
        return LeDouble(course) + LeDouble(0) + LeDouble(latitude) + LeDouble(longitude) + LeDouble(speed) +
               CountedString(name) + LeLong(static_cast<std::int32_t>(time)) + LeLong(1) + LeLong(kind) // via, kind
               + LeDouble(1000) + LeLong(0) + std::string(4 * 8, '\0') // pressure, weather count, wind, current
               + LeLong(0) + std::string(5 * 8, '\0') + LeLong(0) + LeDouble(0) // performance .. zone offset
               + LeDouble(tendency) + LeDouble(pressure) + LeDouble(radius) + LeDouble(wind);
    }
};

const Cyclone kIvan{"Ivan", 15.5, -60.25, 0x6A000000, 290, 12, 0, 1, 935, 150, 125};
// Past 2038: the time is unsigned in the file.
const Cyclone kRita{"Rita", -12.75, 61.5, 0xF0000000, 45, 7, 1, -1, 990, 80, 55};

} // namespace

TEST_F(Hurricane, FileIsACountAndThePositions) {
    const std::string file = host.Path("hurricane.dat");
    CHurricaneList list;
    kIvan.To(list.AddNew());
    kRita.To(list.AddNew());
    ASSERT_TRUE(list.Save());
    const std::string expected = LeLong(2) + kIvan.Bytes() + kRita.Bytes();
    ASSERT_EQ(expected.size(), 4 + 2 * 185 + 4 + 4u);
    EXPECT_EQ(ToHex(Slurp(file)), ToHex(expected));

    CHurricaneList back;
    back.AddNew()->SetName("Old");
    ASSERT_TRUE(back.Load());
    Put(file, "");
    ASSERT_TRUE(back.Save());
    EXPECT_EQ(ToHex(Slurp(file)), ToHex(expected)) << "every field read where it was written";
    EXPECT_TRUE(Shown().empty());
}

TEST_F(Hurricane, MissingDamagedAndUnwritableFilesHaveTheirOwnMessages) {
    const std::string file = host.Path("hurricane.dat");
    CHurricaneList list;
    list.AddNew()->SetName("Keep");
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(Shown(), Names{"Sorry, can't find the hurricane data\nWe have to do without it.."});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);

    fake.prompts.Clear();
    Put(file, Hex("02 00"));
    EXPECT_FALSE(list.Load());
    const std::string fault =
        "\"" + file + "\" is damaged: The file ends before \"cyclones\": 4 bytes needed, 2 left (at byte 0)";
    EXPECT_EQ(Shown(), Names{"Sorry, can't read the hurricane data\n" + fault + "\nThe damaged file is kept as " +
                             file + ".damaged\nWe have to do without it.."});
    EXPECT_EQ(list.LastError(), fault);
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(Slurp(file + ".damaged"), Hex("02 00")) << "a copy survives the next save";
    EXPECT_EQ(list.GetCount(), 1);

    fake.prompts.Clear();
    host.Set("hurri", host.Path("missing/hurricane.dat"));
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(Shown(), Names{"Ooh No!, not again!\nI can't save the hurricane data to disk...\nWe just blew it.."});
    EXPECT_NE(list.LastError().find("missing/hurricane.dat"), std::string::npos) << list.LastError();
}

TEST_F(Hurricane, IndexesOutsideTheListAndDeleting) {
    CHurricaneList list;
    CPosition* added = list.AddNew();
    EXPECT_EQ(Row(added->GetName(), added->GetTime()), "New Position|" + kNow.IsoText());
    list.AddNew()->SetName("Rita");
    EXPECT_TRUE(list.GetAt(2) == nullptr && list.GetAt(-1) == nullptr);
    EXPECT_EQ(Shown(), Names(2, "requested number does not exist"));
    list.RemoveAt(2);
    EXPECT_FALSE(list.AskRemoveAt(-1));
    fake.prompts.ScriptAnswer(PromptAnswer::No);
    EXPECT_FALSE(list.AskRemoveAt(1));
    fake.prompts.ScriptAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(list.AskRemoveAt(1)); // the prompts' texts: the hurricanes dialog's test
    EXPECT_EQ(fake.prompts.History().back().buttons, PromptButtons::YesNo);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0), added);
}

TEST_F(Hurricane, MoveAllToNowDeadReckonsEveryCyclone) {
    CHurricaneList list;
    const Cyclone east{"E", 0, -30, static_cast<std::uint32_t>((kNow - 12 * 3600).GetTime()), 90, 10, 0, 0, 0, 0, 0};
    const Cyclone ahead{"N", 0, 100, static_cast<std::uint32_t>((kNow + 10 * 3600).GetTime()), 0, 6, 0, 0, 0, 0, 0};
    east.To(list.AddNew());
    ahead.To(list.AddNew());
    list.MoveAllToNow();
    // 12 hours at 10 knots due east along the equator: 120 nM, two degrees.
    EXPECT_NEAR(list.GetAt(0)->GetLongitude(), -28.0, 1e-9);
    EXPECT_EQ(list.GetAt(0)->GetTime(), kNow);
    // A time stamp in the future runs the cyclone back along its course.
    EXPECT_NEAR(list.GetAt(1)->GetLatitude(), -1.0, 1e-9);
    fake.clock.Advance(3600);
    list.MoveAllToNow();
    EXPECT_NEAR(list.GetAt(0)->GetLongitude(), -28.0 + 10.0 / 60.0, 1e-9);
}

TEST_F(Hurricane, ListRowsShowPositionsDistancesAndMovement) {
    CPosition cyclone, ship(15.5, -62.25, CTime());
    kIvan.To(&cyclone);
    using Row = std::array<std::string, 4>;
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricanePositions),
              (Row{"Ivan", "15:30.00 North", "60:15.00 West", "935.00"}));
    // Two degrees of longitude at 15.5 N by great circle, a little north of east.
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricaneDistanceAndBearing),
              (Row{"Ivan", "115.64", "89.73", "150.00"}));
    EXPECT_EQ(HurricaneRowTexts(cyclone, ship, kHurricaneCourseAndSpeed), (Row{"Ivan", "290.00", "12.00", "125.00"}));
    EXPECT_EQ(HurricaneIcon(cyclone), 0);
    cyclone.SetKind(1);
    EXPECT_EQ(HurricaneIcon(cyclone), 1);
}

TEST_F(Hurricane, SheetEntryCarriesTheFieldsBothWays) {
    CPosition cyclone;
    const auto time = static_cast<std::uint32_t>(CTime::FromUtc(2026, 9, 8, 6, 45, 33).GetTime());
    Cyclone{"", -(15 + 30.126 / 60.0), -(60 + 15.999 / 60.0), time, 0, 0, 0, 2.0, 935, 150, 125}.To(&cyclone);
    CHurricaneEntry e = CHurricaneEntry::From(cyclone);
    EXPECT_EQ(
        (std::vector<double>{double(e.latitudeDegrees), e.latitudeMinutes, double(e.latitudeHemisphere),
                             e.longitudeMinutes, double(e.longitudeHemisphere), double(e.tendency),
                             double(e.day * 10000 + e.hour * 100 + e.minute), e.centerPressure, e.maxWind, e.radius}),
        (std::vector<double>{15, 30.12, 1, 15.99, 1, 2, 80645, 935, 125, 150}));

    // OK without changes: minutes cut to hundredths, seconds dropped.
    e.ApplyTo(cyclone);
    EXPECT_DOUBLE_EQ(cyclone.GetLatitude(), -(15 + 30.12 / 60.0));
    EXPECT_DOUBLE_EQ(cyclone.GetLongitude(), -(60 + 15.99 / 60.0));
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 9, 8, 6, 45, 0));
    EXPECT_EQ(cyclone.GetKind(), kHurricaneKind);
    // At 60 knots a storm; hour 24 is midnight starting the next day; day 0 the last of the month before.
    e.maxWind = 60.0;
    e.day = 10;
    e.hour = 24;
    e.minute = 0;
    e.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetKind(), kStormKind);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 9, 11, 0, 0, 0));
    e.day = 0;
    e.hour = 5;
    e.ApplyTo(cyclone);
    EXPECT_EQ(cyclone.GetTime(), CTime::FromUtc(2026, 8, 31, 5, 0, 0));
}

TEST_F(Hurricane, AddingNeedsADayAndMissingHemispheresCountAsNorthAndEast) {
    CHurricaneList list;
    CPosition* fresh = list.AddNew();
    CHurricaneEntry entry = CHurricaneEntry::ForNew(*fresh);
    EXPECT_EQ(Row(entry.day, entry.latitudeHemisphere), "0|-1");
    entry.name = "Ivan";
    entry.latitudeDegrees = 15;
    EXPECT_FALSE(entry.ApplyNewTo(*fresh));
    EXPECT_EQ(Shown(), Names{"Oops... you didn't fill in all the correct details\nPlease try again!"});
    EXPECT_EQ(fresh->GetName(), "New Position");

    entry.day = 9;
    entry.hour = 18;
    entry.latitudeMinutes = 30;
    entry.longitudeDegrees = 60;
    entry.longitudeMinutes = 15;
    entry.tendency = -1;
    EXPECT_TRUE(entry.ApplyNewTo(*fresh));
    EXPECT_EQ(Row(fresh->GetName(), fresh->GetLatitude(), fresh->GetLongitude(), fresh->GetExtraValue()),
              "Ivan|15.50|60.25|-1.00");
    EXPECT_EQ(fresh->GetKind(), kStormKind);
    EXPECT_EQ(fresh->GetTime(), CTime::FromUtc(2026, 12, 9, 18, 0, 0));
}
