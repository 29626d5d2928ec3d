#include "lists/checklist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/archive.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/test_host.h"

namespace {

const CTime kStart = CTime::FromUtc(2026, 3, 10, 8, 0, 0);

std::vector<std::int32_t> Statuses(const CChecklist& c) {
    std::vector<std::int32_t> s;
    for (int i = 0; i < c.GetCount(); ++i)
        s.push_back(c.GetStatus(i));
    return s;
}

// One done item of every kind, in the order -1, 0, 1, 2, 3.
CChecklist AllKindsDone() {
    CChecklist c;
    for (std::int32_t kind = -1; kind <= 3; ++kind)
        c.AddItem(CChecklist::kDone, 0, kind, "k" + std::to_string(kind), kStart);
    return c;
}

} // namespace

TEST(Checklist, IndexOperationsAndInvalidIndices) {
    CChecklist c;
    c.AddItem(0, 0, 0, "Test steering gear", kStart);
    c.AddItem(1, 6, 2, "Pilot card ready", kStart + 60);
    ASSERT_EQ(c.GetCount(), 2);

    std::int32_t status = 7, validity = 7, kind = 7;
    CTime time(42);
    EXPECT_EQ(c.GetItem(1, status, validity, kind, time), "Pilot card ready");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(validity, 6);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(time, kStart + 60);

    status = validity = kind = 7;
    time = CTime(42);
    for (int bad : {-1, 2, 1000}) {
        EXPECT_EQ(c.GetItem(bad, status, validity, kind, time), "Invalid");
        EXPECT_EQ(c.GetText(bad), "Invalid");
        EXPECT_EQ(c.GetStatus(bad), 9);
        EXPECT_FALSE(c.RemoveAt(bad));
        EXPECT_FALSE(c.UpdateItem(bad, 1, 1, "x", kStart));
        EXPECT_FALSE(c.CheckItem(bad));
    }
    EXPECT_EQ(status, 7) << "out-parameters stay untouched for an invalid index";
    EXPECT_EQ(validity, 7);
    EXPECT_EQ(kind, 7);
    EXPECT_EQ(time, CTime(42));
    EXPECT_EQ(c.GetCount(), 2);

    EXPECT_TRUE(c.RemoveAt(0));
    EXPECT_EQ(c.GetText(0), "Pilot card ready");
    EXPECT_EQ(c.GetCount(), 1);
}

TEST(Checklist, TickingAnOpenItemStampsAndLogsIt) {
    CTestHost host(kStart + 3600);
    host.Set("logging", host.Path("ship.txt"));
    CChecklist c;
    c.AddItem(CChecklist::kOpen, 0, 1, "Log speed set", kStart);
    c.AddItem(CChecklist::kDone, 0, 1, "Already done", kStart);
    c.AddItem(CChecklist::kNotApplicable, 0, 0, "Not now", kStart);

    EXPECT_TRUE(c.CheckItem(0));
    EXPECT_EQ(c.GetStatus(0), CChecklist::kDone);
    EXPECT_EQ(c.GetItems()[0].m_time, kStart + 3600);
    EXPECT_FALSE(c.CheckItem(0)) << "a done item is not ticked twice";
    EXPECT_FALSE(c.CheckItem(1));
    EXPECT_FALSE(c.CheckItem(2)) << "a not-applicable item is left alone";
    EXPECT_EQ(c.GetStatus(2), CChecklist::kNotApplicable);
    EXPECT_EQ(c.GetItems()[1].m_time, kStart);
    EXPECT_EQ(host.Logged(), std::vector<std::string>{"Log speed set"});
}

TEST(Checklist, EditingKeepsTheStatusAndResetOpensAll) {
    CChecklist c;
    c.AddItem(CChecklist::kDone, 0, 0, "Old text", kStart);
    c.AddItem(CChecklist::kNotApplicable, 0, 2, "Other", kStart);
    EXPECT_TRUE(c.UpdateItem(0, 12, 3, "New text", kStart + 500));
    const CChecklistItem& item = c.GetItems()[0];
    EXPECT_EQ(item.m_status, CChecklist::kDone);
    EXPECT_EQ(item.m_validity, 12);
    EXPECT_EQ(item.m_kind, 3);
    EXPECT_EQ(item.m_text, "New text");
    EXPECT_EQ(item.m_time, kStart + 500);
    c.ResetAll();
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{0, 0}));
}

TEST(Checklist, StageOfTheVoyageSetsItemsAside) {
    CFakeServices fake;
    fake.clock.Set(kStart);
    CChecklist c = AllKindsDone(); // kinds -1, 0, 1, 2, 3
    // Far out: departure items after 2 days, arrival items with 13 hours to go.
    c.UpdateStatus(2, 13);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{1, 2, 1, 2, 2}))
        << "no kind and post-departure are never set aside";
    // 12 hours to go and 1 day out: only post-arrival (more than 1 hour) stays aside;
    // the rest come back open, not done.
    c.UpdateStatus(1, 12);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{1, 0, 1, 0, 2}));
    c.UpdateStatus(0, 1);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{1, 0, 1, 0, 0}));
    c.UpdateStatus(0, 2);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{1, 0, 1, 0, 2}));

    // Stopped: no hours to go, so no arrival item is set aside, done ones stay done.
    CChecklist stopped = AllKindsDone();
    stopped.UpdateStatus(0, std::nullopt);
    EXPECT_EQ(Statuses(stopped), (std::vector<std::int32_t>{1, 1, 1, 1, 1}));
    // Before departure (negative days) nothing departure-side is set aside either.
    stopped.UpdateStatus(-3, -5);
    EXPECT_EQ(Statuses(stopped), (std::vector<std::int32_t>{1, 1, 1, 1, 1}));
}

TEST(Checklist, ValidityRunsInHoursFromTheTick) {
    CTestHost host(kStart); // ticking writes to the event log: kept in the host's folder
    CFakeServices& fake = host.fake;
    host.Set("logging", host.Path("ship.txt"));
    CChecklist c;
    c.AddItem(CChecklist::kOpen, 4, 1, "Gyro compared", kStart);
    c.AddItem(CChecklist::kOpen, 0, 1, "Stays done", kStart);
    c.AddItem(CChecklist::kOpen, -2, 1, "Negative validity stays done", kStart);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(c.CheckItem(i));

    fake.clock.Set(kStart + 4 * 3600);
    c.UpdateStatus(0, 0);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{1, 1, 1})) << "still valid at exactly 4 hours";
    fake.clock.Set(kStart + 4 * 3600 + 1);
    c.UpdateStatus(0, 0);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{0, 1, 1}));
    fake.clock.Set(kStart + 400 * 86400);
    c.UpdateStatus(0, 0);
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{0, 1, 1}));

    // Ticking again restarts the period; editing restarts it too.
    fake.clock.Set(kStart + 10 * 86400);
    ASSERT_TRUE(c.CheckItem(0));
    fake.clock.Set(kStart + 10 * 86400 + 3 * 3600);
    c.UpdateItem(0, 2, 1, "Gyro compared", services::Now());
    fake.clock.Set(kStart + 10 * 86400 + 5 * 3600);
    c.UpdateStatus(0, 0);
    EXPECT_EQ(c.GetStatus(0), 1) << "edited 2 hours ago with 2 hours validity";
}

TEST(Checklist, StageFiguresAreCutTowardZero) {
    EXPECT_EQ(CChecklist::WholeDaysSince(kStart, kStart), 0);
    EXPECT_EQ(CChecklist::WholeDaysSince(kStart, kStart + 2 * 86400 - 1), 1);
    EXPECT_EQ(CChecklist::WholeDaysSince(kStart, kStart + 2 * 86400 + 23 * 3600), 2);
    EXPECT_EQ(CChecklist::WholeDaysSince(kStart, kStart - 36 * 3600), -1);

    EXPECT_EQ(CChecklist::WholeHoursToGo(130.0, 10.0), 13);
    EXPECT_EQ(CChecklist::WholeHoursToGo(129.9, 10.0), 12);
    EXPECT_EQ(CChecklist::WholeHoursToGo(0.0, 10.0), 0);
    EXPECT_EQ(CChecklist::WholeHoursToGo(-15.0, 10.0), -1);
    EXPECT_EQ(CChecklist::WholeHoursToGo(100.0, 0.0), std::nullopt);
    EXPECT_EQ(CChecklist::WholeHoursToGo(0.0, 0.0), std::nullopt);
    EXPECT_EQ(CChecklist::WholeHoursToGo(std::numeric_limits<double>::quiet_NaN(), 10.0), std::nullopt);
    EXPECT_EQ(CChecklist::WholeHoursToGo(1e300, 1e-300), std::nullopt);
}

TEST(Checklist, WindowActionsAskForASelection) {
    CTestHost host(kStart); // ticking writes to the event log: kept in the host's folder
    CFakeServices& fake = host.fake;
    host.Set("logging", host.Path("ship.txt"));
    CChecklist c;
    c.AddItem(CChecklist::kOpen, 0, 0, "Only item", kStart);
    EXPECT_FALSE(c.CheckSelected(-1));
    EXPECT_FALSE(c.DeleteSelected(-1));
    EXPECT_FALSE(c.RequireSelection(1));
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>(3, "Please select item first!"));
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(c.GetCount(), 1);
    EXPECT_EQ(c.GetStatus(0), 0);

    fake.prompts.Clear();
    EXPECT_TRUE(c.RequireSelection(0));
    EXPECT_TRUE(c.CheckSelected(0));
    EXPECT_TRUE(fake.prompts.Texts().empty());

    fake.prompts.ScriptAnswer(PromptAnswer::No);
    EXPECT_FALSE(c.ConfirmResetAll());
    EXPECT_EQ(c.GetStatus(0), 1);
    fake.prompts.ScriptAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(c.ConfirmResetAll());
    EXPECT_EQ(c.GetStatus(0), 0);
    ASSERT_EQ(fake.prompts.History().size(), 2u);
    EXPECT_EQ(fake.prompts.History()[0].text, "Reset all checklist items?\nAre you sure?");
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::YesNo);

    EXPECT_TRUE(c.DeleteSelected(0));
    EXPECT_EQ(c.GetCount(), 0);
}

TEST(Checklist, StoredLayout) {
    CChecklist empty;
    EXPECT_EQ(ToHex(StoreToBytes(empty)), "00 00 00 00");

    CChecklist c;
    c.AddItem(1, 24, 2, "Pilot card", CTime(0x5F5E1000));
    c.AddItem(0, 0, -1, "", CTime(0));
    // count; then status, validity, kind, text, time per item
    const std::string expected = Hex("02000000"
                                     "01000000 18000000 02000000 0a 50696c6f742063617264 00105e5f"
                                     "00000000 00000000 ffffffff 00 00000000");
    const std::string bytes = StoreToBytes(c);
    EXPECT_EQ(ToHex(bytes), ToHex(expected));

    CChecklist loaded;
    loaded.AddItem(0, 0, 0, "replaced", kStart);
    CBinaryReader r(bytes);
    loaded.Serialize(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(loaded, c);
    CBinaryReader again(bytes);
    loaded.Serialize(again);
    EXPECT_EQ(loaded.GetCount(), 2) << "loading twice does not add duplicates";
}
