#include "document/route_editing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/event_log.h"
#include "core/conversion.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 3, 10, 12, 0, 0);

// The meridian route: Departure, Fix A, Mid, Fix B, Arrival; the ship steers for Arrival.
struct RouteEditing : ::testing::Test {
    CTestHost host{kNow};
    CFakeServices& fake = host.fake;
    CKeelmarkLiteDoc doc;

    void SetUp() override {
        host.Set("logging", host.Path("ship.txt"));
        host.Set("navreduce", 0);
        doc.SetRecordPathOnClose(false);
        MakeMeridianRoute(doc, kNow);
    }

    std::vector<std::string> Route() const { return RouteNames(const_cast<CKeelmarkLiteDoc&>(doc).GetVoyage()); }

    std::string LogFile() const { return host.Log(); }
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(RouteEditing, PositionSheetFillsAndApplies) {
    CPosition p;
    p.SetLatitude(-(52 + 17.2999 / 60.0));
    p.SetLongitude(-(4 + 5.5 / 60.0));
    p.SetName("Cape");
    p.SetProceedVia(CPosition::kGreatCircle);
    p.SetZoneOffset(-3.0);
    p.SetTime(kNow);
    p.SetSpeed(11.0);
    p.SetCourse(270.0);
    p.SetKind(CPosition::kWaypoint);
    p.AddPerformance(10.0, 1.0, 8.0, 90.0);

    CPositionSheetFields f = PositionSheetFields(p);
    EXPECT_EQ(f.description, "Cape");
    EXPECT_EQ(f.latitude, (CCoordinateFields{52, 17.29, 1}));
    EXPECT_EQ(f.longitude, (CCoordinateFields{4, 5.5, 1}));
    EXPECT_EQ(f.proceedVia, 0);
    EXPECT_FALSE(f.zoneOffset.has_value());

    // Confirmed unchanged: the minutes are cut to hundredths, nothing else moves.
    ApplyPositionSheet(f, p);
    EXPECT_DOUBLE_EQ(p.GetLatitude(), -(52 + 17.29 * 0.016666666666666666));
    EXPECT_DOUBLE_EQ(p.GetLongitude(), -(4 + 5.5 * 0.016666666666666666));
    EXPECT_EQ(p.GetZoneOffset(), -3.0);
    EXPECT_EQ(p.GetTime(), kNow);
    EXPECT_EQ(p.GetSpeed(), 11.0);
    EXPECT_EQ(p.GetCourse(), 270.0);
    EXPECT_EQ(p.GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(p.GetPerformanceCount(), 1);

    f.description = "Harbour";
    f.latitude = {52, 30.0, 1};
    f.longitude = {3, 15.0, -1}; // no hemisphere chosen counts as East
    f.proceedVia = 1;
    f.zoneOffset = 2.0;
    EXPECT_FALSE(doc.IsModified());
    ApplyPositionSheet(doc, f, p);
    EXPECT_EQ(p.GetLatitude(), -52.5);
    EXPECT_EQ(p.GetLongitude(), 3.25);
    EXPECT_EQ(p.GetName(), "Harbour");
    EXPECT_EQ(p.GetProceedVia(), CPosition::kRhumbLine);
    EXPECT_EQ(p.GetZoneOffset(), 2.0);
    EXPECT_TRUE(doc.IsModified());

    const CPositionAverages a = PositionAverages(p);
    EXPECT_EQ(a.performanceCount, 1);
    EXPECT_EQ(a.currentCount, 1);
    EXPECT_EQ(a.currentDirection, 10.0);
    EXPECT_EQ(a.averageRpm, 90.0);
    EXPECT_EQ(a.pressure, 1000.0);
}

TEST_F(RouteEditing, ListingFollowsShowAndInformation) {
    CVoyage& v = doc.GetVoyage();
    CWaypointListing all = ListWaypoints(v, kShowBoth, kInfoLatLon);
    EXPECT_EQ(all.titles, (std::array<std::string, 3>{"Latitude", "Longitude", "Proceed via"}));
    ASSERT_EQ(all.rows.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(all.rows[i].routeIndex, i);
    EXPECT_EQ(all.rows[1].columns,
              (std::array<std::string, 4>{"Fix A", "49:48.00 North", "00:00.00 East", "Rhumbline"}));
    EXPECT_TRUE(all.rows[1].fix);
    // 120 nM (Departure 50N to Arrival 48N along the meridian) in 10 hours.
    EXPECT_EQ(all.totalDistance, 120.0);
    EXPECT_EQ(all.requiredSpeed, 12.0);

    CWaypointListing fixes = ListWaypoints(v, kShowPositions, kInfoCourseDistance);
    EXPECT_EQ(fixes.titles, (std::array<std::string, 3>{"Course", "Distance", "Proceed via"}));
    ASSERT_EQ(fixes.rows.size(), 2u);
    EXPECT_EQ(fixes.rows[0].routeIndex, 1);
    EXPECT_EQ(fixes.rows[1].columns, (std::array<std::string, 4>{"Fix B", "180.00", "84.00", "Rhumbline"}));

    v.GetLast()->SetProceedVia(CPosition::kGreatCircle);
    v.GetLast()->SetETA(CConversion::DayNumber(kNow + 6 * 3600));
    v.GetLast()->SetSpeed(12.5);
    CWaypointListing waypoints = ListWaypoints(v, kShowWaypoints, kInfoSpeedEta);
    EXPECT_EQ(waypoints.titles, (std::array<std::string, 3>{"ETA (UTC)", "Speed", "Proceed via"}));
    ASSERT_EQ(waypoints.rows.size(), 3u);
    EXPECT_EQ(waypoints.rows[2].columns,
              (std::array<std::string, 4>{"Arrival", "10 Mar 18:00", "12.50", "Greatcircle"}));

    // No time between departure and destination: no required speed, not an infinite one.
    v.GetLast()->SetTime(v.GetFirst()->GetTime());
    EXPECT_EQ(ListWaypoints(v, kShowBoth, kInfoLatLon).requiredSpeed, 0.0);
}

TEST_F(RouteEditing, AddingWaypointsAndCancellingTheNewOne) {
    CWaypointEditing edit(doc, "Arrival");
    // With "Waypoints" shown a selection does not count: appended after Arrival.
    CPosition* added = edit.Add(kShowWaypoints, 1);
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Fix B", "Arrival", "New Position"}));
    EXPECT_EQ(doc.GetVoyage().GetLast(), added);
    EXPECT_EQ(added->GetKind(), CPosition::kWaypoint);
    EXPECT_TRUE(doc.IsModified());
    edit.CancelAdd(added);
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
    EXPECT_FALSE(doc.IsModified()) << "nothing changed after all";

    // With "Both" it goes after the selected row; a kept one stays and marks the document.
    added = edit.Add(kShowBoth, 2);
    added->SetName("Extra");
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Extra", "Fix B", "Arrival"}));
    EXPECT_TRUE(doc.IsModified());
    // A second "Add" cancelled leaves the first one, and the flag it set.
    CPosition* other = edit.Add(kShowBoth, -1);
    EXPECT_EQ(doc.GetVoyage().GetLast(), other);
    edit.CancelAdd(other);
    EXPECT_EQ(Route(), (Names{"Departure", "Fix A", "Mid", "Extra", "Fix B", "Arrival"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST_F(RouteEditing, DeleteRefusals) {
    CVoyage& v = doc.GetVoyage();
    v.GetAt(2)->SetName("Arrival"); // a namesake of the next waypoint
    CWaypointEditing edit(doc, "Arrival");
    EXPECT_FALSE(edit.Delete(kShowPositions, 1));
    EXPECT_FALSE(edit.Delete(kShowBoth, -1));
    EXPECT_FALSE(edit.Delete(kShowBoth, 2));
    EXPECT_FALSE(edit.Delete(kShowBoth, 4));
    EXPECT_FALSE(edit.Delete(kShowBoth, 0));
    const std::string steering =
        "You are at present steering towards this waypoint\nDeleting the selected waypoint is not allowed\n"
        "Please return to mainscreen and deselect this waypoint first";
    EXPECT_EQ(fake.prompts.Texts(),
              (Names{"Please check show both and select waypoint to delete",
                     "Please check show both and select waypoint to delete", steering, steering,
                     "The departure can not be deleted\nThe route always begins at its departure"}));

    // The destination is kept when the ship steers elsewhere.
    fake.prompts.Clear();
    CWaypointEditing other(doc, "Somewhere");
    EXPECT_FALSE(other.Delete(kShowBoth, 4));
    EXPECT_EQ(fake.prompts.Texts(),
              (Names{"The destination can not be deleted\nThe route always ends at its destination"}));
    EXPECT_EQ(v.GetCount(), 5);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(RouteEditing, DeleteAsksAndRemoves) {
    CVoyage& v = doc.GetVoyage();
    doc.SetReferencePosition(v.GetAt(1));
    CWaypointEditing edit(doc, "Arrival");
    fake.prompts.ScriptAnswer(PromptAnswer::No);
    fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
    fake.prompts.ScriptAnswer(PromptAnswer::Yes);
    EXPECT_FALSE(edit.Delete(kShowBoth, 1));
    EXPECT_FALSE(edit.Delete(kShowBoth, 1));
    EXPECT_EQ(v.GetCount(), 5);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(edit.Delete(kShowBoth, 1));
    EXPECT_EQ(Route(), (Names{"Departure", "Mid", "Fix B", "Arrival"}));
    ASSERT_EQ(fake.prompts.History().size(), 3u);
    EXPECT_EQ(fake.prompts.History()[2].text, "Delete Waypoint Fix A");
    EXPECT_EQ(fake.prompts.History()[2].buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst()) << "the deleted reference fix is not left dangling";

    // Down to two positions: both ends stay.
    fake.prompts.SetDefaultAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(edit.Delete(kShowBoth, 1));
    EXPECT_TRUE(edit.Delete(kShowBoth, 1));
    EXPECT_FALSE(edit.Delete(kShowBoth, 1));
    EXPECT_EQ(Route(), (Names{"Departure", "Arrival"}));
}

TEST_F(RouteEditing, WipeAsksFirst) {
    CVoyage& v = doc.GetVoyage();
    doc.SetReferencePosition(v.GetAt(3));
    CWaypointEditing edit(doc, "Arrival");
    fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(edit.Wipe());
    EXPECT_EQ(v.GetCount(), 5);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_EQ(fake.prompts.History()[0].text, "This will delete all positionfixes from your route!\nContinue?");
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::OkCancel);

    fake.prompts.ScriptAnswer(PromptAnswer::Ok);
    EXPECT_TRUE(edit.Wipe());
    EXPECT_EQ(Route(), (Names{"Departure", "Mid", "Arrival"}));
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst());
    EXPECT_TRUE(doc.IsModified());

    // Even a route of fixes only keeps a departure and a destination.
    v.GetFirst()->SetKind(CPosition::kFix);
    v.GetLast()->SetKind(CPosition::kFix);
    v.GetAt(1)->SetKind(CPosition::kFix);
    fake.prompts.ScriptAnswer(PromptAnswer::Ok);
    EXPECT_TRUE(edit.Wipe());
    EXPECT_EQ(Route(), (Names{"Departure", "Arrival"}));
}

TEST_F(RouteEditing, CourseChangeFigures) {
    CVessel& vessel = doc.GetVessel();
    vessel.m_manoeuvringRpm = 66;
    vessel.m_seaSpeedRpm = 105;
    vessel.m_engineSetting = 80;
    vessel.m_minutesPerRpm = 3.0;
    vessel.m_courseSetting = 175;
    doc.GetPresentPosition().SetSpeed(16.0);

    CCourseChange change = CCourseChange::ForDocument(doc);
    EXPECT_EQ(change.GetCourse(), 175);
    EXPECT_EQ(change.GetRpm(), 80);
    EXPECT_EQ(change.GetSpeed(), 16.0);
    // 84 nM (49.4N to 48N) in 6 hours is 14 knots: 80 rpm make 16 knots, so 70 rpm.
    EXPECT_NEAR(change.GetRequiredRpm(), 70.0, 1e-6);

    change.SetRpm(66);
    EXPECT_DOUBLE_EQ(change.GetDuration(), 42.0);
    EXPECT_DOUBLE_EQ(change.GetSpeed(), 13.2);
    EXPECT_NEAR(change.GetDistance(), 10.22, 1e-9);

    EXPECT_FALSE(change.AcceptCourse(361));
    EXPECT_FALSE(change.AcceptCourse(-1));
    EXPECT_TRUE(change.AcceptCourse(360));
    EXPECT_TRUE(change.AcceptCourse(0));
    EXPECT_EQ(change.GetCourse(), 0);

    // Nothing is applied before OK.
    EXPECT_EQ(vessel.m_engineSetting, 80);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(LogFile(), "");

    change.AcceptCourse(200);
    change.Apply(doc);
    EXPECT_EQ(vessel.m_courseSetting, 200);
    EXPECT_EQ(vessel.m_engineSetting, 66);
    EXPECT_EQ(doc.GetPresentPosition().GetCourse(), 200.0);
    EXPECT_DOUBLE_EQ(doc.GetPresentPosition().GetSpeed(), 13.2);
    EXPECT_TRUE(doc.IsModified());
    const std::string logged =
        kNow.FormatUtc("%m/%d/%y  %H:%M:%S  ") + "Course changed to 200.00  Engine setting to 66.00 rpm\r\n";
    EXPECT_EQ(LogFile(), logged);

    // With "logcourse" off nothing is logged.
    fake.settings.SetInt(kSettingsSection, "logcourse", 0);
    CCourseChange again = CCourseChange::ForDocument(doc);
    again.Apply(doc);
    EXPECT_EQ(LogFile(), logged);
}

TEST_F(RouteEditing, CourseChangeWithoutRevolutionsKeepsTheSpeed) {
    CVessel& vessel = doc.GetVessel();
    vessel.m_engineSetting = 0;
    doc.GetPresentPosition().SetSpeed(10.0);
    CCourseChange change(vessel, doc.GetPresentPosition(), 0.0);
    change.SetRpm(70);
    EXPECT_EQ(change.GetSpeed(), 10.0);
    EXPECT_TRUE(std::isfinite(change.GetDistance()));
}

TEST_F(RouteEditing, SelectingTheNextWaypointPinsAndLogs) {
    fake.settings.SetInt(kSettingsSection, "logwp", 0);
    fake.settings.SetInt(kSettingsSection, "logpos", 0);
    CVoyage& v = doc.GetVoyage();
    const CBearingDistance toMid = BearingAndDistance(doc.GetPresentPosition(), *v.GetAt(2));
    EXPECT_NEAR(toMid.bearing, 0.0, 1e-6); // Mid lies 6 nM north, behind the ship
    EXPECT_NEAR(toMid.distance, 6.0, 1e-6);

    SelectNextWaypoint(doc, 2, false);
    EXPECT_EQ(v.GetStoredNextWaypoint(), v.GetAt(2));
    EXPECT_EQ(doc.GetNextWaypoint(), v.GetAt(2)) << "pinned, although behind the ship";
    EXPECT_EQ(doc.GetPresentPosition().GetCourse(), 180.0);
    EXPECT_TRUE(doc.IsModified());

    SelectNextWaypoint(doc, 2, true);
    EXPECT_NEAR(doc.GetPresentPosition().GetCourse(), toMid.bearing, 1e-9);
    const std::string stamp = kNow.FormatUtc("%m/%d/%y  %H:%M:%S  ");
    EXPECT_EQ(LogFile(), stamp + "Manually selected waypoint Mid\r\n" + stamp + "Manually selected waypoint Mid\r\n");
}

TEST_F(RouteEditing, ReferenceChoiceListsTheFixes) {
    CVoyage& v = doc.GetVoyage();
    CReferenceChoice choice = ReferenceChoice(doc);
    EXPECT_EQ(choice.names, (Names{"Fix A", "Fix B"}));
    EXPECT_EQ(choice.routeIndices, (std::vector<int>{1, 3}));
    EXPECT_EQ(choice.preselected, -1) << "the departure is no fix";

    // A waypoint named like a fix is not taken for it.
    v.GetAt(2)->SetName("Fix B");
    doc.SetReferencePosition(v.GetAt(2));
    EXPECT_EQ(ReferenceChoice(doc).preselected, -1);

    EXPECT_FALSE(ChooseReference(doc, 2));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ChooseReference(doc, 3));
    EXPECT_EQ(doc.GetReferencePosition(), v.GetAt(3));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReferenceChoice(doc).preselected, 1);
}

TEST_F(RouteEditing, SpeedMadeGoodBetweenTwoPoints) {
    CVoyage& v = doc.GetVoyage();
    v.GetAt(2)->SetLongitude(0.5); // Mid off the meridian: the route is longer than the straight line
    CSpeedMadeGood along = SpeedMadeGood(v, 0, 3, true);
    CSpeedMadeGood straight = SpeedMadeGood(v, 0, 3, false);
    EXPECT_NEAR(straight.distance, 36.0, 1e-6);
    EXPECT_GT(along.distance, straight.distance + 1.0);
    EXPECT_NEAR(straight.bearing, 180.0, 1e-6);
    EXPECT_NEAR(straight.hours, 2.0, 1e-9);
    EXPECT_EQ(straight.timeText, "2:00.00");
    ASSERT_TRUE(straight.speed.has_value());
    EXPECT_NEAR(*straight.speed, 18.0, 1e-6);

    v.GetAt(3)->SetTime(v.GetFirst()->GetTime() + 12 * 3600 + 1800);
    EXPECT_EQ(SpeedMadeGood(v, 0, 3, false).timeText, "12:30.00");

    // Equal times: a time of nothing and no speed at all.
    v.GetAt(3)->SetTime(v.GetFirst()->GetTime());
    CSpeedMadeGood same = SpeedMadeGood(v, 0, 3, false);
    EXPECT_EQ(same.timeText, "00:00.00");
    EXPECT_FALSE(same.speed.has_value());

    // An index without a selection is the destination.
    EXPECT_EQ(SpeedMadeGood(v, 0, -1, false).distance, SpeedMadeGood(v, 0, 4, false).distance);
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST_F(RouteEditing, VoyagePropertiesKeepTextsAndTimes) {
    fake.clock.SetLocalOffset(2 * 3600);
    CVoyage& v = doc.GetVoyage();
    v.SetTexts("Channel crossing", "Feeder", "V12");
    v.SetStartTime(kNow - 86400);
    v.SetEndTime(kNow + 86400);
    CVoyageProperties p = VoyageProperties(v);
    EXPECT_EQ(p.description, "Channel crossing");
    EXPECT_EQ(p.service, "Feeder");
    EXPECT_EQ(p.voyageNumber, "V12");
    EXPECT_EQ(p.departureName, "Departure");
    EXPECT_EQ(p.destinationName, "Arrival");
    EXPECT_EQ(p.beginLocal, kNow - 86400 + 7200);

    // Confirmed unchanged: nothing moves but the modified flag.
    ApplyVoyageProperties(doc, p);
    EXPECT_EQ(v.GetStartTime(), kNow - 86400);
    EXPECT_EQ(v.GetEndTime(), kNow + 86400);
    EXPECT_TRUE(doc.IsModified());

    p.description = "Return";
    p.service = "Liner";
    p.voyageNumber = "V13";
    p.beginLocal = CTime::FromUtc(2026, 3, 11, 8, 0, 0);
    p.endLocal = CTime::FromUtc(2026, 3, 12, 20, 30, 0);
    ApplyVoyageProperties(doc, p);
    EXPECT_EQ(v.GetDescription(), "Return");
    EXPECT_EQ(v.GetService(), "Liner");
    EXPECT_EQ(v.GetVoyageNumber(), "V13");
    EXPECT_EQ(v.GetStartTime(), CTime::FromUtc(2026, 3, 11, 6, 0, 0));
    EXPECT_EQ(v.GetEndTime(), CTime::FromUtc(2026, 3, 12, 18, 30, 0));
    EXPECT_EQ(v.GetFirst()->GetTime(), kNow - 4 * 3600) << "the departure's own time is not touched";
}
