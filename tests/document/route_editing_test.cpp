#include "document/route_editing.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/conversion.h"
#include "support/model_test.h"

namespace {

// The meridian route: Departure, Fix A, Mid, Fix B, Arrival; the ship at Fix B steers for Arrival.
struct RouteEditing : ModelTest {
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    CVoyage* v = nullptr;
    void SetUp() override {
        ModelTest::SetUp();
        doc = Meridian();
        v = &doc->GetVoyage();
    }
    Names Route() const { return RouteNames(*v); }
};

} // namespace

TEST_F(RouteEditing, PositionSheetFillsAndApplies) {
    CPosition p(-(52 + 17.2999 / 60.0), -(4 + 5.5 / 60.0), kNow);
    p.SetName("Cape");
    p.SetProceedVia(CPosition::kGreatCircle);
    p.SetZoneOffset(-3.0);
    p.AddPerformance(10.0, 1.0, 8.0, 90.0);

    CPositionSheetFields f = PositionSheetFields(p);
    EXPECT_EQ((std::tuple{f.description, f.latitude, f.longitude, f.proceedVia, f.zoneOffset.has_value()}),
              (std::tuple{"Cape", CCoordinateFields{52, 17.29, 1}, CCoordinateFields{4, 5.5, 1}, 0, false}));
    // Confirmed unchanged: the minutes are cut to hundredths, nothing else moves.
    ApplyPositionSheet(f, p);
    EXPECT_DOUBLE_EQ(p.GetLatitude(), -(52 + 17.29 * 0.016666666666666666));
    EXPECT_EQ((std::tuple{p.GetZoneOffset(), p.GetTime()}), (std::tuple{-3.0, kNow}));

    f = {"Harbour", {52, 30.0, 1}, {3, 15.0, -1}, 1, 2.0}; // no hemisphere chosen counts as East
    ApplyPositionSheet(*doc, f, p);
    EXPECT_EQ((std::tuple{p.GetLatitude(), p.GetLongitude(), p.GetName(), p.GetProceedVia(), p.GetZoneOffset()}),
              (std::tuple{-52.5, 3.25, "Harbour", CPosition::kRhumbLine, 2.0}));
    EXPECT_TRUE(doc->IsModified());

    const CPositionAverages a = PositionAverages(p);
    EXPECT_EQ((std::tuple{a.currentCount, a.currentDirection, a.averageRpm, a.pressure}),
              (std::tuple{1, 10.0, 90.0, 1000.0}));
}

TEST_F(RouteEditing, ListingFollowsShowAndInformation) {
    CWaypointListing all = ListWaypoints(*v, kShowBoth, kInfoLatLon);
    EXPECT_EQ(all.titles, (std::array<std::string, 3>{"Latitude", "Longitude", "Proceed via"}));
    ASSERT_EQ(all.rows.size(), 5u);
    EXPECT_EQ(all.rows[4].routeIndex, 4);
    EXPECT_EQ(all.rows[1].columns,
              (std::array<std::string, 4>{"Fix A", "49:48.00 North", "00:00.00 East", "Rhumbline"}));
    EXPECT_TRUE(all.rows[1].fix);
    EXPECT_EQ(all.totalDistance, 120.0) << "50N to 48N along the meridian";
    EXPECT_EQ(all.requiredSpeed, 12.0) << "in 10 hours";

    CWaypointListing fixes = ListWaypoints(*v, kShowPositions, kInfoCourseDistance);
    EXPECT_EQ(fixes.titles, (std::array<std::string, 3>{"Course", "Distance", "Proceed via"}));
    ASSERT_EQ(fixes.rows.size(), 2u);
    EXPECT_EQ(fixes.rows[0].routeIndex, 1);
    EXPECT_EQ(fixes.rows[1].columns, (std::array<std::string, 4>{"Fix B", "180.00", "84.00", "Rhumbline"}));

    v->GetLast()->SetProceedVia(CPosition::kGreatCircle);
    v->GetLast()->SetETA(CConversion::DayNumber(kNow + 6 * 3600));
    v->GetLast()->SetSpeed(12.5);
    CWaypointListing waypoints = ListWaypoints(*v, kShowWaypoints, kInfoSpeedEta);
    EXPECT_EQ(waypoints.titles, (std::array<std::string, 3>{"ETA (UTC)", "Speed", "Proceed via"}));
    ASSERT_EQ(waypoints.rows.size(), 3u);
    EXPECT_EQ(waypoints.rows[2].columns,
              (std::array<std::string, 4>{"Arrival", "06 Dec 18:00", "12.50", "Greatcircle"}));

    v->GetLast()->SetTime(v->GetFirst()->GetTime());
    EXPECT_EQ(ListWaypoints(*v, kShowBoth, kInfoLatLon).requiredSpeed, 0.0) << "no time: none, not infinite";
}

TEST_F(RouteEditing, NewWaypointsStandAtThePresentPositionNow) {
    CWaypointEditing edit(*doc, "Arrival");
    fake.clock.Set(kNow + 300);
    doc->GetPresentPosition().SetLongitude(0.25);
    // With "Waypoints" shown a selection does not count: appended after Arrival.
    CPosition* added = edit.Add(kShowWaypoints, 1);
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Fix B", "Arrival", "New Position"}));
    EXPECT_EQ((std::tuple{added->GetKind(), added->GetLatitude(), added->GetLongitude(), added->GetTime()}),
              (std::tuple{CPosition::kWaypoint, 49.4, 0.25, kNow + 300}));
    EXPECT_TRUE(doc->IsModified());
    edit.CancelAdd(added);
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
    EXPECT_FALSE(doc->IsModified()) << "nothing changed after all";

    // With "Both" it goes after the selected row; a kept one stays and marks the document.
    edit.Add(kShowBoth, 2)->SetName("Extra");
    CPosition* other = edit.Add(kShowBoth, -1);
    EXPECT_EQ(v->GetLast(), other);
    edit.CancelAdd(other);
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Extra", "Fix B", "Arrival"}));
    EXPECT_TRUE(doc->IsModified()) << "a second Add cancelled leaves the first and its flag";
}

TEST_F(RouteEditing, DeleteRefusesAsksAndRemoves) {
    v->GetAt(2)->SetName("Arrival"); // a namesake of the next waypoint
    CWaypointEditing edit(*doc, "Arrival");
    for (auto [show, row] : {std::pair{kShowPositions, 1}, {kShowBoth, -1}, {kShowBoth, 2}, {kShowBoth, 0}})
        EXPECT_FALSE(edit.Delete(show, row)) << row;
    CWaypointEditing other(*doc, "Somewhere");
    EXPECT_FALSE(other.Delete(kShowBoth, 4));
    EXPECT_EQ(Shown(), (Names{"Please check show both and select waypoint to delete",
                              "Please check show both and select waypoint to delete",
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
    EXPECT_EQ(Route(), (Names{"Departure", "Mid", "Fix B", "Arrival"}));
    EXPECT_EQ(fake.prompts.History()[1].text, "Delete Waypoint Fix A");
    EXPECT_EQ(fake.prompts.History()[1].buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetReferencePosition(), v->GetFirst()) << "the deleted reference fix is not left dangling";

    fake.prompts.SetDefaultAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(edit.Delete(kShowBoth, 1));
    EXPECT_TRUE(edit.Delete(kShowBoth, 1));
    EXPECT_FALSE(edit.Delete(kShowBoth, 1));
    EXPECT_EQ(Route(), (Names{"Departure", "Arrival"})) << "both ends stay";
}

TEST_F(RouteEditing, WipeAsksFirst) {
    doc->SetReferencePosition(v->GetAt(3));
    CWaypointEditing edit(*doc, "Arrival");
    fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(edit.Wipe());
    EXPECT_EQ(v->GetCount(), 5);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Shown(), Names{"This will delete all positionfixes from your route!\nContinue?"});
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::OkCancel);

    fake.prompts.ScriptAnswer(PromptAnswer::Ok);
    EXPECT_TRUE(edit.Wipe());
    EXPECT_EQ(Route(), (Names{"Departure", "Mid", "Arrival"}));
    EXPECT_EQ(doc->GetReferencePosition(), v->GetFirst());
    EXPECT_TRUE(doc->IsModified());

    for (CPosition* p : {v->GetFirst(), v->GetAt(1), v->GetLast()})
        p->SetKind(CPosition::kFix);
    fake.prompts.ScriptAnswer(PromptAnswer::Ok);
    EXPECT_TRUE(edit.Wipe());
    EXPECT_EQ(Route(), (Names{"Departure", "Arrival"})) << "a route of fixes keeps both ends";
}

TEST_F(RouteEditing, CourseChange) {
    CVessel& vessel = doc->GetVessel();
    vessel.m_manoeuvringRpm = 66;
    vessel.m_seaSpeedRpm = 105;
    vessel.m_engineSetting = 80;
    vessel.m_minutesPerRpm = 3.0;
    vessel.m_courseSetting = 175;
    doc->GetPresentPosition().SetSpeed(16.0);

    CCourseChange change = CCourseChange::ForDocument(*doc);
    EXPECT_EQ((std::tuple{change.GetCourse(), change.GetRpm()}), (std::tuple{175, 80}));
    // 84 nM (49.4N to 48N) in 6 hours is 14 knots: 80 rpm make 16 knots, so 70 rpm.
    EXPECT_NEAR(change.GetRequiredRpm(), 70.0, 1e-6);
    change.SetRpm(66); // 14 rpm down at 3 minutes each; 16 * 66 / 80 knots; the mean speed over 42 minutes
    EXPECT_DOUBLE_EQ(change.GetDuration(), 42.0);
    EXPECT_DOUBLE_EQ(change.GetSpeed(), 13.2);
    EXPECT_NEAR(change.GetDistance(), 10.22, 1e-9);
    for (auto [course, accepted] : {std::pair{361, false}, {-1, false}, {360, true}})
        EXPECT_EQ(change.AcceptCourse(course), accepted) << course;
    EXPECT_EQ(vessel.m_engineSetting, 80) << "nothing is applied before OK";

    change.AcceptCourse(200);
    change.Apply(*doc);
    EXPECT_EQ((std::tuple{vessel.m_courseSetting, vessel.m_engineSetting, doc->GetPresentPosition().GetCourse()}),
              (std::tuple{200, 66, 200.0}));
    EXPECT_DOUBLE_EQ(doc->GetPresentPosition().GetSpeed(), 13.2);
    EXPECT_TRUE(doc->IsModified());
    const Names logged{"Course changed to 200.00  Engine setting to 66.00 rpm"};
    EXPECT_EQ(host.Logged(), logged);
    Set("logcourse", 0);
    CCourseChange::ForDocument(*doc).Apply(*doc);
    EXPECT_EQ(host.Logged(), logged) << "\"logcourse\" off";

    vessel.m_engineSetting = 0;
    CCourseChange still(vessel, doc->GetPresentPosition(), 0.0);
    still.SetRpm(70);
    EXPECT_DOUBLE_EQ(still.GetSpeed(), 13.2) << "without revolutions the speed stays";
}

TEST_F(RouteEditing, SelectingTheNextWaypointPinsAndLogs) {
    Set("logwp", 0); // not consulted: the entry is always written
    const CBearingDistance toMid = BearingAndDistance(doc->GetPresentPosition(), *v->GetAt(2));
    EXPECT_NEAR(toMid.bearing, 0.0, 1e-6); // Mid lies 6 nM north, behind the ship
    EXPECT_NEAR(toMid.distance, 6.0, 1e-6);

    SelectNextWaypoint(*doc, 2, false);
    EXPECT_EQ(doc->GetNextWaypoint(), v->GetAt(2)) << "pinned, although behind the ship";
    EXPECT_EQ(doc->GetPresentPosition().GetCourse(), 180.0);
    EXPECT_TRUE(doc->IsModified());
    SelectNextWaypoint(*doc, 2, true);
    EXPECT_NEAR(doc->GetPresentPosition().GetCourse(), toMid.bearing, 1e-9);
    EXPECT_EQ(host.Logged(), (Names{"Manually selected waypoint Mid", "Manually selected waypoint Mid"}));
}

TEST_F(RouteEditing, ReferenceChoiceListsTheFixes) {
    CReferenceChoice choice = ReferenceChoice(*doc);
    EXPECT_EQ(choice.names, (Names{"Fix A", "Fix B"}));
    EXPECT_EQ(choice.routeIndices, (std::vector<int>{1, 3}));
    EXPECT_EQ(choice.preselected, -1) << "the departure is no fix";
    v->GetAt(2)->SetName("Fix B"); // a waypoint named like a fix is not taken for it
    doc->SetReferencePosition(v->GetAt(2));
    EXPECT_EQ(ReferenceChoice(*doc).preselected, -1);
    EXPECT_FALSE(ChooseReference(*doc, 2));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(ChooseReference(*doc, 3));
    EXPECT_EQ(doc->GetReferencePosition(), v->GetAt(3));
    EXPECT_EQ(ReferenceChoice(*doc).preselected, 1);
}

TEST_F(RouteEditing, SpeedMadeGoodBetweenTwoPoints) {
    v->GetAt(2)->SetLongitude(0.5); // Mid off the meridian: the route is longer than the straight line
    const CSpeedMadeGood straight = SpeedMadeGood(*v, 0, 3, false);
    EXPECT_GT(SpeedMadeGood(*v, 0, 3, true).distance, straight.distance + 1.0);
    EXPECT_NEAR(straight.distance, 36.0, 1e-6);
    EXPECT_NEAR(straight.bearing, 180.0, 1e-6);
    EXPECT_NEAR(straight.speed.value_or(0.0), 18.0, 1e-6);
    EXPECT_EQ(SpeedMadeGood(*v, 0, -1, false).distance, SpeedMadeGood(*v, 0, 4, false).distance)
        << "no selection is the destination";
    for (auto [seconds, text] : {std::pair{2 * 3600, "2:00.00"}, {12 * 3600 + 1800, "12:30.00"}, {0, "00:00.00"}}) {
        v->GetAt(3)->SetTime(v->GetFirst()->GetTime() + seconds);
        const CSpeedMadeGood smg = SpeedMadeGood(*v, 0, 3, false);
        EXPECT_EQ(smg.timeText, text);
        EXPECT_EQ(smg.speed.has_value(), seconds != 0);
    }
}

TEST_F(RouteEditing, VoyagePropertiesInLocalTime) {
    fake.clock.SetLocalOffset(2 * 3600);
    v->SetTexts("Channel crossing", "Feeder", "V12");
    v->SetStartTime(kNow - 86400);
    CVoyageProperties p = VoyageProperties(*v);
    EXPECT_EQ((std::tuple{p.description, p.voyageNumber, p.destinationName, p.beginLocal}),
              (std::tuple{"Channel crossing", "V12", "Arrival", kNow - 86400 + 7200}));

    p.service = "Liner";
    p.beginLocal = CTime::FromUtc(2026, 3, 11, 8, 0, 0);
    p.endLocal = CTime::FromUtc(2026, 3, 12, 20, 30, 0);
    ApplyVoyageProperties(*doc, p);
    EXPECT_EQ((std::tuple{v->GetService(), v->GetStartTime(), v->GetEndTime()}),
              (std::tuple{"Liner", CTime::FromUtc(2026, 3, 11, 6, 0, 0), CTime::FromUtc(2026, 3, 12, 18, 30, 0)}));
    EXPECT_EQ(v->GetFirst()->GetTime(), kNow - 4 * 3600) << "the departure's own time is not touched";
    EXPECT_TRUE(doc->IsModified());
}
