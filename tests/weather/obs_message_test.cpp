#include "weather/obs_message.h"

#include <filesystem>

#include "support/model_test.h"
#include "support/scratch_dir.h"

using ObsMessage = ModelTest;

TEST_F(ObsMessage, TextIsCallSignTimeGroupAndLatitude) {
    const std::tuple<const char*, CTime, double, const char*> cases[] = {
        {"PDHW", CTime::FromUtc(2026, 3, 5, 14, 30, 0), -51.93, "BBXX PDHW 145 995193"},
        // Hour 0 on the 1st: no padding, hour first.
        {"PDHW", CTime::FromUtc(2026, 7, 1, 0, 59, 59), 10.0, "BBXX PDHW 01 991000"},
        {"PDHW", CTime::FromUtc(2026, 12, 31, 23, 0, 0), 10.0, "BBXX PDHW 2331 991000"},
        // The equator is a single 0; an empty call sign leaves two blanks.
        {"", CTime::FromUtc(2026, 3, 5, 14, 0, 0), 0.0, "BBXX  145 990"},
        // Hundredths are cut, not rounded.
        {"A", CTime::FromUtc(2026, 3, 5, 14, 0, 0), 12.3456, "BBXX A 145 991234"}};
    for (const auto& [call, time, latitude, text] : cases)
        EXPECT_EQ(ObsMessageText(call, time, latitude), text);
}

TEST_F(ObsMessage, WritesTheTextWithoutLineEndAndLogsTheSendWhateverTheOutcome) {
    fake.clock.Set(CTime::FromUtc(2026, 3, 5, 14, 30, 0));
    CScratchDir dir;
    SendObsMessage(CPosition(10, 0, CTime()), "PDHW"); // cancelled
    EXPECT_EQ(Shown(), Names{"No file selected, aborting OBS..."});
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
    // A longer earlier message is replaced, not overwritten in part.
    Put(dir / "obs.txt", "BBXX OLDCALL 3131 999999 and more\n");
    fake.files.ScriptPath(dir / "obs.txt");
    SendObsMessage(CPosition(-51.93, 0, CTime()), "PDHW");
    EXPECT_EQ(Slurp(dir / "obs.txt"), "BBXX PDHW 145 995193");
    EXPECT_EQ(host.Logged(), (Names{"OBS message send", "OBS message send"}));
    const FileChoiceRequest& request = fake.files.Requests().at(1);
    EXPECT_EQ(request.filter + request.defaultExtension + request.defaultName,
              "Meteo OBS (*.txt)|*.txt|All Files (*.*)|*.*||txtText");

    fake.prompts.Clear();
    fake.files.ScriptPath(dir / "missing/obs.txt");
    EXPECT_FALSE(WriteObsMessage(CPosition(10, 0, CTime()), "PDHW"));
    EXPECT_EQ(Shown(), Names{"Oops...\nCan not open this file!"});
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}
