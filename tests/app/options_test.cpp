#include "app/options.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/fake/fake_services.h"

namespace {

const std::string kSection = kSettingsSection;

// A store that refuses to write "coursealarm", as a read-only settings file would.
struct CRefusingStore : CMemorySettingsStore {
    bool SetInt(const std::string& s, const std::string& k, int v) override {
        return k != "coursealarm" && CMemorySettingsStore::SetInt(s, k, v);
    }
    std::string LastError() const override { return "Cannot write the settings file /ro/Keelmark Lite.conf."; }
};

} // namespace

TEST(Options, ReadsAsTheSheetShowsThemAndSavesEveryKey) {
    CFakeServices fake;
    const COptions defaults = COptions::Load();
    EXPECT_EQ(defaults.logging, "./logging.txt") << "the sheet's own default, not the log writer's";
    EXPECT_EQ(defaults.dataSystem, COptions::kStsWin32);
    EXPECT_TRUE(fake.settings.Values().empty()) << "reading must not write";

    fake.settings.SetString(kSection, "almanac", ".\\old\\almanac.dat");
    fake.settings.SetInt(kSection, "wpalarm", 0);
    fake.settings.SetInt(kSection, "dralarm", 7); // any non-zero value shows as on
    fake.settings.SetString(kSection, "datafile", "/home/mate/voyage.k7v");
    for (auto [stored, system] : {std::pair{2, COptions::kAsciiFile}, {3, COptions::kStsWin32}}) {
        fake.settings.SetInt(kSection, "datasys", stored); // no button stands for -1 or 3: the default
        EXPECT_EQ(COptions::Load().dataSystem, system) << stored;
    }
    COptions o = COptions::Load();
    EXPECT_EQ(o.almanac, ".\\old\\almanac.dat") << "a stored path is shown as written";
    EXPECT_FALSE(o.wpAlarm);
    EXPECT_TRUE(o.drAlarm);

    std::string error;
    ASSERT_TRUE(o.Save(error));
    const auto& stored = fake.settings.Values().at(kSection);
    EXPECT_EQ(stored.size(), 6u + 1u + 16u + 1u) << "the paths, datasys, the switches and the untouched datafile";
    EXPECT_EQ((std::array{stored.at("logging"), stored.at("datasys"), stored.at("dralarm"), stored.at("wpalarm")}),
              (std::array<std::string, 4>{"./logging.txt", "1", "1", "0"}));
    EXPECT_EQ(stored.at("datafile"), "/home/mate/voyage.k7v") << "not the sheet's to write";

    o.hurricane = "/data/cyclones.dat";
    o.dataSystem = COptions::kConnect2;
    o.navReduce = false;
    ASSERT_TRUE(o.Save(error));
    EXPECT_EQ(COptions::Load(), o);
    EXPECT_EQ(fake.settings.GetInt(kSection, "navreduce", 1), 0);
    EXPECT_EQ(fake.settings.GetInt(kSection, "datasys", 1), 0);
}

TEST(Options, RefusedWriteIsReportedByKeyAndTheRestIsStillWritten) {
    CFakeServices fake;
    CRefusingStore store;
    services::Scoped scope({&fake.clock, &store, &fake.prompts, &fake.files});
    COptions o = COptions::Load();
    o.navZeroSpeed = false;
    std::string error;
    EXPECT_FALSE(o.Save(error));
    EXPECT_EQ(error, "The option \"coursealarm\" could not be saved.\n"
                     "Cannot write the settings file /ro/Keelmark Lite.conf.");
    EXPECT_EQ(store.GetInt(kSection, "navzerospd", 1), 0) << "keys after the refused one are written too";
    EXPECT_FALSE(store.Contains(kSection, "coursealarm"));
}
