#include "document/route_editing.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/conversion.h"
#include "support/model_test.h"

// Departure 50N, Fix A, Mid, Fix B, Arrival 48N; the ship at Fix B steers for Arrival.
using RouteEditing = VoyageTest<MakeMeridianRoute>;

TEST_F(RouteEditing, PositionSheetFillsAndApplies) {
    CPosition p(-(52 + 17.2999 / 60.0), -(4 + 5.5 / 60.0), kNow);
    p.SetName("Cape");
    p.SetProceedVia(CPosition::kGreatCircle);
    p.SetZoneOffset(-3.0);
    p.AddPerformance(10.0, 1.0, 8.0, 90.0);

    CPositionSheetFields f = PositionSheetFields(p);
    EXPECT_EQ((std::tuple{f.description, f.latitude, f.longitude, f.proceedVia, f.zoneOffset.has_value()}),
              (std::tuple{"Cape", CCoordinateFields{52, 17.29, 1}, CCoordinateFields{4, 5.5, 1}, 0, false}));
    ApplyPositionSheet(f, p); // confirmed unchanged: the minutes are cut to hundredths, nothing else moves
    EXPECT_DOUBLE_EQ(p.GetLatitude(), -(52 + 17.29 * 0.016666666666666666));
    EXPECT_EQ(Row(p.GetZoneOffset(), p.GetTime()), Row(-3.0, kNow));

    f = {"Harbour", {52, 30.0, 1}, {3, 15.0, -1}, 1, 2.0}; // no hemisphere chosen counts as East
    ApplyPositionSheet(*doc, f, p);
    EXPECT_EQ(Row(p.GetLatitude(), p.GetLongitude(), p.GetName(), p.GetProceedVia(), p.GetZoneOffset()),
              "-52.50|3.25|Harbour|1|2.00");
    EXPECT_TRUE(doc->IsModified());
    const CPositionAverages a = PositionAverages(p);
    EXPECT_EQ(Row(a.currentCount, a.currentDirection, a.averageRpm, a.pressure), "1|10.00|90.00|1000.00");
}

TEST_F(RouteEditing, ListingFollowsShowAndInformation) {
    const auto row = [](const CWaypointListing& l, std::size_t i) {
        const auto& c = l.rows.at(i).columns;
        return Row(l.titles[0], l.titles[1], l.titles[2], l.rows.size(), l.rows.at(i).routeIndex, c[0], c[1], c[2],
                   c[3]);
    };
    const CWaypointListing all = ListWaypoints(*v, kShowBoth, kInfoLatLon);
    EXPECT_EQ(row(all, 1), "Latitude|Longitude|Proceed via|5|1|Fix A|49:48.00 North|00:00.00 East|Rhumbline");
    EXPECT_TRUE(all.rows[1].fix);
    EXPECT_EQ(Row(all.totalDistance, all.requiredSpeed), "120.00|12.00") << "50N to 48N along the meridian in 10 hours";
    EXPECT_EQ(row(ListWaypoints(*v, kShowPositions, kInfoCourseDistance), 1),
              "Course|Distance|Proceed via|2|3|Fix B|180.00|84.00|Rhumbline");
    v->GetLast()->SetProceedVia(CPosition::kGreatCircle);
    v->GetLast()->SetETA(CConversion::DayNumber(kNow + 6 * 3600));
    v->GetLast()->SetSpeed(12.5);
    EXPECT_EQ(row(ListWaypoints(*v, kShowWaypoints, kInfoSpeedEta), 2),
              "ETA (UTC)|Speed|Proceed via|3|4|Arrival|06 Dec 18:00|12.50|Greatcircle");
    v->GetLast()->SetTime(v->GetFirst()->GetTime());
    EXPECT_EQ(ListWaypoints(*v, kShowBoth, kInfoLatLon).requiredSpeed, 0.0) << "no time: none, not infinite";
}

TEST_F(RouteEditing, NewWaypointsStandAtThePresentPositionNow) {
    CWaypointEditing edit(*doc, "Arrival");
    fake.clock.Set(kNow + 300);
    present->SetLongitude(0.25);
    CPosition* added = edit.Add(kShowWaypoints, 1); // the second waypoint listed
    EXPECT_EQ(RouteNames(*v), (Names{"Departure", "Fix A", "Mid", "New Position", "Fix B", "Arrival"}));
    EXPECT_EQ(Row(added->GetKind(), added->GetLatitude(), added->GetLongitude(), added->GetTime()),
              Row(CPosition::kWaypoint, 49.4, 0.25, kNow + 300));
    edit.CancelAdd(added);
    EXPECT_EQ(RouteNames(*v), (Names{"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
    EXPECT_FALSE(doc->IsModified()) << "nothing changed after all";
    for (int row : {-1, 2}) { // none, or the destination's row: the destination stays last
        CPosition* extra = edit.Add(kShowWaypoints, row);
        EXPECT_EQ(Row(v->IndexOf(extra), v->GetLast()->GetName()), "4|Arrival") << row;
        edit.CancelAdd(extra);
    }

    // With "Both" it goes after the selected row; a kept one stays and marks the document.
    edit.Add(kShowBoth, 2)->SetName("Extra");
    CPosition* other = edit.Add(kShowBoth, -1);
    EXPECT_EQ(v->GetLast(), other);
    edit.CancelAdd(other);
    EXPECT_EQ(RouteNames(*v), (Names{"Departure", "Fix A", "Mid", "Extra", "Fix B", "Arrival"}));
    EXPECT_TRUE(doc->IsModified()) << "a second Add cancelled leaves the first and its flag";
}

TEST_F(RouteEditing, DeleteRefusesAsksAndRemoves) {
    v->GetAt(2)->SetName("Arrival"); // a namesake of the next waypoint
    CWaypointEditing edit(*doc, "Arrival");
    for (auto [show, row] : {std::pair{kShowPositions, 1}, {kShowBoth, 2}, {kShowBoth, 0}, {kShowBoth, 4}})
        EXPECT_FALSE(CWaypointEditing(*doc, row == 4 ? "Somewhere" : "Arrival").Delete(show, row)) << row;
    EXPECT_EQ(Shown(), (Names{"Please check show both and select waypoint to delete",
                              "You are at present steering towards this waypoint\nDeleting the selected waypoint is "
                              "not allowed\nPlease return to mainscreen and deselect this waypoint first",
                              "The departure can not be deleted\nThe route always begins at its departure",
                              "The destination can not be deleted\nThe route always ends at its destination"}));
    EXPECT_FALSE(doc->IsModified());

    v->GetAt(2)->SetName("Mid");
    doc->SetReferencePosition(v->GetAt(1));
    fake.prompts.Clear();
    fake.prompts.ScriptAnswer(PromptAnswer::No);
    fake.prompts.ScriptAnswer(PromptAnswer::Yes);
    EXPECT_FALSE(edit.Delete(kShowBoth, 1));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(edit.Delete(kShowBoth, 1));
    EXPECT_EQ(RouteNames(*v), (Names{"Departure", "Mid", "Fix B", "Arrival"}));
    EXPECT_EQ(fake.prompts.History()[1].text, "Delete Waypoint Fix A");
    EXPECT_EQ(fake.prompts.History()[1].buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetReferencePosition(), v->GetFirst()) << "the deleted reference fix is not left dangling";
}

TEST_F(RouteEditing, WipeAsksFirst) {
    doc->SetReferencePosition(v->GetAt(3));
    CWaypointEditing edit(*doc, "Arrival");
    fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(edit.Wipe());
    EXPECT_EQ(Row(v->GetCount(), doc->IsModified()), "5|0");
    EXPECT_EQ(Shown(), Names{"This will delete all positionfixes from your route!\nContinue?"});
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::OkCancel);

    fake.prompts.ScriptAnswer(PromptAnswer::Ok);
    EXPECT_TRUE(edit.Wipe());
    EXPECT_EQ(RouteNames(*v), (Names{"Departure", "Mid", "Arrival"}));
    EXPECT_EQ(doc->GetNextWaypoint(), v->GetLast()) << "the departure and Mid lie astern";
    EXPECT_EQ(doc->GetReferencePosition(), v->GetFirst());
    EXPECT_TRUE(doc->IsModified());
    for (CPosition* p : {v->GetFirst(), v->GetAt(1), v->GetLast()})
        p->SetKind(CPosition::kFix);
    fake.prompts.ScriptAnswer(PromptAnswer::Ok);
    EXPECT_TRUE(edit.Wipe());
    EXPECT_EQ(RouteNames(*v), (Names{"Departure", "Arrival"})) << "a route of fixes keeps both ends";
}

TEST_F(RouteEditing, CourseChange) {
    CVessel& vessel = doc->GetVessel();
    vessel.m_manoeuvringRpm = 66;
    vessel.m_seaSpeedRpm = 105;
    vessel.m_engineSetting = 80;
    vessel.m_minutesPerRpm = 3.0;
    vessel.m_courseSetting = 175;
    present->SetSpeed(16.0);

    CCourseChange change = CCourseChange::ForDocument(*doc);
    // 84 nM (49.4N to 48N) in 6 hours is 14 knots: 80 rpm make 16 knots, so 70 rpm.
    EXPECT_EQ(Row(change.GetCourse(), change.GetRpm(), change.GetRequiredRpm()), "175|80|70.00");
    change.SetRpm(66); // 14 rpm down at 3 minutes each; 16 * 66 / 80 knots; the mean speed over 42 minutes
    EXPECT_EQ(Row(change.GetDuration(), change.GetSpeed(), change.GetDistance()), "42.00|13.20|10.22");
    for (auto [course, accepted] : {std::pair{361, false}, {-1, false}, {360, true}})
        EXPECT_EQ(change.AcceptCourse(course), accepted) << course;
    EXPECT_EQ(vessel.m_engineSetting, 80) << "nothing is applied before OK";

    change.AcceptCourse(200);
    change.Apply(*doc);
    EXPECT_EQ(Row(vessel.m_courseSetting, vessel.m_engineSetting, present->GetCourse(), present->GetSpeed()),
              "200|66|200.00|13.20");
    EXPECT_TRUE(doc->IsModified());
    const Names logged{"Course changed to 200.00  Engine setting to 66.00 rpm"};
    EXPECT_EQ(host.Logged(), logged);
    Set("logcourse", 0);
    CCourseChange::ForDocument(*doc).Apply(*doc);
    EXPECT_EQ(host.Logged(), logged) << "\"logcourse\" off";

    vessel.m_engineSetting = 0;
    CCourseChange still(vessel, *present, 0.0);
    still.SetRpm(70);
    EXPECT_DOUBLE_EQ(still.GetSpeed(), 13.2) << "without revolutions the speed stays";
}

TEST_F(RouteEditing, SelectingTheNextWaypointPinsAndLogs) {
    Set("logwp", 0); // not consulted: the entry is always written
    const CBearingDistance toMid = BearingAndDistance(*present, *v->GetAt(2));
    EXPECT_EQ(Row(toMid.bearing, toMid.distance), "0.00|6.00") << "Mid lies 6 nM north, behind the ship";
    SelectNextWaypoint(*doc, 2, false);
    EXPECT_EQ(doc->GetNextWaypoint(), v->GetAt(2)) << "pinned, although behind the ship";
    EXPECT_EQ(Row(present->GetCourse(), doc->IsModified()), "180.00|1");
    SelectNextWaypoint(*doc, 2, true);
    EXPECT_NEAR(present->GetCourse(), toMid.bearing, 1e-9);
    EXPECT_EQ(host.Logged(), (Names{"Manually selected waypoint Mid", "Manually selected waypoint Mid"}));
}

TEST_F(RouteEditing, SpeedMadeGoodBetweenTwoPoints) {
    v->GetAt(2)->SetLongitude(0.5); // Mid off the meridian: the route is longer than the straight line
    const CSpeedMadeGood straight = SpeedMadeGood(*v, 0, 3, false);
    EXPECT_GT(SpeedMadeGood(*v, 0, 3, true).distance, straight.distance + 1.0);
    EXPECT_EQ(Row(straight.distance, straight.bearing, straight.speed.value_or(0.0)), "36.00|180.00|18.00");
    EXPECT_EQ(SpeedMadeGood(*v, 0, -1, false).distance, SpeedMadeGood(*v, 0, 4, false).distance)
        << "no selection is the destination";
    EXPECT_EQ(SpeedMadeGood(*v, 3, 0, true).distance, SpeedMadeGood(*v, 0, 3, true).distance) << "forward only";
    EXPECT_EQ(SpeedMadeGood(*v, 3, 3, true).distance, 0.0);
    for (auto [seconds, text] : {std::pair{12 * 3600 + 1800, "12:30.00|1"}, {0, "00:00.00|0"}, {59, "|0"}}) {
        v->GetAt(3)->SetTime(v->GetFirst()->GetTime() + seconds);
        const CSpeedMadeGood smg = SpeedMadeGood(*v, 0, 3, false);
        EXPECT_EQ(Row(seconds == 59 ? "" : smg.timeText, smg.speed.has_value()), text);
    }
}
