#include "core/voyage.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "core/conversion.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/model_test.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 6, 1, 12, 0, 0);
const double kDegree = 59.088465180732484; // nM in a degree of longitude along 10N: 60 cos 10

void Place(CPosition* p, double lat, double lon, const char* name = nullptr) {
    p->SetLatitude(lat);
    p->SetLongitude(lon);
    if (name) p->SetName(name);
}

// Departure 10N 1W, waypoint B 10N 2E, arrival 10N 4E, all rhumb line; the ship
// at 10N 0E on 090 at 12 knots.
struct Route : ::testing::Test {
    CFakeServices fake;
    CVoyage v;
    CPosition present{10, 0, kNow};
    CPosition* b = nullptr;
    void SetUp() override {
        Place(v.GetFirst(), 10, -1);
        b = v.InsertWaypointAfter(v.GetFirst(), present, kNow);
        Place(b, 10, 2, "B");
        Place(v.GetLast(), 10, 4);
        present.SetCourse(90);
        present.SetSpeed(12);
    }
    int Index(const CPosition* p) const { return v.IndexOf(p); }
};

} // namespace

TEST(Voyage, FreshVoyageReadsNothing) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    fake.settings.SetInt(kSettingsSection, "navreduce", 0);
    CVoyage v;
    EXPECT_EQ(Row(v.GetCount(), v.GetFirst()->GetName(), v.GetLast()->GetName(), v.GetFirst()->GetKind(),
                  v.GetLast()->GetKind(), v.GetNextIndex(), v.GetSpeed()),
              Row(2, "Departure", "Arrival", CPosition::kWaypoint, CPosition::kWaypoint, 1, 17.0));
    EXPECT_EQ(v.GetAt(5), v.GetLast());
    EXPECT_EQ(v.GetReduceSetting(), 1) << "the store is the owner's to read";
    EXPECT_EQ(Row(v.GetStartTime(), v.GetFirst()->GetTime()), Row(CTime(0), CTime(0))) << "the clock: the owner's";
}

TEST_F(Route, NewPositionsTakeTheirMakersPlaceAndTime) {
    const CPosition at(11.5, -3.25, CTime());
    CPosition* w = v.AddWaypoint(at, kNow + 99);
    EXPECT_EQ(Row(Index(w), w->GetKind(), w->GetSpeed(), w->GetLatitude(), w->GetLongitude(), w->GetTime()),
              Row(3, CPosition::kWaypoint, 0.0, 11.5, -3.25, kNow + 99));
    CPosition* after = v.InsertWaypointAfter(v.GetFirst(), at, kNow);
    EXPECT_EQ(Row(Index(after), after->GetLatitude(), after->GetLongitude()), "1|11.50|-3.25");
    EXPECT_EQ(v.InsertWaypointAfter(&present, present, kNow), nullptr) << "not in the route";
    CPosition* fix = v.InsertFix(11, 3, kNow + 1);
    EXPECT_EQ(Row(fix->GetKind(), fix->GetLatitude(), fix->GetLongitude(), fix->GetTime()),
              Row(CPosition::kFix, 11.0, 3.0, kNow + 1));
}

TEST_F(Route, NextWaypointPassesWaypointsBehind) {
    EXPECT_EQ(v.GetNextWaypoint(present), b) << "the departure is 180 degrees off the course";
    present.SetCourse(270);
    EXPECT_EQ(v.GetNextWaypoint(present), v.GetFirst()) << "heading west, the departure is ahead";
    present.SetCourse(90);
    v.SetNextWaypoint(v.GetFirst()); // pinned by hand until the next fix
    EXPECT_EQ(v.GetNextWaypoint(present), v.GetFirst());
    EXPECT_EQ(Index(v.InsertFix(10, 0, kNow)), 0) << "inserted before the next waypoint";
    EXPECT_FALSE(v.IsManualSelection());
    b->SetCourse(90); // the present position in the route: the next waypoint after it
    EXPECT_EQ(v.GetNextWaypoint(*b), v.GetLast());
}

TEST_F(Route, UpdateETAsAndLegs) {
    v.SetReduceSetting(0);
    v.SetSpeed(12);
    const double day = CConversion::DayNumber(kNow), hour = 1.0 / 24.0;
    EXPECT_NEAR(v.UpdateETAs(present, CRunDown{5.0, 50.0}), 4 * kDegree, 1e-6) << "reduce off: no run-down";
    EXPECT_DOUBLE_EQ(present.GetETA(), day);
    EXPECT_NEAR(b->GetETA(), day + 2 * kDegree / 12.0 * hour, 1e-9);
    EXPECT_NEAR(v.GetLast()->GetETA(), day + 4 * kDegree / 12.0 * hour, 1e-9);
    EXPECT_EQ(Row(b->GetSpeed(), v.GetLast()->GetSpeed()), "12.00|0.00") << "the destination's only when next";
    EXPECT_NEAR(v.GetRemainingDistance(), 4 * kDegree, 1e-6);
    double course;
    EXPECT_NEAR(v.UpdateLegs(), 5 * kDegree, 1e-6);
    EXPECT_NEAR(v.GetFirst()->GetLeg(course), 3 * kDegree, 1e-6);
    EXPECT_NEAR(course, 90.0, 1e-6);

    Place(&present, 10, 2);
    present.SailRhumbLine(24, 270); // 24 nM short of B at 12 knots: two hours
    v.UpdateETAs(present, {});
    EXPECT_NEAR(b->GetETA() - present.GetETA(), 2 * hour, 1e-9);
    v.GetFirst()->SetTime(kNow - 3600 * 10);
    v.GetLast()->SetTime(kNow + 3600 * 30);
    EXPECT_EQ(Row(v.HoursSinceDeparture(present), v.HoursToArrival(present)), "10.00|30.00");

    // The run-down shifts only the destination; the full last leg still counts as remaining.
    v.SetReduceSetting(1);
    v.SetSpeed(10);
    v.UpdateETAs(present, CRunDown{1.0, 8.4375});
    EXPECT_NEAR(v.GetLast()->GetETA(), b->GetETA() + ((2 * kDegree - 8.4375) / 10.0 + 1.0) * hour, 1e-9);
    EXPECT_NEAR(v.GetRemainingDistance(), 24 + 2 * kDegree, 1e-6);
    v.SetSpeed(0);
    v.UpdateETAs(present, CRunDown{1.0, 8.4375});
    EXPECT_DOUBLE_EQ(v.GetLast()->GetETA(), day) << "speed 0: finite ETAs";
}

TEST_F(Route, RouteDistanceRunsForwardAndRefusesStrangers) {
    CPosition* dep = v.GetFirst();
    CPosition* arr = v.GetLast();
    CPosition outside;
    EXPECT_EQ(Row(v.RouteDistance(dep, arr), v.RouteDistance(b, arr), v.RouteDistance(b, dep)),
              Row(5 * kDegree, 2 * kDegree, 7 * kDegree))
        << "backwards: via the end";
    EXPECT_EQ(v.RouteDistance(&outside, arr), 0.0);
    EXPECT_EQ(v.RouteDistance(dep, &outside), 0.0);
    EXPECT_EQ(fake.prompts.Texts(),
              (Names{"First position does not exist in route", "Second position does not exist in route"}));
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);
}

TEST_F(Route, WipingAndRemoving) {
    v.GetFirst()->SetKind(CPosition::kFix);
    v.GetNextWaypoint(present);
    v.InsertFix(0, 0, kNow);
    v.WipeFixes();
    EXPECT_EQ(Row(v.GetCount(), v.GetFirst()->GetKind()), Row(3, CPosition::kWaypoint));
    EXPECT_EQ(v.GetStoredNextWaypoint(), v.GetFirst());

    v.GetNextWaypoint(present);
    ASSERT_EQ(v.GetStoredNextWaypoint(), b);
    EXPECT_TRUE(v.RemoveAt(1));
    EXPECT_EQ(v.GetStoredNextWaypoint(), v.GetLast()) << "the removed next waypoint hands over to its successor";
    EXPECT_FALSE(v.RemoveAt(7));
    EXPECT_FALSE(v.RemoveAt(0)) << "a departure and a destination always remain";
}

TEST_F(Route, StoredLayoutAndRoundTrip) {
    v.SetTexts("Rotterdam - Houston", "Liner", "V-17");
    v.SetStartTime(CTime(1000));
    v.SetEndTime(CTime(2000));
    v.UpdateETAs(present, {});
    v.UpdateLegs();
    const std::string stored = StoreToBytes(v);
    const std::string head = LeDouble(v.GetRemainingDistance()) + LeDouble(v.GetTotalDistance()) +
                             CountedString("Rotterdam - Houston") + CountedString("Liner") + CountedString("V-17") +
                             Hex("e8030000 d0070000") + LeLong(3);
    EXPECT_EQ(ToHex(stored),
              ToHex(head + StoreToBytes(*v.GetAt(0)) + StoreToBytes(*v.GetAt(1)) + StoreToBytes(*v.GetAt(2))));

    CVoyage loaded;
    EXPECT_TRUE(ReadAll(loaded, stored));
    EXPECT_EQ(loaded.GetStoredNextWaypoint(), loaded.GetLast());
    EXPECT_EQ(StoreToBytes(loaded), stored);
    // A route of one position: refused, nothing changed (cut files: FileIo).
    CVoyage target;
    target.SetTexts("keep", "keep", "keep");
    const std::string oneBytes = stored.substr(0, head.size() - 4) + LeLong(1) + StoreToBytes(*v.GetFirst());
    CBinaryReader one(oneBytes);
    EXPECT_THROW(target.Serialize(one), CArchiveException);
    EXPECT_EQ(Row(target.GetCount(), target.GetDescription()), "2|keep");
}
