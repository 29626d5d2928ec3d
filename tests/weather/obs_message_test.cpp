#include "weather/obs_message.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/position.h"
#include "support/scratch_dir.h"
#include "support/test_host.h"
#include "platform/fake/fake_services.h"

namespace fs = std::filesystem;

namespace {

using ObsFolder = CScratchDir;

CPosition AtLatitude(double latitude) {
    CPosition p;
    p.SetLatitude(latitude);
    return p;
}

} // namespace

TEST(ObsMessage, TextIsCallSignTimeGroupAndLatitude) {
    EXPECT_EQ(ObsMessageText("PDHW", CTime::FromUtc(2026, 3, 5, 14, 30, 0), -51.93), "BBXX PDHW 145 995193");
    // Hour 0 on the 1st: no padding, hour first.
    EXPECT_EQ(ObsMessageText("PDHW", CTime::FromUtc(2026, 7, 1, 0, 59, 59), 10.0), "BBXX PDHW 01 991000");
    EXPECT_EQ(ObsMessageText("PDHW", CTime::FromUtc(2026, 12, 31, 23, 0, 0), 10.0), "BBXX PDHW 2331 991000");
    // The equator is a single 0; an empty call sign leaves two blanks.
    EXPECT_EQ(ObsMessageText("", CTime::FromUtc(2026, 3, 5, 14, 0, 0), 0.0), "BBXX  145 990");
    // Hundredths are cut, not rounded.
    EXPECT_EQ(ObsMessageText("A", CTime::FromUtc(2026, 3, 5, 14, 0, 0), 12.3456), "BBXX A 145 991234");
}

TEST(ObsMessage, WritesTheTextWithoutLineEndIntoTheChosenFile) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 3, 5, 14, 30, 0));
    ObsFolder dir;
    // A longer earlier message is replaced, not overwritten in part.
    { std::ofstream(dir / "obs.txt") << "BBXX OLDCALL 3131 999999 and more\n"; }
    fake.files.ScriptPath(dir / "obs.txt");

    EXPECT_TRUE(WriteObsMessage(AtLatitude(-51.93), "PDHW"));
    EXPECT_EQ(Slurp(dir / "obs.txt"), "BBXX PDHW 145 995193");
    EXPECT_TRUE(fake.prompts.History().empty());

    ASSERT_EQ(fake.files.Requests().size(), 1u);
    const FileChoiceRequest& request = fake.files.Requests()[0];
    EXPECT_EQ(request.filter, "Meteo OBS (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.defaultName, "Text");

    // A file that does not exist yet is created.
    fake.files.ScriptPath(dir / "new.txt");
    EXPECT_TRUE(WriteObsMessage(AtLatitude(0.0), ""));
    EXPECT_EQ(Slurp(dir / "new.txt"), "BBXX  145 990");
}

TEST(ObsMessage, FailuresAreReportedAndWriteNothing) {
    CFakeServices fake;
    ObsFolder dir;

    // Cancelled choice.
    EXPECT_FALSE(WriteObsMessage(AtLatitude(10), "PDHW"));
    ASSERT_EQ(fake.prompts.Texts(), std::vector<std::string>{"No file selected, aborting OBS..."});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);

    // A folder that does not exist.
    fake.prompts.Clear();
    fake.files.ScriptPath(dir / "missing/obs.txt");
    EXPECT_FALSE(WriteObsMessage(AtLatitude(10), "PDHW"));
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>{"Oops...\nCan not open this file!"});
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(ObsMessage, CommandLogsSentWhateverTheOutcome) {
    CTestHost host(CTime::FromUtc(2026, 3, 10, 8, 0, 0));
    CFakeServices& fake = host.fake;
    host.Set("logging", host.Path("ship.txt"));
    ObsFolder dir;

    SendObsMessage(AtLatitude(10), "PDHW"); // cancelled
    fake.files.ScriptPath(dir / "obs.txt");
    SendObsMessage(AtLatitude(10), "PDHW"); // written
    EXPECT_EQ(host.Logged(), (std::vector<std::string>{"OBS message send", "OBS message send"}));
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>{"No file selected, aborting OBS..."});
    EXPECT_TRUE(fs::exists(dir / "obs.txt"));
}
