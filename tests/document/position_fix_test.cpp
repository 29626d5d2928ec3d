#include "document/position_fix.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/event_log.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"

namespace fs = std::filesystem;

namespace {

const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

struct GpsFix : ::testing::Test {
    CFakeServices fake;
    fs::path dir;
    std::unique_ptr<CKeelmarkLiteDoc> doc;

    void SetUp() override {
        fake.clock.Set(kNow);
        dir = fs::temp_directory_path() / ("keelmark-fix-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fake.settings.SetString(kSettingsSection, "almanac", (dir / "a.dat").string());
        fake.settings.SetString(kSettingsSection, "hurri", (dir / "h.dat").string());
        fake.settings.SetString(kSettingsSection, "vesseldata", (dir / "v.k7s").string());
        fake.settings.SetString(kSettingsSection, "logging", (dir / "ship.txt").string());
        doc = std::make_unique<CKeelmarkLiteDoc>();
        doc->SetRecordPathOnClose(false);
        doc->OnNewDocument();
        CVoyage& v = doc->GetVoyage();
        v.GetFirst()->SetLatitude(50.0);
        v.GetFirst()->SetLongitude(-1.0);
        v.GetFirst()->SetTime(kNow - 4 * 3600);
        v.GetLast()->SetLatitude(45.0);
        v.GetLast()->SetLongitude(-5.0);
        v.GetLast()->SetTime(kNow + 30 * 3600);
        doc->GetPresentPosition().SetLatitude(49.5);
        doc->GetPresentPosition().SetLongitude(-1.5);
        fake.prompts.Clear();
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string LogFile() const { return CEventLog::FileName((dir / "ship.txt").string(), CEventLog::LocalNow()); }
};

} // namespace

TEST(PositionFixFields, CoordinatesFromDegreesMinutesAndHemisphere) {
    EXPECT_DOUBLE_EQ(CoordinateFromFields({52, 30.0, 1}), -52.5);
    EXPECT_DOUBLE_EQ(CoordinateFromFields({52, 30.0, 0}), 52.5);
    EXPECT_DOUBLE_EQ(CoordinateFromFields({4, 6.0, -1}), 4.1) << "no hemisphere chosen counts as North or East";
    EXPECT_DOUBLE_EQ(CoordinateFromFields({0, 0.0, 1}), 0.0);

    CPosition p;
    p.SetLatitude(-33.8585);
    p.SetLongitude(-151.2);
    EXPECT_EQ(LatitudeFields(p), (CCoordinateFields{33, 51.51, 1})) << "minutes cut, not rounded";
    EXPECT_EQ(LongitudeFields(p), (CCoordinateFields{151, 12.0, 1}));
    p.SetLatitude(0.0);
    p.SetLongitude(0.0);
    EXPECT_EQ(LatitudeFields(p).hemisphere, 0);
    EXPECT_EQ(LongitudeFields(p).hemisphere, 0);
}

TEST(PositionFixFields, TimeIsUtcInThePresentMonth) {
    CFakeServices fake;
    // The machine's own zone must not move a time typed as UTC.
    fake.clock.SetLocalOffset(-5 * 3600);
    EXPECT_EQ(FixTimeFromUtcFields(kNow, 5, 23, 59), CTime::FromUtc(2026, 12, 5, 23, 59, 0));
    EXPECT_EQ(FixTimeFromUtcFields(kNow + 37, 6, 11, 58), CTime::FromUtc(2026, 12, 6, 11, 58, 0)) << "seconds 0";
    EXPECT_EQ(FixTimeFromUtcFields(kNow, 0, 18, 0), CTime::FromUtc(2026, 11, 30, 18, 0, 0)) << "day 0";
    EXPECT_EQ(FixTimeFromUtcFields(CTime::FromUtc(2026, 2, 10), 31, 0, 0), CTime::FromUtc(2026, 3, 3));
    EXPECT_EQ(FixTimeFromUtcFields(CTime::FromUtc(2027, 1, 1, 0, 5), 1, 0, 4), CTime::FromUtc(2027, 1, 1, 0, 4));
}

TEST_F(GpsFix, DialogFieldsForNow) {
    fake.clock.Set(CTime::FromUtc(2026, 3, 9, 7, 5, 42));
    doc->GetPresentPosition().SetLatitude(-12.5);
    doc->GetPresentPosition().SetLongitude(4.25);
    const CPositionFixFields f = GpsFixFields(doc->GetPresentPosition(), services::Now());
    EXPECT_EQ(f.description, "GPS Fix 09 Mar 07:05 UTC");
    EXPECT_EQ(f.day, 9);
    EXPECT_EQ(f.hour, 7);
    EXPECT_EQ(f.minute, 5);
    EXPECT_EQ(f.latitude, (CCoordinateFields{12, 30.0, 1}));
    EXPECT_EQ(f.longitude, (CCoordinateFields{4, 15.0, 0}));
}

TEST_F(GpsFix, NotLoggedWhenSwitchedOffOrRefused) {
    fake.settings.SetInt(kSettingsSection, "logpos", 0);
    CPositionFixFields f = GpsFixFields(doc->GetPresentPosition(), kNow);
    ASSERT_TRUE(RecordGpsFix(*doc, f)) << "a fix at the present minute is not ahead";
    EXPECT_FALSE(fs::exists(LogFile()));

    // A minute ahead: the dialog's check and the document both refuse it, and
    // nothing is logged in its name (not even the previous fix).
    fake.settings.SetInt(kSettingsSection, "logpos", 1);
    f.minute = 1;
    EXPECT_FALSE(IsFixTimeAcceptable(f));
    const int count = doc->GetVoyage().GetCount();
    EXPECT_FALSE(RecordGpsFix(*doc, f));
    EXPECT_EQ(doc->GetVoyage().GetCount(), count);
    EXPECT_EQ(fake.prompts.Texts(), (std::vector<std::string>{kFixAheadOfNowText, kFixAheadOfNowText}));
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(fs::exists(LogFile()));
}
