#include "app/watch_alarms.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/model_test.h"

namespace {

const char* const kSixMinutes = "Approaching waypoint!\nChange course within 6 minutes!";
const char* const kPassing = "Passing Waypoint!\nChange course!";
const char* const kReduce = "Please reduce enginerevs to max. manoeuvringspeed!";
const char* const kOffCourse = "Your true course differs more than 10 degrees from bearing of next waypoint!";
const char* const kOld = "Your DR-position has not been updated for more than 6 hours!\n"
                         "Please update your position using the 'Update' button!";
const char* const kSlow = "Your present true speed is more than 2 knots below required speed!";

// Every condition true: the arrival 0.5 nM ahead but 30 degrees off the course,
// the last fix 8 hours old, far too slow for the schedule, engine well above manoeuvring.
struct Alarms : ModelTest {
    const CTime start = CTime::FromUtc(2026, 12, 6, 11, 59, 30);
    std::unique_ptr<CKeelmarkLiteDoc> doc;

    void SetUp() override {
        ModelTest::SetUp();
        Set("navreduce", 1);
        fake.clock.Set(start);
        doc = host.NewVoyage();
        CVoyage& v = doc->GetVoyage();
        CPosition& p = doc->GetPresentPosition();
        // With the run-down of the engine counted in (1.7 hours), well over 2 knots
        // are required even after the speed is cut at the destination.
        for (auto [q, lat, time] : {std::tuple{v.GetFirst(), 50.0, start - 8 * 3600},
                                    {v.GetLast(), 50.0 + 0.5 / 60.0, start + 6480},
                                    {&p, 50.0, start}}) {
            q->SetLatitude(lat);
            q->SetLongitude(0.0);
            q->SetTime(time);
        }
        v.SetNextWaypoint(v.GetLast());
        v.GetLast()->SetName("Pilot");
        p.SetCourse(30.0);
        p.SetSpeed(10.0);
        doc->GetVessel().m_engineSetting = 100;
        fake.prompts.Clear();
    }
    Names Logged() const { return host.Logged(); }
};

} // namespace

TEST_F(Alarms, EveryWarningInOrderOnANewHour) {
    CWatchAlarms alarms; // started at 11:59:30
    alarms.Check(*doc);  // a new minute: the minute checks run
    ASSERT_EQ(Shown(), (Names{kSixMinutes, kPassing, kReduce}));
    EXPECT_DOUBLE_EQ(doc->GetPresentPosition().GetSpeed(), 0.01) << "almost stopped at the destination";
    fake.prompts.Clear();

    alarms.Check(*doc); // same minute: nothing
    EXPECT_TRUE(fake.prompts.History().empty());

    // 12:00:08: the first refresh of the new hour does every check, even off second 0.
    doc->GetPresentPosition().SetSpeed(10.0);
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 12, 0, 8));
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), (Names{kSixMinutes, kPassing, kReduce, kOffCourse, kOld, kSlow}));
    for (const auto& shown : fake.prompts.History()) {
        EXPECT_EQ(shown.icon, PromptIcon::None);
        EXPECT_EQ(shown.buttons, PromptButtons::Ok);
    }
    const Names logged = Logged();
    for (const char* entry :
         {"Passing WaypointPilot", "Alarm: Engine revs should be reduced now!", "OffCourse alarm!",
          "Position not updated for more than 6 hours!", "Present true speed too low to reach ETA!"})
        EXPECT_NE(std::find(logged.begin(), logged.end(), entry), logged.end()) << entry;

    // 12:01:04: the minute checks only.
    fake.prompts.Clear();
    doc->GetPresentPosition().SetSpeed(10.0);
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 12, 1, 4));
    doc->GetVoyage().GetLast()->SetTime(CTime::FromUtc(2026, 12, 6, 13, 0, 0));
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), (Names{kSixMinutes, kPassing, kReduce}));
}

TEST_F(Alarms, SwitchesTurnChecksOff) {
    for (const char* key :
         {"wp6minalarm", "wpalarm", "coursealarm", "speedalarm", "dralarm", "navreduce", "navzerospd"})
        Set(key, 0);
    CWatchAlarms alarms;
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 12, 0, 0));
    alarms.Check(*doc);
    EXPECT_TRUE(fake.prompts.History().empty());
    EXPECT_DOUBLE_EQ(doc->GetPresentPosition().GetSpeed(), 10.0);
    EXPECT_TRUE(Logged().empty());

    // Only exactly 1 is on; "logwp" 0 keeps the passing warning out of the log.
    Set("wpalarm", 1);
    Set("logwp", 0);
    Set("coursealarm", 2);
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 13, 0, 0));
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), (Names{kPassing}));
    EXPECT_TRUE(Logged().empty());
}

TEST_F(Alarms, LimitsAreStrictWhereTheyShouldBe) {
    for (const char* key : {"wp6minalarm", "wpalarm", "dralarm", "navreduce", "navzerospd"})
        Set(key, 0);
    CPosition& p = doc->GetPresentPosition();
    CPosition* arrival = doc->GetVoyage().GetLast();
    CWatchAlarms alarms;
    std::int64_t hour = 13;
    auto runAt = [&](double course, double bearing, double speed, double requiredSpeed) {
        // The arrival 100 nM away on the given bearing, due so that requiredSpeed is needed.
        CPosition target = p;
        target.SailRhumbLine(100.0, bearing);
        arrival->SetLatitude(target.GetLatitude());
        arrival->SetLongitude(target.GetLongitude());
        arrival->SetProceedVia(CPosition::kRhumbLine);
        p.SetCourse(course);
        p.SetSpeed(speed);
        fake.clock.Set(CTime::FromUtc(2026, 12, 6, static_cast<int>(hour++), 0, 0));
        p.SetTime(fake.clock.Now());
        arrival->SetTime(fake.clock.Now() + static_cast<std::int64_t>(100.0 / requiredSpeed * 3600.0));
        fake.prompts.Clear();
        alarms.Check(*doc);
        return Shown();
    };
    EXPECT_TRUE(runAt(355, 4.99, 10, 10).empty()) << "10 degrees off is not more than 10";
    EXPECT_EQ(runAt(350, 1, 10, 10), (Names{kOffCourse}));
    EXPECT_EQ(runAt(90, 90, 10, 12.5), (Names{kSlow}));
    EXPECT_TRUE(runAt(90, 90, 10, 12.0).empty()) << "2 knots short is not more than 2";
}

TEST_F(Alarms, StoppedShipIsNeverSixMinutesAway) {
    doc->GetPresentPosition().SetSpeed(0.0);
    doc->GetVessel().m_engineSetting = 0;
    CWatchAlarms alarms;
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), Names{kPassing}) << "no six minutes, no run-down without revolutions";
}
