#include "core/voyage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/archive.h"
#include "core/conversion.h"
#include "particulars/vessel.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 6, 1, 12, 0, 0);

void Place(CPosition* p, double lat, double lon, const char* name = nullptr) {
    p->SetLatitude(lat);
    p->SetLongitude(lon);
    if (name) p->SetName(name);
}

// Departure 10N 1W, waypoint B 10N 2E, arrival 10N 4E, all rhumb line.
struct Route {
    CFakeServices fake;
    std::unique_ptr<CVoyage> voyage;
    CPosition present;
    Route() {
        fake.clock.Set(kNow);
        voyage = std::make_unique<CVoyage>();
        Place(voyage->GetFirst(), 10, -1);
        CPosition* b = voyage->InsertWaypointAfter(voyage->GetFirst());
        Place(b, 10, 2, "B");
        Place(voyage->GetLast(), 10, 4);
        present.SetTime(kNow);
        Place(&present, 10, 0, "Present");
        present.SetCourse(90);
        present.SetSpeed(12);
    }
};

} // namespace

TEST(Voyage, FreshVoyage) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CVoyage v;
    EXPECT_EQ(v.GetCount(), 2);
    EXPECT_EQ(v.GetFirst()->GetName(), "Departure");
    EXPECT_EQ(v.GetLast()->GetName(), "Arrival");
    EXPECT_EQ(v.GetFirst()->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(v.GetLast()->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(v.GetStoredNextWaypoint(), v.GetLast());
    EXPECT_EQ(v.GetNextIndex(), 1);
    EXPECT_EQ(v.GetAt(5)->GetName(), "Arrival");
    EXPECT_EQ(v.GetAt(-1)->GetName(), "Arrival");
    EXPECT_EQ(v.GetSpeed(), 17.0);
    EXPECT_EQ(v.GetStartTime(), kNow);
    EXPECT_EQ(v.GetLastFix(), v.GetFirst());
}

TEST(Voyage, SettingsAreReadAtConstruction) {
    CFakeServices fake;
    EXPECT_EQ(CVoyage().GetReduceSetting(), 1);
    fake.settings.SetInt(kSettingsSection, "navreduce", 0);
    fake.settings.SetInt(kSettingsSection, "navselectwp", 0);
    CVoyage v;
    EXPECT_EQ(v.GetReduceSetting(), 0);
    EXPECT_EQ(v.GetSelectWaypointSetting(), 0);
    EXPECT_EQ(v.GetChangeCourseSetting(), 1);
}

TEST(Voyage, NextWaypointPassesWaypointsBehind) {
    Route r;
    // The candidate is the departure, 180 degrees off the course: B is next.
    EXPECT_EQ(r.voyage->GetNextWaypoint(r.present)->GetName(), "B");
    // Heading west, the departure is ahead.
    r.present.SetCourse(270);
    EXPECT_EQ(r.voyage->GetNextWaypoint(r.present), r.voyage->GetFirst());
    // Pinned by hand until the next fix.
    r.present.SetCourse(90);
    r.voyage->SetNextWaypoint(r.voyage->GetFirst());
    EXPECT_EQ(r.voyage->GetNextWaypoint(r.present), r.voyage->GetFirst());
    CPosition* fix = r.voyage->InsertFix();
    EXPECT_EQ(r.voyage->IndexOf(fix), 0) << "inserted before the next waypoint";
    EXPECT_FALSE(r.voyage->IsManualSelection());
}

TEST(Voyage, AWaypointTheShipIsAtCountsAsReached) {
    Route r;
    Place(&r.present, 10, -1); // exactly at the departure, course 090
    r.present.SetCourse(270);  // even heading back over it
    EXPECT_EQ(r.voyage->GetNextWaypoint(r.present)->GetName(), "B");
    // So the first fix of a new voyage goes after the departure, not before it.
    CPosition* fix = r.voyage->InsertFix();
    EXPECT_EQ(r.voyage->IndexOf(fix), 1);
}

TEST(Voyage, FixesSitBeforeTheNextWaypoint) {
    Route r;
    r.voyage->GetNextWaypoint(r.present); // B
    CPosition* fix = r.voyage->InsertFix();
    Place(fix, 10, 0.5, "Fix 1");
    EXPECT_EQ(r.voyage->IndexOf(fix), 1);
    EXPECT_EQ(r.voyage->GetLastFix(), fix);
    EXPECT_EQ(fix->GetKind(), CPosition::kFix);
    // From the last fix the walk skips fixes to the next waypoint.
    Place(&r.present, 10, 0.6);
    EXPECT_EQ(r.voyage->GetNextWaypoint(r.present)->GetName(), "B");
    // Past B (present beyond it, still heading east): the arrival.
    Place(&r.present, 10, 2.5);
    CPosition* fix2 = r.voyage->InsertFix();
    Place(fix2, 10, 2.4);
    EXPECT_EQ(r.voyage->IndexOf(fix2), 2) << "still before B, which was the stored next waypoint";
    EXPECT_EQ(r.voyage->GetNextWaypoint(r.present), r.voyage->GetLast());
}

TEST(Voyage, PresentPositionInTheRoute) {
    Route r;
    CPosition* b = r.voyage->GetAt(1);
    b->SetCourse(90);
    EXPECT_EQ(r.voyage->GetNextWaypoint(*b), r.voyage->GetLast());
}

TEST(Voyage, UpdateETAsAndLegs) {
    Route r;
    r.voyage->SetReduceSetting(0);
    r.voyage->SetSpeed(12);
    const double remaining = r.voyage->UpdateETAs(r.present);
    CPosition* b = r.voyage->GetAt(1);
    // B lies 120 nM ahead (2 degrees on the parallel of 10N times cos 10).
    const double toB = r.present.DistanceTo(10, 2, 1);
    const double bToArrival = b->DistanceTo(10, 4, 1);
    EXPECT_NEAR(remaining, toB + bToArrival, 1e-9);
    EXPECT_DOUBLE_EQ(r.present.GetETA(), CConversion::DayNumber(kNow));
    EXPECT_NEAR(b->GetETA(), CConversion::DayNumber(kNow) + toB / 12.0 / 24.0, 1e-12);
    EXPECT_NEAR(r.voyage->GetLast()->GetETA(), b->GetETA() + bToArrival / 12.0 / 24.0, 1e-12);
    EXPECT_EQ(b->GetSpeed(), 12.0);
    EXPECT_EQ(r.voyage->GetLast()->GetSpeed(), 0.0) << "the destination's speed is set only when it is next";
    EXPECT_DOUBLE_EQ(r.voyage->GetRemainingDistance(), remaining);

    const double total = r.voyage->UpdateLegs();
    double course;
    EXPECT_NEAR(r.voyage->GetFirst()->GetLeg(course), r.voyage->GetFirst()->DistanceTo(10, 2, 1), 1e-9);
    EXPECT_NEAR(course, 90.0, 1e-6);
    EXPECT_NEAR(total, r.voyage->GetFirst()->DistanceTo(10, 4, 1), 1e-9);
}

TEST(Voyage, TwoHoursToTheNextWaypoint) {
    Route r;
    r.voyage->SetSpeed(12);
    CPosition* b = r.voyage->GetAt(1);
    Place(&r.present, 10, 2);
    r.present.SailRhumbLine(24, 270); // 24 nM west of B
    r.voyage->UpdateETAs(r.present);
    EXPECT_NEAR(b->GetETA() - r.present.GetETA(), 1.0 / 12.0, 1e-9);
}

TEST(Voyage, ReductionShiftsOnlyTheDestination) {
    Route r;
    CVessel vessel;
    vessel.m_engineSetting = 96;
    vessel.m_manoeuvringRpm = 66;
    vessel.m_minutesPerRpm = 2.0; // one hour to run down
    r.voyage->SetVessel(&vessel);
    r.voyage->SetSpeed(10);
    r.voyage->UpdateETAs(r.present);
    CPosition* b = r.voyage->GetAt(1);
    const double leg = b->DistanceTo(10, 4, 1);
    const double t = 1.0;
    const double reduction = t * (10.0 * 66.0 / 96.0 + 10.0) * 0.5;
    EXPECT_DOUBLE_EQ(vessel.GetReductionTime(), t);
    EXPECT_DOUBLE_EQ(vessel.GetReductionDistance(10), reduction);
    EXPECT_NEAR(r.voyage->GetLast()->GetETA(), b->GetETA() + ((leg - reduction) / 10.0 + t) / 24.0, 1e-12);
    EXPECT_NEAR(r.voyage->GetRemainingDistance(), r.present.DistanceTo(10, 2, 1) + leg, 1e-9);
}

TEST(Voyage, SpeedZeroKeepsEveryETAFinite) {
    Route r;
    CVessel vessel;
    r.voyage->SetVessel(&vessel);
    r.voyage->SetSpeed(0);
    r.voyage->UpdateETAs(r.present);
    const double now = CConversion::DayNumber(kNow);
    for (int i = 1; i < r.voyage->GetCount(); ++i) {
        EXPECT_TRUE(std::isfinite(r.voyage->GetAt(i)->GetETA())) << i;
        EXPECT_DOUBLE_EQ(r.voyage->GetAt(i)->GetETA(), now) << i;
    }
    // No engine setting: no run-down, not NaN.
    vessel.m_engineSetting = 0;
    EXPECT_EQ(vessel.GetReductionDistance(12), 0.0);
    EXPECT_EQ(vessel.GetReductionTime(), 0.0);
    r.voyage->SetSpeed(12);
    r.voyage->UpdateETAs(r.present);
    EXPECT_TRUE(std::isfinite(r.voyage->GetLast()->GetETA()));
}

TEST(Voyage, RouteDistanceAndItsRefusals) {
    Route r;
    CPosition* dep = r.voyage->GetFirst();
    CPosition* b = r.voyage->GetAt(1);
    CPosition* arr = r.voyage->GetLast();
    const double depB = dep->DistanceTo(10, 2, 1), bArr = b->DistanceTo(10, 4, 1);
    EXPECT_NEAR(r.voyage->RouteDistance(dep, arr), depB + bArr, 1e-9);
    EXPECT_NEAR(r.voyage->RouteDistance(b, arr), bArr, 1e-9);
    // Backwards: walk to the end, then from the destination to the target.
    EXPECT_NEAR(r.voyage->RouteDistance(b, dep), bArr + arr->DistanceTo(10, -1, 1), 1e-9);

    CPosition outside;
    EXPECT_EQ(r.voyage->RouteDistance(&outside, arr), 0.0);
    EXPECT_EQ(r.voyage->RouteDistance(dep, &outside), 0.0);
    ASSERT_EQ(r.fake.prompts.History().size(), 2u);
    EXPECT_EQ(r.fake.prompts.History()[0].text, "First position does not exist in route");
    EXPECT_EQ(r.fake.prompts.History()[0].icon, PromptIcon::Stop);
    EXPECT_EQ(r.fake.prompts.History()[1].text, "Second position does not exist in route");
}

TEST(Voyage, WipeFixesKeepsTheWaypoints) {
    Route r;
    r.voyage->GetFirst()->SetKind(CPosition::kFix);
    r.voyage->GetNextWaypoint(r.present);
    r.voyage->InsertFix();
    r.voyage->InsertFix();
    EXPECT_EQ(r.voyage->GetCount(), 5);
    r.voyage->WipeFixes();
    EXPECT_EQ(r.voyage->GetCount(), 3);
    EXPECT_EQ(r.voyage->GetFirst()->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(r.voyage->GetStoredNextWaypoint(), r.voyage->GetFirst());
}

TEST(Voyage, RemovingPositions) {
    Route r;
    r.voyage->GetNextWaypoint(r.present);
    ASSERT_EQ(r.voyage->GetStoredNextWaypoint()->GetName(), "B");
    EXPECT_TRUE(r.voyage->RemoveAt(1));
    // The removed next waypoint hands over to its successor.
    EXPECT_EQ(r.voyage->GetStoredNextWaypoint(), r.voyage->GetLast());
    EXPECT_FALSE(r.voyage->RemoveAt(7));
    EXPECT_FALSE(r.voyage->RemoveAt(0)) << "a departure and a destination always remain";
    EXPECT_EQ(r.voyage->GetCount(), 2);
    CPosition* w = r.voyage->AddWaypoint();
    EXPECT_EQ(w->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(r.voyage->GetLast(), w);
}

TEST(Voyage, StoredLayoutAndRoundTrip) {
    Route r;
    r.voyage->SetTexts("Rotterdam - Houston", "Liner", "V-17");
    r.voyage->SetStartTime(CTime(1000));
    r.voyage->SetEndTime(CTime(2000));
    r.voyage->UpdateETAs(r.present);
    r.voyage->UpdateLegs();

    const std::string stored = StoreToBytes(*r.voyage);
    const std::string head = LeDouble(r.voyage->GetRemainingDistance()) + LeDouble(r.voyage->GetTotalDistance()) +
                             CountedString("Rotterdam - Houston") + CountedString("Liner") + CountedString("V-17") +
                             Hex("e8030000 d0070000") + LeLong(3);
    ASSERT_GE(stored.size(), head.size());
    EXPECT_EQ(ToHex(stored.substr(0, head.size())), ToHex(head));
    std::string positions;
    for (int i = 0; i < 3; ++i) positions += StoreToBytes(*r.voyage->GetAt(i));
    EXPECT_EQ(stored.substr(head.size()), positions);

    CVoyage loaded;
    CBinaryReader reader(stored);
    loaded.Serialize(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(loaded.GetCount(), 3);
    EXPECT_EQ(loaded.GetAt(1)->GetName(), "B");
    EXPECT_EQ(loaded.GetDescription(), "Rotterdam - Houston");
    EXPECT_EQ(loaded.GetVoyageNumber(), "V-17");
    EXPECT_EQ(loaded.GetEndTime(), CTime(2000));
    EXPECT_EQ(loaded.GetStoredNextWaypoint(), loaded.GetLast());
    EXPECT_EQ(StoreToBytes(loaded), stored);
}

TEST(Voyage, DamagedFilesLeaveTheRouteAsItWas) {
    Route r;
    const std::string stored = StoreToBytes(*r.voyage);
    CVoyage target;
    target.SetTexts("keep", "keep", "keep");
    Place(target.GetFirst(), 1, 2, "Mine");

    // Cut anywhere: refused, nothing changed.
    for (std::size_t cut : {std::size_t(0), std::size_t(7), std::size_t(40), stored.size() / 2, stored.size() - 1}) {
        const std::string readerBytes = stored.substr(0, cut);
        CBinaryReader reader(readerBytes);
        EXPECT_THROW(target.Serialize(reader), CArchiveException) << cut;
        EXPECT_EQ(target.GetCount(), 2);
        EXPECT_EQ(target.GetFirst()->GetName(), "Mine");
        EXPECT_EQ(target.GetDescription(), "keep");
    }

    // A route of one position is refused as damaged.
    CBinaryWriter w;
    double zero = 0;
    std::string empty;
    CTime t(0);
    w.Double("", zero);
    w.Double("", zero);
    w.String("", empty);
    w.String("", empty);
    w.String("", empty);
    w.Time("", t);
    w.Time("", t);
    w.WriteLong(1);
    w.WriteBytes(StoreToBytes(*r.voyage->GetFirst()).data(), StoreToBytes(*r.voyage->GetFirst()).size());
    CBinaryReader reader(w.Bytes());
    try {
        target.Serialize(reader);
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
    }
    EXPECT_EQ(target.GetFirst()->GetName(), "Mine");
}

TEST(Voyage, HoursFromDepartureAndToArrival) {
    Route r;
    r.voyage->GetFirst()->SetTime(kNow - 3600 * 10);
    r.voyage->GetLast()->SetTime(kNow + 3600 * 30);
    EXPECT_NEAR(r.voyage->HoursSinceDeparture(r.present), 10.0, 1e-9);
    EXPECT_NEAR(r.voyage->HoursToArrival(r.present), 30.0, 1e-9);
}
