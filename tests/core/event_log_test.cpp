#include "core/event_log.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"

TEST(EventLog, FileNamesAndLines) {
    const CTime wednesday = CTime::FromUtc(2001, 12, 5, 14, 30, 0);
    for (auto [setting, name] : {std::pair{"KeelmarkLog.txt", "KeelmarkLog Wednesday 05 Dec.txt"},
                                 {"C:\\Logs\\ship.txt", "C:\\Logs\\ship Wednesday 05 Dec.txt"},
                                 {"a.tx", " Wednesday 05 Dec.txt"}}) // four characters or fewer: no base
        EXPECT_EQ(CEventLog::FileName(setting, wednesday), name);
    EXPECT_EQ(CEventLog::Line("Fix", wednesday), "12/05/01  14:30:00  Fix\r\n");
}

TEST_F(ModelTest, EventLogAppendsLinesPerLocalDay) {
    CScratchDir dir;
    host.Set("logging", dir / "ship.txt");
    fake.clock.Set(CTime::FromUtc(2001, 12, 5, 22, 59, 30));
    fake.clock.SetLocalOffset(3600); // local time is an hour ahead
    CEventLog().Write("Before midnight");
    fake.clock.Advance(60);
    EXPECT_EQ(CEventLog().Write("After midnight"), dir / "ship Thursday 06 Dec.txt");
    CEventLog().Write("Again");
    EXPECT_EQ(Slurp(dir / "ship Wednesday 05 Dec.txt"), "12/05/01  23:59:30  Before midnight\r\n");
    EXPECT_EQ(Slurp(dir / "ship Thursday 06 Dec.txt"),
              "12/06/01  00:00:30  After midnight\r\n12/06/01  00:00:30  Again\r\n");
    EXPECT_TRUE(fake.prompts.History().empty());

    host.Set("logging", dir / "missing/ship.txt");
    const std::string name = CEventLog().Write("Lost");
    EXPECT_EQ(Shown(), Names{"Unable to open logfile \n" + name});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
}
