#include "document/keelmark_lite_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/file_io.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"

namespace fs = std::filesystem;

namespace {

const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

// A document on fake services, with its side files in a scratch folder.
struct DocFixture : ::testing::Test {
    CTestHost host{kNow};
    CFakeServices& fake = host.fake;

    void SetUp() override {
        host.KeepSideFilesHere();
        host.Set("navreduce", 0);
    }

    std::string Path(const char* name) const { return host.Path(name); }

    // A new voyage at 50N 0E; departure there, arrival 10 hours ahead at 12 knots due south.
    std::unique_ptr<CKeelmarkLiteDoc> NewVoyage() {
        auto doc = host.NewVoyage();
        CPosition& present = doc->GetPresentPosition();
        present.SetLatitude(50.0);
        present.SetLongitude(0.0);
        present.SetCourse(180.0);
        present.SetSpeed(12.0);
        CVoyage& v = doc->GetVoyage();
        v.GetFirst()->SetLatitude(50.0);
        v.GetFirst()->SetLongitude(0.0);
        v.GetLast()->SetLatitude(48.0);
        v.GetLast()->SetLongitude(0.0);
        v.GetLast()->SetTime(kNow + 10 * 3600);
        v.GetLast()->SetProceedVia(CPosition::kGreatCircle);
        fake.prompts.Clear();
        return doc;
    }
};

} // namespace

TEST_F(DocFixture, NewVoyageStartsAtTheDeparture) {
    CKeelmarkLiteDoc doc;
    doc.SetRecordPathOnClose(false);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetPresentPosition().GetSpeed(), 17.0);
    EXPECT_EQ(doc.GetPresentPosition().GetTime(), kNow);
    CPosition* departure = doc.GetVoyage().GetFirst();
    EXPECT_EQ(departure->GetTime(), kNow);
    EXPECT_EQ(departure->GetLatitude(), doc.GetPresentPosition().GetLatitude());
    EXPECT_EQ(departure->GetLongitude(), doc.GetPresentPosition().GetLongitude());
    EXPECT_EQ(doc.GetVoyage().GetStartTime(), kNow);
    EXPECT_EQ(doc.GetReferencePosition(), departure);
    EXPECT_EQ(doc.GetNextWaypoint()->GetName(), "Arrival");
    EXPECT_FALSE(doc.IsModified());
    // The missing side files are reported, and the voyage goes on without them.
    const auto texts = fake.prompts.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Oops, can't open the almanac\nWe have to do without it.."),
              texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Oops, I can't find your vessel data\nWe load an empty vessel instead.."),
              texts.end());
}

TEST_F(DocFixture, PositionFixTakesCourseAndSpeedMadeGood) {
    auto doc = NewVoyage();
    CPosition* departure = doc->GetVoyage().GetFirst();
    departure->SetTime(kNow - 2 * 3600);
    // 20 nM due south of the departure, 2 hours later: 10 knots on course 180.
    CPosition probe = *departure;
    probe.SailRhumbLine(20.0, 180.0);
    doc->AddPositionFix("GPS Fix", kNow, probe.GetLatitude(), probe.GetLongitude());
    CPosition& present = doc->GetPresentPosition();
    EXPECT_NEAR(present.GetSpeed(), 10.0, 1e-6);
    EXPECT_NEAR(present.GetCourse(), departure->CourseTo(probe.GetLatitude(), probe.GetLongitude(), 0), 1e-9);
    EXPECT_EQ(present.GetLatitude(), probe.GetLatitude());
    EXPECT_EQ(present.GetTime(), kNow);
    CPosition* fix = doc->GetLastFix();
    EXPECT_EQ(fix->GetName(), "GPS Fix");
    EXPECT_EQ(fix->GetKind(), CPosition::kFix);
    EXPECT_NEAR(fix->GetSpeed(), 10.0, 1e-6);
    EXPECT_DOUBLE_EQ(fix->GetETA(), CConversion::DayNumber(kNow));
    EXPECT_EQ(fix->GetPerformanceCount(), 1);
    EXPECT_TRUE(doc->IsModified());

    // 100 nM in 2 hours is not believed as the ship's speed, but the ship is moved.
    fake.clock.Set(kNow + 2 * 3600);
    CPosition far = present;
    far.SailRhumbLine(100.0, 180.0);
    doc->AddPositionFix("Jump", kNow + 2 * 3600, far.GetLatitude(), far.GetLongitude());
    EXPECT_NEAR(present.GetSpeed(), 10.0, 1e-6);
    EXPECT_EQ(present.GetLatitude(), far.GetLatitude());
    EXPECT_EQ(doc->GetLastFix()->GetPerformanceCount(), 0) << "a 50 knot current is not averaged in";
}

TEST_F(DocFixture, FixesInTheFutureAreRefused) {
    auto doc = NewVoyage();
    const int count = doc->GetVoyage().GetCount();
    doc->AddPositionFix("Later", kNow + 60, 49.0, 0.0);
    EXPECT_EQ(doc->GetVoyage().GetCount(), count);
    EXPECT_EQ(doc->GetPresentPosition().GetLatitude(), 50.0);
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_EQ(fake.prompts.History()[0].text, "Date and time can not be ahead of present time!");
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocFixture, RepeatedFixKeepsCourseSpeedAndStatistics) {
    auto doc = NewVoyage();
    doc->AddPositionFix("First", kNow, 49.9, 0.0);
    CPosition& present = doc->GetPresentPosition();
    const double course = present.GetCourse(), speed = present.GetSpeed();
    CPosition* next = doc->GetNextWaypoint();
    const std::int32_t before = next->GetPerformanceCount();
    for (double lat : {49.9, 49.8}) { // the same fix again, and another at the same time
        doc->AddPositionFix("Again", kNow, lat, 0.0);
        EXPECT_EQ(present.GetCourse(), course);
        EXPECT_EQ(present.GetSpeed(), speed);
        EXPECT_TRUE(std::isfinite(present.GetSpeed()));
        EXPECT_EQ(next->GetPerformanceCount(), before);
        EXPECT_EQ(present.GetLatitude(), lat) << "the fix itself is still taken";
    }
    EXPECT_EQ(doc->GetLastFix()->GetName(), "Again");
}

TEST_F(DocFixture, RequiredSpeedAndRevolutions) {
    auto doc = NewVoyage();
    // 120 nM to go in 10 hours.
    doc->GetVoyage().GetLast()->SetLatitude(48.0);
    EXPECT_NEAR(doc->RequiredSpeed(), 120.0 / 10.0, 1e-3);
    doc->GetVoyage().GetLast()->SetTime(kNow);
    EXPECT_EQ(doc->RequiredSpeed(), 0.0);
    doc->GetVoyage().GetLast()->SetTime(kNow - 3600);
    EXPECT_LT(doc->RequiredSpeed(), 0.0) << "a schedule in the past asks for a negative speed";

    CVessel& vessel = doc->GetVessel();
    vessel.m_engineSetting = 80;
    vessel.m_seaSpeedRpm = 100;
    EXPECT_DOUBLE_EQ(doc->RequiredRpm(6.0), 40.0);
    EXPECT_DOUBLE_EQ(doc->RequiredRpm(30.0), 100.0);
    EXPECT_DOUBLE_EQ(doc->RequiredRpm(-5.0), 0.0);
    doc->GetPresentPosition().SetSpeed(0.0);
    EXPECT_DOUBLE_EQ(doc->RequiredRpm(6.0), 100.0);
    EXPECT_FALSE(doc->HoursToGo().has_value());
    EXPECT_FALSE(doc->ETAAtSpeed(0.0).has_value());
}

TEST_F(DocFixture, ReductionCountsInTheRequiredSpeed) {
    auto doc = NewVoyage();
    fake.settings.SetInt(kSettingsSection, "navreduce", 1);
    CVessel& vessel = doc->GetVessel();
    vessel.m_engineSetting = 96;
    vessel.m_manoeuvringRpm = 66;
    vessel.m_minutesPerRpm = 2.0; // one hour of run-down
    const double r = vessel.GetReductionDistance(12.0);
    const double d = doc->GetPresentPosition().DistanceTo(48.0, 0.0, 0);
    EXPECT_NEAR(doc->RequiredSpeed(), (d - r) / 9.0, 1e-9);
}

TEST_F(DocFixture, EtaInTheDestinationsZoneTime) {
    auto doc = NewVoyage();
    doc->GetVoyage().GetLast()->SetZoneOffset(-5.5);
    const double d = doc->GetPresentPosition().DistanceTo(48.0, 0.0, 0);
    const auto eta = doc->ETAAtSpeed(12.0);
    ASSERT_TRUE(eta.has_value());
    const std::int64_t minutes = static_cast<std::int64_t>(d / 12.0 * 60.0) - 330;
    EXPECT_EQ(*eta, kNow + minutes * 60);
    EXPECT_EQ(doc->HoursToGo(), static_cast<long>(d / 12.0));
    EXPECT_NEAR(doc->HoursToScheduledArrival(), 10.0, 1e-9);
    EXPECT_NEAR(doc->DaysSinceStart(), 0.0, 1e-9);
}

TEST_F(DocFixture, SaveAndLoadReproduceTheVoyage) {
    auto doc = NewVoyage();
    doc->GetVoyage().SetTexts("Channel", "Feeder", "12");
    doc->AddPositionFix("Fix A", kNow - 3600, 49.8, 0.1);
    doc->GetPopularPosition().SetName("Ushant");
    std::string error;
    ASSERT_TRUE(doc->SaveVoyageFile(Path("v.k7v"), error)) << error;
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(fs::exists(Path("vessel.k7s"))) << "the vessel file is written beside the voyage";

    // The file is the five records, one after the other.
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(Path("v.k7v"), bytes, error));
    std::string expected = StoreToBytes(doc->GetPresentPosition()) + StoreToBytes(doc->GetPort()) +
                           StoreToBytes(doc->GetVoyage()) + StoreToBytes(doc->GetPopularPosition()) +
                           StoreToBytes(doc->GetMeteoObs());
    EXPECT_EQ(bytes, expected);

    CKeelmarkLiteDoc loaded;
    loaded.SetRecordPathOnClose(false);
    fake.prompts.ScriptChoice(-1); // Cancel
    ASSERT_TRUE(loaded.LoadVoyageFile(Path("v.k7v"), error)) << error;
    EXPECT_EQ(loaded.GetVoyage().GetCount(), doc->GetVoyage().GetCount());
    EXPECT_EQ(loaded.GetVoyage().GetDescription(), "Channel");
    EXPECT_EQ(loaded.GetPopularPosition().GetName(), "Ushant");
    EXPECT_EQ(loaded.GetLastFix()->GetName(), "Fix A") << "Cancel keeps every fix";
    EXPECT_EQ(loaded.GetReferencePosition(), loaded.GetVoyage().GetFirst());
    EXPECT_TRUE(loaded.GetVoyage().IsManualSelection()) << "the next waypoint is pinned after a load";
    EXPECT_EQ(loaded.GetPathName(), Path("v.k7v"));
    EXPECT_EQ(StoreToBytes(loaded.GetPresentPosition()), StoreToBytes(doc->GetPresentPosition()));
    EXPECT_EQ(StoreToBytes(loaded.GetVoyage()), StoreToBytes(doc->GetVoyage()));
    const auto& shown = fake.prompts.History();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().options.size(), 3u);
    EXPECT_EQ(shown.back().options[2], "Reset to departure port and wipe route (delete all old position fixes)");
}

TEST_F(DocFixture, AfterLoadingChoices) {
    auto doc = NewVoyage();
    doc->GetVoyage().GetFirst()->SetZoneOffset(1.0);
    doc->AddPositionFix("Fix A", kNow - 3600, 49.8, 0.1);
    std::string error;
    ASSERT_TRUE(doc->SaveVoyageFile(Path("v.k7v"), error)) << error;
    fake.clock.Set(kNow + 600);

    CKeelmarkLiteDoc reset;
    reset.SetRecordPathOnClose(false);
    fake.prompts.Clear();
    fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kResetToDeparture);
    ASSERT_TRUE(reset.LoadVoyageFile(Path("v.k7v"), error));
    EXPECT_EQ(reset.GetPresentPosition().GetLatitude(), 50.0);
    EXPECT_EQ(reset.GetPresentPosition().GetZoneOffset(), 1.0);
    EXPECT_EQ(reset.GetPresentPosition().GetTime(), kNow + 600);
    EXPECT_EQ(reset.GetVoyage().GetFirst()->GetTime(), kNow + 600);
    EXPECT_EQ(reset.GetLastFix()->GetName(), "Fix A");
    EXPECT_EQ(fake.prompts.History().back().text,
              "Use menu-option Voyage-Waypoints-Wipe before\nstarting your actual navigation!");

    CKeelmarkLiteDoc wiped;
    wiped.SetRecordPathOnClose(false);
    fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kResetAndWipe);
    ASSERT_TRUE(wiped.LoadVoyageFile(Path("v.k7v"), error));
    EXPECT_EQ(wiped.GetVoyage().GetCount(), 2);
    EXPECT_EQ(wiped.GetLastFix(), wiped.GetVoyage().GetFirst());
    EXPECT_EQ(wiped.GetVoyage().GetFirst()->GetKind(), CPosition::kWaypoint);
}

TEST_F(DocFixture, DamagedVoyageFileChangesNothing) {
    auto doc = NewVoyage();
    std::string error;
    ASSERT_TRUE(doc->SaveVoyageFile(Path("v.k7v"), error));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(Path("v.k7v"), bytes, error));
    ASSERT_TRUE(WriteFileAtomic(Path("cut.k7v"), bytes.substr(0, bytes.size() - 10), error));

    auto target = NewVoyage();
    target->GetVoyage().SetTexts("mine", "", "");
    target->SetPathName("old.k7v");
    EXPECT_FALSE(target->LoadVoyageFile(Path("cut.k7v"), error));
    EXPECT_NE(error.find("cut.k7v"), std::string::npos) << error;
    EXPECT_EQ(target->GetVoyage().GetDescription(), "mine");
    EXPECT_EQ(target->GetPathName(), "old.k7v");
    EXPECT_TRUE(fake.prompts.History().empty()) << "no question for a file that was not loaded";
    EXPECT_FALSE(target->LoadVoyageFile(Path("missing.k7v"), error));
    EXPECT_NE(error.find("missing.k7v"), std::string::npos) << error;
}

TEST_F(DocFixture, DestructionRecordsThePath) {
    {
        CKeelmarkLiteDoc doc;
        doc.SetPathName("/data/voyage 7.k7v");
    }
    EXPECT_EQ(fake.settings.GetString(kSettingsSection, "datafile", "?"), "/data/voyage 7.k7v");
    { CKeelmarkLiteDoc untitled; }
    EXPECT_EQ(fake.settings.GetString(kSettingsSection, "datafile", "?"), "");
}
