#include "lists/checklist.h"

#include <limits>

#include "core/archive.h"
#include "support/bytes.h"
#include "support/model_test.h"

namespace {

using Checklist = ModelTest;
const CTime kStart = CTime::FromUtc(2026, 12, 6, 12, 0, 0); // the fixture's present time

std::vector<std::int32_t> Statuses(const CChecklist& c) {
    std::vector<std::int32_t> s;
    for (int i = 0; i < c.GetCount(); ++i)
        s.push_back(c.GetStatus(i));
    return s;
}

} // namespace

TEST_F(Checklist, IndexOperationsAndInvalidIndices) {
    CChecklist c;
    c.AddItem(0, 0, 0, "Test steering gear", kStart);
    c.AddItem(1, 6, 2, "Pilot card ready", kStart + 60);
    std::int32_t status = 7, validity = 7, kind = 7;
    CTime time(42);
    for (int bad : {-1, 2, 1000}) {
        EXPECT_EQ(c.GetItem(bad, status, validity, kind, time) + c.GetText(bad), "InvalidInvalid");
        EXPECT_EQ(c.GetStatus(bad), 9);
        EXPECT_FALSE(c.RemoveAt(bad) || c.UpdateItem(bad, 1, 1, "x", kStart) || c.CheckItem(bad));
    }
    EXPECT_EQ(status + validity + kind, 21) << "out-parameters stay untouched for an invalid index";
    EXPECT_EQ(time, CTime(42));
    EXPECT_EQ(c.GetItem(1, status, validity, kind, time), "Pilot card ready");
    EXPECT_EQ(Row(status, validity, kind, time == kStart + 60), "1|6|2|1");
    EXPECT_TRUE(c.RemoveAt(0));
    EXPECT_EQ(c.GetText(0), "Pilot card ready");
    EXPECT_EQ(c.GetCount(), 1);
}

TEST_F(Checklist, TickingAnOpenItemStampsAndLogsItEditingKeepsTheStatus) {
    fake.clock.Set(kStart + 3600);
    CChecklist c;
    c.AddItem(CChecklist::kOpen, 0, 1, "Log speed set", kStart);
    c.AddItem(CChecklist::kDone, 0, 1, "Already done", kStart);
    c.AddItem(CChecklist::kNotApplicable, 0, 0, "Not now", kStart);
    EXPECT_TRUE(c.CheckItem(0));
    EXPECT_EQ(c.GetItems()[0].m_time, kStart + 3600);
    EXPECT_FALSE(c.CheckItem(0)) << "a done item is not ticked twice";
    EXPECT_FALSE(c.CheckItem(1));
    EXPECT_FALSE(c.CheckItem(2)) << "a not-applicable item is left alone";
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{1, 1, 2}));
    EXPECT_EQ(c.GetItems()[1].m_time, kStart);
    EXPECT_EQ(host.Logged(), Names{"Log speed set"});

    EXPECT_TRUE(c.UpdateItem(2, 12, 3, "New text", kStart + 500));
    EXPECT_EQ(c.GetItems()[2], (CChecklistItem{"New text", 3, 12, CChecklist::kNotApplicable, kStart + 500}));
    c.ResetAll();
    EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{0, 0, 0}));
}

TEST_F(Checklist, StageOfTheVoyageSetsItemsAside) {
    // One done item of every kind, -1 (none), 0, 1, 2, 3, and the stage: days out, hours to go.
    const std::tuple<int, std::optional<int>, std::vector<std::int32_t>> stages[] = {
        // Far out: departure items after 2 days, arrival items with 13 hours to go; no kind and
        // post-departure are never set aside.
        {2, 13, {1, 2, 1, 2, 2}},
        // 12 hours to go and 1 day out: only post-arrival (more than 1 hour) stays aside; the rest
        // come back open, not done.
        {1, 12, {1, 0, 1, 0, 2}},
        {0, 1, {1, 0, 1, 0, 0}},
        {0, 2, {1, 0, 1, 0, 2}}};
    CChecklist c;
    for (std::int32_t kind = -1; kind <= 3; ++kind)
        c.AddItem(CChecklist::kDone, 0, kind, "k", kStart);
    CChecklist stopped = c;
    for (const auto& [days, hours, expected] : stages) {
        c.UpdateStatus(days, hours);
        EXPECT_EQ(Statuses(c), expected) << days << " " << hours.value_or(-99);
    }
    // Stopped, no hours to go: no arrival item is set aside; before departure no departure item.
    stopped.UpdateStatus(0, std::nullopt);
    stopped.UpdateStatus(-3, -5);
    EXPECT_EQ(Statuses(stopped), (std::vector<std::int32_t>{1, 1, 1, 1, 1}));
}

TEST_F(Checklist, ValidityRunsInHoursFromTheTick) {
    CChecklist c;
    c.AddItem(CChecklist::kOpen, 4, 1, "Gyro compared", kStart);
    c.AddItem(CChecklist::kOpen, 0, 1, "Stays done", kStart);
    c.AddItem(CChecklist::kOpen, -2, 1, "Negative validity stays done", kStart);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(c.CheckItem(i));
    const std::pair<std::int64_t, std::int32_t> after[] = {{4 * 3600, 1}, {4 * 3600 + 1, 0}, {400 * 86400, 0}};
    for (const auto& [seconds, first] : after) {
        fake.clock.Set(kStart + seconds);
        c.UpdateStatus(0, 0);
        EXPECT_EQ(Statuses(c), (std::vector<std::int32_t>{first, 1, 1})) << seconds << " s after the tick";
    }
    // Ticking again restarts the period; editing restarts it too.
    fake.clock.Set(kStart + 10 * 86400);
    ASSERT_TRUE(c.CheckItem(0));
    c.UpdateItem(0, 2, 1, "Gyro compared", kStart + 10 * 86400 + 3 * 3600);
    fake.clock.Set(kStart + 10 * 86400 + 5 * 3600);
    c.UpdateStatus(0, 0);
    EXPECT_EQ(c.GetStatus(0), 1) << "edited 2 hours ago with 2 hours validity";
}

TEST_F(Checklist, StageFiguresAreCutTowardZero) {
    const std::pair<std::int64_t, int> days[] = {
        {0, 0}, {2 * 86400 - 1, 1}, {2 * 86400 + 23 * 3600, 2}, {-36 * 3600, -1}};
    for (const auto& [seconds, whole] : days)
        EXPECT_EQ(CChecklist::WholeDaysSince(kStart, kStart + seconds), whole) << seconds;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<double, double, std::optional<int>> hours[] = {
        {130.0, 10.0, 13}, {129.9, 10.0, 12}, {0.0, 10.0, 0},  {-15.0, 10.0, -1},
        {100.0, 0.0, {}},  {0.0, 0.0, {}},    {nan, 10.0, {}}, {1e300, 1e-300, {}}};
    for (const auto& [distance, speed, whole] : hours)
        EXPECT_EQ(CChecklist::WholeHoursToGo(distance, speed), whole) << distance << " nM at " << speed;
}

TEST_F(Checklist, WindowActionsAskForASelection) {
    CChecklist c;
    c.AddItem(CChecklist::kOpen, 0, 0, "Only item", kStart);
    EXPECT_FALSE(c.CheckSelected(-1) || c.DeleteSelected(-1) || c.RequireSelection(1));
    EXPECT_EQ(Shown(), Names(3, "Please select item first!"));
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(Statuses(c), std::vector<std::int32_t>{0});
    fake.prompts.Clear();
    EXPECT_TRUE(c.RequireSelection(0) && c.CheckSelected(0));
    EXPECT_TRUE(Shown().empty());
    fake.prompts.ScriptAnswer(PromptAnswer::No);
    EXPECT_FALSE(c.ConfirmResetAll());
    EXPECT_EQ(c.GetStatus(0), 1);
    fake.prompts.ScriptAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(c.ConfirmResetAll());
    EXPECT_EQ(c.GetStatus(0), 0);
    EXPECT_EQ(Shown(), Names(2, "Reset all checklist items?\nAre you sure?"));
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::YesNo);
    EXPECT_TRUE(c.DeleteSelected(0));
    EXPECT_EQ(c.GetCount(), 0);
}

TEST_F(Checklist, StoredLayout) {
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
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(ReadAll(loaded, bytes));
    EXPECT_EQ(loaded, c) << "loading twice does not add duplicates";
}
