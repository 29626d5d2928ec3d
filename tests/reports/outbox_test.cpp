#include "reports/outbox.h"

#include <filesystem>

#include "app/scheduled_report.h"
#include "reports/report.h"
#include "reports/report_schedule.h"
#include "support/bytes.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"

namespace {

class Outbox : public ModelTest {
protected:
    CReport report;
    Outbox() {
        report.SetPreparedFigures(40.0, 0.0, 0.0);
        report.SetRemainingDistanceAtLastReport(64.0);
        report.SetTimeOfLastReport(kNow - 3600);
        report.SetSendAsMessage(true);
        while (report.GetLineCount() > 0)
            report.DeleteLine(0);
        report.AddLine("Position:", CReport::kNil);
        report.AddLine("Made good: ", CReport::kDistanceSinceLastReport);
        std::filesystem::create_directory(host.Path("out"));
        host.Set("outbox", host.Path("out"));
    }
    // The local time of day the clock shows, the UTC date kept.
    void AtLocal(int hour, int minute) {
        fake.clock.SetLocalOffset(3600);
        fake.clock.Set(CTime::FromUtc(2026, 12, 6, hour, minute) - 3600);
    }
    std::string Sent(const std::string& path) { return path.substr(host.Path("out/").size()); }
};

} // namespace

TEST_F(Outbox, MessageBytesWithAndWithoutHeaderAndFooter) {
    report.SetHeader("Noon report\nMV Café");
    report.SetFooter("Master");
    EXPECT_EQ(OutboxMessageBytes(report, "ops@example.org"),
              "SMF-71\r\nTo: ops@example.org\r\nNoon report\r\nMV Caf\xe9\r\nPosition: \r\nMade good: 24.00\r\nMaster");
    report.SetHeader("");
    report.SetFooter("");
    EXPECT_EQ(OutboxMessageBytes(report, ""), "SMF-71\r\nTo: \r\nPosition: \r\nMade good: 24.00\r\n");
}

TEST_F(Outbox, NamesByLocalTimeAndDataSystemAndNoneReplaced) {
    const std::tuple<int, int, int, const char*> cases[] = {
        {7, 0, 45, "REP45.msg"}, {2, 9, 5, "REP905.txt"}, {2, 0, 0, "REP.txt"}, {2, 12, 7, "REP1207.txt"},
        {0, 9, 5, "REP905"},     {0, 0, 0, "REP"},        {0, 12, 7, "REP1207"},  {1, 9, 5, "REP905.msg"},
        {1, 0, 0, "REP.msg"},    {1, 12, 7, "REP1207.msg"}};
    for (const auto& [system, hour, minute, name] : cases) {
        host.Set("datasys", system);
        AtLocal(hour, minute);
        EXPECT_EQ(Sent(WriteReportMessage(report, "a")), name);
    }
    // The same minute again: a name of its own; the first waits untouched.
    host.Set("datasys", 1);
    const std::string first = Slurp(host.Path("out/REP1207.msg"));
    report.SetHeader("second");
    EXPECT_EQ(Sent(WriteReportMessage(report, "a")), "REP1207-2.msg");
    EXPECT_EQ(Sent(WriteReportMessage(report, "a")), "REP1207-3.msg");
    EXPECT_EQ(Slurp(host.Path("out/REP1207.msg")), first);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(Outbox, SendingMovesTheLastReportOnEvenWhenTheMessageFails) {
    host.Set("outbox", host.Path("missing"));
    fake.clock.Advance(600);
    EXPECT_EQ(WriteReportMessage(report, "a"), "");
    EXPECT_EQ(Row(report.GetRemainingDistanceAtLastReport(), report.GetTimeOfLastReport()),
              Row(40.0, fake.clock.Now()));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].rfind("Aaaaarchhh...\nProblem opening report for Writing\nThe outbox folder \"", 0), 0u);
    report.SetSendAsMessage(false); // not to be sent: nothing written, nothing said
    EXPECT_EQ(WriteReportMessage(report, "a") + std::to_string(Shown().size()), "1");
}

TEST(ReportSchedule, DueTimes) {
    const CTime from = CTime::FromUtc(2026, 4, 30, 10, 20);
    const std::tuple<int, int, const char*> first[] = {
        {30, 10, "2026-04-30T10:00:00Z"}, // within the present hour: due now
        {30, 9, "2026-05-30T09:00:00Z"},  {31, 0, "2026-05-31T00:00:00Z"}, // April has no 31st
        {30, 24, "2026-05-01T00:00:00Z"}, {0, 5, ""}, {32, 5, ""}, {3, 25, ""}};
    for (const auto& [day, hour, due] : first) {
        const auto t = FirstDueTime(day, hour, from);
        EXPECT_EQ(t ? t->IsoText() : "", due) << day << " " << hour;
    }
    CReportSchedule every;
    every.everyHours = 6;
    const CTime due = CTime::FromUtc(2026, 4, 30, 6);
    EXPECT_EQ(NextDueTime(every, due, due)->IsoText(), "2026-04-30T12:00:00Z");
    EXPECT_EQ(NextDueTime(every, due, from)->IsoText(), "2026-04-30T12:00:00Z") << "missed ones not made up";
    every.everyHours = 0;
    EXPECT_FALSE(NextDueTime(every, due, from));
    CReportSchedule daily;
    daily.daily = true;
    daily.dailyHour = 12;
    EXPECT_EQ(NextDueTime(daily, due, from)->IsoText(), "2026-04-30T12:00:00Z");
    daily.dailyHour = 10;
    EXPECT_EQ(NextDueTime(daily, due, from)->IsoText(), "2026-05-01T10:00:00Z");
}

TEST_F(Outbox, TheScheduleSendsItsReportFileWhenDueAndMovesOn) {
    Make(MakeChannelCrossing);
    ASSERT_TRUE(report.SaveFile(host.Path("noon.k7r")));
    CReportSchedule s;
    s.reportFile = host.Path("noon.k7r");
    s.send = true;
    s.address = "owners";
    s.everyHours = 4;
    s.nextDay = 6;
    s.nextHour = 13;
    ScheduleFromEntry(s, kNow);
    std::string error;
    ASSERT_TRUE(s.Save(error)) << error;
    EXPECT_FALSE(SendScheduledReport(*doc)) << "not yet due";
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 13, 0, 4));
    const auto done = SendScheduledReport(*doc);
    ASSERT_TRUE(done);
    EXPECT_EQ(Sent(done->messagePath), "REP1300.msg");
    EXPECT_NE(Slurp(done->messagePath).find("To: owners\r\n"), std::string::npos);
    EXPECT_EQ(host.Logged(), Names{"Report sent " + done->messagePath});
    const CReportSchedule next = CReportSchedule::Load();
    EXPECT_EQ(Row(next.due->IsoText(), next.nextDay, next.nextHour), "2026-12-06T17:00:00Z|6|17");
    EXPECT_FALSE(SendScheduledReport(*doc)) << "sent once";
    CReport kept;
    ASSERT_TRUE(kept.LoadFile(s.reportFile));
    EXPECT_EQ(kept.GetTimeOfLastReport(), fake.clock.Now()) << "the next report's 'since last report' starts here";
    // A report file gone: told once without waiting, and the schedule moves on.
    std::filesystem::remove(s.reportFile);
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 17, 1));
    EXPECT_FALSE(SendScheduledReport(*doc));
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(CReportSchedule::Load().nextHour, 21);
}
