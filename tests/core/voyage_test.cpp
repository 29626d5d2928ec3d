#include "core/voyage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/archive.h"
#include "core/conversion.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"

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
    EXPECT_EQ((std::tuple{v.GetCount(), v.GetFirst()->GetName(), v.GetLast()->GetName()}),
              (std::tuple{2, "Departure", "Arrival"}));
    EXPECT_EQ((std::tuple{v.GetFirst()->GetKind(), v.GetLast()->GetKind(), v.GetNextIndex()}),
              (std::tuple{CPosition::kWaypoint, CPosition::kWaypoint, 1}));
    EXPECT_EQ(v.GetAt(5), v.GetLast());
    EXPECT_EQ(v.GetAt(-1), v.GetLast());
    EXPECT_EQ(v.GetSpeed(), 17.0);
    EXPECT_EQ(v.GetReduceSetting(), 1) << "the store is the owner's to read";
    EXPECT_EQ(v.GetStartTime(), CTime(0)) << "the clock is the owner's to read";
    EXPECT_EQ(v.GetFirst()->GetTime(), CTime(0));
}

TEST_F(Route, NewPositionsTakeTheirMakersPlaceAndTime) {
    const CTime t = kNow + 99;
    const CPosition at(11.5, -3.25, CTime());
    CPosition* w = v.AddWaypoint(at, t);
    EXPECT_EQ(v.GetLast(), w);
    EXPECT_EQ(w->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(w->GetSpeed(), 0.0);
    EXPECT_EQ((std::tuple{w->GetLatitude(), w->GetLongitude(), w->GetTime()}), (std::tuple{11.5, -3.25, t}));
    CPosition* after = v.InsertWaypointAfter(v.GetFirst(), at, t);
    EXPECT_EQ((std::tuple{Index(after), after->GetLatitude(), after->GetLongitude()}), (std::tuple{1, 11.5, -3.25}));
    EXPECT_EQ(v.InsertWaypointAfter(&present, present, t), nullptr) << "not in the route";
    CPosition* fix = v.InsertFix(11, 3, t + 1);
    EXPECT_EQ(fix->GetKind(), CPosition::kFix);
    EXPECT_EQ((std::tuple{fix->GetLatitude(), fix->GetLongitude(), fix->GetTime()}), (std::tuple{11.0, 3.0, t + 1}));
}

TEST_F(Route, NextWaypointPassesWaypointsBehind) {
    // The candidate is the departure, 180 degrees off the course: B is next.
    EXPECT_EQ(v.GetNextWaypoint(present), b);
    present.SetCourse(270);
    EXPECT_EQ(v.GetNextWaypoint(present), v.GetFirst()) << "heading west, the departure is ahead";
    // Pinned by hand until the next fix.
    present.SetCourse(90);
    v.SetNextWaypoint(v.GetFirst());
    EXPECT_EQ(v.GetNextWaypoint(present), v.GetFirst());
    EXPECT_EQ(Index(v.InsertFix(10, 0, kNow)), 0) << "inserted before the next waypoint";
    EXPECT_FALSE(v.IsManualSelection());
    // The present position in the route: the next waypoint after it.
    b->SetCourse(90);
    EXPECT_EQ(v.GetNextWaypoint(*b), v.GetLast());
}

TEST_F(Route, AWaypointTheShipIsAtCountsAsReached) {
    Place(&present, 10, -1);
    present.SetCourse(270); // even heading back over it
    EXPECT_EQ(v.GetNextWaypoint(present), b);
    CPosition* fix = v.InsertFix(10, -1, kNow);
    EXPECT_EQ(Index(fix), 1) << "a new voyage's first fix goes after the departure";
    EXPECT_EQ(v.GetLastFix(), fix);
    present.SetCourse(90);
    Place(&present, 10, 0.6);
    EXPECT_EQ(v.GetNextWaypoint(present), b) << "from the last fix the walk skips fixes";
    Place(&present, 10, 2.5);
    EXPECT_EQ(Index(v.InsertFix(10, 2.4, kNow)), 2) << "still before B, the stored next waypoint";
    EXPECT_EQ(v.GetNextWaypoint(present), v.GetLast());
}

TEST_F(Route, UpdateETAsAndLegs) {
    v.SetReduceSetting(0);
    v.SetSpeed(12);
    const double day = CConversion::DayNumber(kNow);
    EXPECT_NEAR(v.UpdateETAs(present, CRunDown{5.0, 50.0}), 4 * kDegree, 1e-6) << "reduce off: no run-down";
    EXPECT_DOUBLE_EQ(present.GetETA(), day);
    EXPECT_NEAR(b->GetETA(), day + 2 * kDegree / 12.0 / 24.0, 1e-9);
    EXPECT_NEAR(v.GetLast()->GetETA(), day + 4 * kDegree / 12.0 / 24.0, 1e-9);
    EXPECT_EQ(b->GetSpeed(), 12.0);
    EXPECT_EQ(v.GetLast()->GetSpeed(), 0.0) << "the destination's speed is set only when it is next";
    EXPECT_NEAR(v.GetRemainingDistance(), 4 * kDegree, 1e-6);

    double course;
    EXPECT_NEAR(v.UpdateLegs(), 5 * kDegree, 1e-6);
    EXPECT_NEAR(v.GetFirst()->GetLeg(course), 3 * kDegree, 1e-6);
    EXPECT_NEAR(course, 90.0, 1e-6);

    // 24 nM short of B at 12 knots: two hours.
    Place(&present, 10, 2);
    present.SailRhumbLine(24, 270);
    v.UpdateETAs(present, {});
    EXPECT_NEAR(b->GetETA() - present.GetETA(), 1.0 / 12.0, 1e-9);

    v.GetFirst()->SetTime(kNow - 3600 * 10);
    v.GetLast()->SetTime(kNow + 3600 * 30);
    EXPECT_NEAR(v.HoursSinceDeparture(present), 10.0, 1e-9);
    EXPECT_NEAR(v.HoursToArrival(present), 30.0, 1e-9);

    // The run-down shifts only the destination; the full last leg still counts as remaining.
    v.SetReduceSetting(1);
    v.SetSpeed(10);
    v.UpdateETAs(present, CRunDown{1.0, 8.4375});
    EXPECT_NEAR(v.GetLast()->GetETA(), b->GetETA() + ((2 * kDegree - 8.4375) / 10.0 + 1.0) / 24.0, 1e-9);
    EXPECT_NEAR(v.GetRemainingDistance(), 24 + 2 * kDegree, 1e-6);
    v.SetSpeed(0);
    v.UpdateETAs(present, CRunDown{1.0, 8.4375});
    for (int i = 1; i < v.GetCount(); ++i)
        EXPECT_DOUBLE_EQ(v.GetAt(i)->GetETA(), day) << "speed 0: finite ETAs " << i;

    CPosition* dep = v.GetFirst();
    CPosition* arr = v.GetLast();
    EXPECT_NEAR(v.RouteDistance(dep, arr), 5 * kDegree, 1e-6);
    EXPECT_NEAR(v.RouteDistance(b, arr), 2 * kDegree, 1e-6);
    EXPECT_NEAR(v.RouteDistance(b, dep), 7 * kDegree, 1e-6) << "backwards: via the end";
    CPosition outside;
    EXPECT_EQ(v.RouteDistance(&outside, arr), 0.0);
    EXPECT_EQ(v.RouteDistance(dep, &outside), 0.0);
    EXPECT_EQ(fake.prompts.Texts(), (std::vector<std::string>{"First position does not exist in route",
                                                              "Second position does not exist in route"}));
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);
}

TEST_F(Route, WipingAndRemoving) {
    v.GetFirst()->SetKind(CPosition::kFix);
    v.GetNextWaypoint(present);
    v.InsertFix(0, 0, kNow);
    v.InsertFix(0, 0, kNow);
    v.WipeFixes();
    EXPECT_EQ(v.GetCount(), 3);
    EXPECT_EQ(v.GetFirst()->GetKind(), CPosition::kWaypoint);
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
    ASSERT_GE(stored.size(), head.size());
    EXPECT_EQ(ToHex(stored.substr(0, head.size())), ToHex(head));
    EXPECT_EQ(stored.substr(head.size()),
              StoreToBytes(*v.GetAt(0)) + StoreToBytes(*v.GetAt(1)) + StoreToBytes(*v.GetAt(2)));

    CVoyage loaded;
    CBinaryReader reader(stored);
    loaded.Serialize(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(loaded.GetAt(1)->GetName(), "B");
    EXPECT_EQ(loaded.GetStoredNextWaypoint(), loaded.GetLast());
    EXPECT_EQ(StoreToBytes(loaded), stored);
    // A route of one position: refused, nothing changed (cut files: FileIo).
    CVoyage target;
    target.SetTexts("keep", "keep", "keep");
    std::string one = stored.substr(0, head.size() - 4) + LeLong(1) + StoreToBytes(*v.GetFirst());
    CBinaryReader r(one);
    try {
        target.Serialize(r);
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
    }
    EXPECT_EQ(target.GetCount(), 2);
    EXPECT_EQ(target.GetDescription(), "keep");
}
