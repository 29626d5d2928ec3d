#include "core/event_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"
#include "platform/fake/fake_services.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

struct EventLog : ::testing::Test {
    CFakeServices fake;
    CScratchDir dir;
    std::string Read(const std::string& name) { return Slurp(dir / name); }
};

} // namespace

TEST_F(EventLog, FileNamesPerLocalDay) {
    const CTime wednesday = CTime::FromUtc(2001, 12, 5, 14, 30, 0);
    EXPECT_EQ(CEventLog::FileName("KeelmarkLog.txt", wednesday), "KeelmarkLog Wednesday 05 Dec.txt");
    EXPECT_EQ(CEventLog::FileName("C:\\Logs\\ship.txt", wednesday), "C:\\Logs\\ship Wednesday 05 Dec.txt");
    EXPECT_EQ(CEventLog::FileName(".\\logging.txt", wednesday), ".\\logging Wednesday 05 Dec.txt");
    EXPECT_EQ(CEventLog::FileName("a.tx", wednesday), " Wednesday 05 Dec.txt");
    EXPECT_EQ(CEventLog::Line("Fix", wednesday), "12/05/01  14:30:00  Fix\r\n");
    EXPECT_EQ(CEventLog::Line("", wednesday), "12/05/01  14:30:00  \r\n");
}

TEST_F(EventLog, AppendsLinesInLocalTime) {
    fake.settings.SetString(kSettingsSection, "logging", dir / "ship.txt");
    fake.clock.Set(CTime::FromUtc(2001, 12, 5, 22, 59, 30));
    fake.clock.SetLocalOffset(3600); // local time is an hour ahead
    CEventLog().Write("Before midnight");
    fake.clock.Advance(60);
    const std::string name = CEventLog().Write("After midnight");
    EXPECT_EQ(name, dir / "ship Thursday 06 Dec.txt");
    EXPECT_EQ(Read("ship Wednesday 05 Dec.txt"), "12/05/01  23:59:30  Before midnight\r\n");
    EXPECT_EQ(Read("ship Thursday 06 Dec.txt"), "12/06/01  00:00:30  After midnight\r\n");
    CEventLog().Write("Again");
    EXPECT_EQ(Read("ship Thursday 06 Dec.txt"),
              "12/06/01  00:00:30  After midnight\r\n12/06/01  00:00:30  Again\r\n");
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST_F(EventLog, UnopenableFileIsReportedAndTheEntryDropped) {
    fake.settings.SetString(kSettingsSection, "logging", dir / "missing/ship.txt");
    fake.clock.Set(CTime::FromUtc(2001, 12, 5, 12, 0, 0));
    const std::string name = CEventLog().Write("Lost");
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_EQ(fake.prompts.History()[0].text, "Unable to open logfile \n" + name);
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
}

TEST_F(EventLog, SwitchesGateTheirEntries) {
    fake.settings.SetString(kSettingsSection, "logging", dir / "ship.txt");
    fake.clock.Set(CTime::FromUtc(2001, 12, 5, 12, 0, 0));
    WriteLogIf("logwp", "one");
    fake.settings.SetInt(kSettingsSection, "logwp", 0);
    WriteLogIf("logwp", "two");
    fake.settings.SetInt(kSettingsSection, "logwp", 2); // only exactly 1 is on
    WriteLogIf("logwp", "three");
    EXPECT_EQ(Read("ship Wednesday 05 Dec.txt"), "12/05/01  12:00:00  one\r\n");
}
