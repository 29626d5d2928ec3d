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

// Every condition true at 11:59:30: the arrival "Pilot" 0.5 nM ahead but 30 degrees off the course,
// the last fix 8 hours old, far too slow for the schedule, engine well above manoeuvring. With the
// run-down counted in (1.7 hours) well over 2 knots are required even after the speed is cut.
void MakePilotApproach(CKeelmarkLiteDoc& doc, CTime now) {
    const CTime start = now - 30;
    CVoyage& v = doc.GetVoyage();
    CPosition& p = doc.GetPresentPosition();
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
    doc.GetVessel().m_engineSetting = 100;
}

struct Alarms : ModelTest {
    void SetUp() override {
        ModelTest::SetUp();
        Set("navreduce", 1);
        fake.clock.Set(kNow - 30);
        Make(MakePilotApproach);
    }
};

} // namespace

TEST_F(Alarms, EveryWarningInOrderOnANewHour) {
    CWatchAlarms alarms; // started at 11:59:30
    alarms.Check(*doc);  // a new minute: the minute checks run
    ASSERT_EQ(Shown(), (Names{kSixMinutes, kPassing, kReduce}));
    EXPECT_DOUBLE_EQ(present->GetSpeed(), 0.01) << "almost stopped at the destination";
    fake.prompts.Clear();
    alarms.Check(*doc); // same minute: nothing
    EXPECT_TRUE(Shown().empty());

    // 12:00:08: the first refresh of the new hour does every check, even off second 0.
    present->SetSpeed(10.0);
    fake.clock.Set(kNow + 8);
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), (Names{kSixMinutes, kPassing, kReduce, kOffCourse, kOld, kSlow}));
    EXPECT_EQ(
        Row(fake.prompts.History()[5].icon == PromptIcon::None, fake.prompts.History()[5].buttons == PromptButtons::Ok),
        "1|1");
    const Names logged = host.Logged();
    for (const char* entry :
         {"Passing WaypointPilot", "Alarm: Engine revs should be reduced now!", "OffCourse alarm!",
          "Position not updated for more than 6 hours!", "Present true speed too low to reach ETA!"})
        EXPECT_NE(std::find(logged.begin(), logged.end(), entry), logged.end()) << entry;

    // 12:01:04: the minute checks only.
    fake.prompts.Clear();
    present->SetSpeed(10.0);
    fake.clock.Set(kNow + 64);
    v->GetLast()->SetTime(kNow + 3600);
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), (Names{kSixMinutes, kPassing, kReduce}));
}

TEST_F(Alarms, SwitchesTurnChecksOff) {
    for (const char* key :
         {"wp6minalarm", "wpalarm", "coursealarm", "speedalarm", "dralarm", "navreduce", "navzerospd"})
        Set(key, 0);
    CWatchAlarms alarms;
    fake.clock.Set(kNow);
    alarms.Check(*doc);
    EXPECT_EQ(Row(Shown().size(), present->GetSpeed(), host.Logged().size()), "0|10.00|0");

    // Only exactly 1 is on; "logwp" 0 keeps the passing warning out of the log.
    Set("wpalarm", 1);
    Set("logwp", 0);
    Set("coursealarm", 2);
    fake.clock.Set(kNow + 3600);
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), (Names{kPassing}));
    EXPECT_TRUE(host.Logged().empty());
}

TEST_F(Alarms, LimitsAreStrictWhereTheyShouldBe) {
    for (const char* key : {"wp6minalarm", "wpalarm", "navreduce", "navzerospd"})
        Set(key, 0);
    CPosition* arrival = v->GetLast();
    CWatchAlarms alarms;
    int hour = 13;
    // The arrival 100 nM away on `bearing`, due so that `required` knots are needed; the last fix `age` hours old.
    auto runAt = [&](double course, double bearing, double speed, double required, std::int64_t age = 0) {
        CPosition target = *present;
        target.SailRhumbLine(100.0, bearing);
        arrival->SetLatitude(target.GetLatitude());
        arrival->SetLongitude(target.GetLongitude());
        arrival->SetProceedVia(CPosition::kRhumbLine);
        present->SetCourse(course);
        present->SetSpeed(speed);
        fake.clock.Set(CTime::FromUtc(2026, 12, 6, hour++, 0, 0));
        present->SetTime(fake.clock.Now());
        v->GetFirst()->SetTime(fake.clock.Now() - age);
        arrival->SetTime(fake.clock.Now() + static_cast<std::int64_t>(100.0 / required * 3600.0));
        fake.prompts.Clear();
        alarms.Check(*doc);
        return Shown();
    };
    EXPECT_TRUE(runAt(355, 4.99, 10, 10).empty()) << "10 degrees off is not more than 10";
    EXPECT_EQ(runAt(350, 1, 10, 10), (Names{kOffCourse}));
    EXPECT_EQ(runAt(90, 90, 10, 12.05), (Names{kSlow}));
    EXPECT_TRUE(runAt(90, 90, 10, 12.0).empty()) << "2 knots short is not more than 2";
    EXPECT_TRUE(runAt(90, 90, 10, 10, 6 * 3600).empty()) << "6 hours old is not more than 6";
    EXPECT_EQ(runAt(90, 90, 10, 10, 6 * 3600 + 60), (Names{kOld}));
}

TEST_F(Alarms, StoppedShipIsNeverSixMinutesAway) {
    present->SetSpeed(0.0);
    doc->GetVessel().m_engineSetting = 0;
    CWatchAlarms alarms;
    alarms.Check(*doc);
    EXPECT_EQ(Shown(), Names{kPassing}) << "no six minutes, no run-down without revolutions";
}
