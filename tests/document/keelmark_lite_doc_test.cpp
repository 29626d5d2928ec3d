#include "document/keelmark_lite_doc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/file_io.h"
#include "support/model_test.h"

namespace {

// The Brest crossing, with the ship at the departure (50N) on 180 at 12 knots
// and the arrival 120 nM south at 48N, due ten hours from now, by great circle.
struct Doc : ModelTest {
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    CVoyage* v = nullptr;
    CPosition* present = nullptr;
    void SetUp() override {
        ModelTest::SetUp();
        doc = Channel();
        v = &doc->GetVoyage();
        present = &doc->GetPresentPosition();
        present->SetLatitude(50.0);
        present->SetCourse(180.0);
        present->SetSpeed(12.0);
        v->GetLast()->SetProceedVia(CPosition::kGreatCircle);
    }
    std::string Save(const char* name) {
        std::string error;
        EXPECT_TRUE(doc->SaveVoyageFile(host.Path(name), error)) << error;
        return host.Path(name);
    }
};

} // namespace

TEST_F(ModelTest, NewVoyageStartsAtThePresentPositionAndTime) {
    Set("navreduce", 1);
    CKeelmarkLiteDoc doc;
    fake.clock.Set(kNow + 60); // the voyage is made now, not when the document was
    Set("navreduce", 0);
    ASSERT_TRUE(doc.OnNewDocument());
    const CPosition& present = doc.GetPresentPosition();
    EXPECT_EQ(present.GetSpeed(), 17.0);
    CVoyage& v = doc.GetVoyage();
    for (const CPosition* p : std::initializer_list<const CPosition*>{&present, v.GetFirst(), v.GetLast()})
        EXPECT_EQ((std::tuple{p->GetTime(), p->GetLatitude(), p->GetLongitude()}),
                  (std::tuple{kNow + 60, present.GetLatitude(), present.GetLongitude()}))
            << p->GetName();
    EXPECT_EQ((std::tuple{v.GetStartTime(), v.GetEndTime(), doc.GetPopularPosition().GetTime()}),
              (std::tuple{kNow + 60, kNow + 60, kNow + 60}));
    EXPECT_EQ(v.GetReduceSetting(), 0) << "read when the voyage is started";
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst());
    EXPECT_EQ(doc.GetNextWaypoint()->GetName(), "Arrival");
    EXPECT_FALSE(doc.IsModified());
    // The missing side files are reported, and the voyage goes on without them.
    EXPECT_TRUE(host.Shown("Oops, can't open the almanac\nWe have to do without it.."));

    // Closing writes no setting; the frame records the last voyage explicitly.
    {
        CKeelmarkLiteDoc gone;
        gone.SetPathName("/data/voyage 7.k7v");
    }
    EXPECT_FALSE(fake.settings.Contains(kSettingsSection, "datafile"));
    doc.RecordAsLastVoyage();
    EXPECT_EQ(fake.settings.GetString(kSettingsSection, "datafile", "?"), "") << "untitled";
    doc.SetPathName("/data/voyage 7.k7v");
    doc.RecordAsLastVoyage();
    EXPECT_EQ(fake.settings.GetString(kSettingsSection, "datafile", "?"), "/data/voyage 7.k7v");
}

TEST_F(Doc, PositionFixTakesCourseAndSpeedMadeGood) {
    v->GetFirst()->SetTime(kNow - 2 * 3600);
    // 20 nM due south of the departure, 2 hours later: 10 knots on course 180.
    const double south = 50.0 - 20.0 / 60.0;
    doc->AddPositionFix("GPS Fix", kNow, south, 0.0);
    EXPECT_NEAR(present->GetSpeed(), 10.0, 1e-6);
    EXPECT_NEAR(present->GetCourse(), 180.0, 1e-6);
    EXPECT_EQ((std::tuple{present->GetLatitude(), present->GetTime()}), (std::tuple{south, kNow}));
    const CPosition* fix = doc->GetLastFix();
    EXPECT_EQ((std::tuple{fix->GetName(), fix->GetKind(), fix->GetTime(), fix->GetPerformanceCount()}),
              (std::tuple{"GPS Fix", CPosition::kFix, kNow, 1}));
    EXPECT_NEAR(fix->GetSpeed(), 10.0, 1e-6);
    EXPECT_DOUBLE_EQ(fix->GetETA(), CConversion::DayNumber(kNow));
    EXPECT_TRUE(doc->IsModified());

    // 100 nM in 2 hours is not believed as the ship's speed, but the ship is moved.
    fake.clock.Set(kNow + 2 * 3600);
    doc->AddPositionFix("Jump", kNow + 2 * 3600, south - 100.0 / 60.0, 0.0);
    EXPECT_NEAR(present->GetSpeed(), 10.0, 1e-6);
    EXPECT_EQ(present->GetLatitude(), south - 100.0 / 60.0);
    EXPECT_EQ(doc->GetLastFix()->GetPerformanceCount(), 0) << "a 50 knot current is not averaged in";
}

TEST_F(Doc, RefusedAndRepeatedFixes) {
    const int count = v->GetCount();
    doc->AddPositionFix("Later", kNow + 60, 49.0, 0.0);
    EXPECT_EQ((std::tuple{v->GetCount(), present->GetLatitude()}), (std::tuple{count, 50.0}));
    EXPECT_EQ(Shown(), Names{"Date and time can not be ahead of present time!"});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(doc->IsModified());

    doc->AddPositionFix("First", kNow, 49.9, 0.0);
    const auto figures = [&] {
        return std::tuple{present->GetCourse(), present->GetSpeed(), doc->GetNextWaypoint()->GetPerformanceCount()};
    };
    const auto before = figures();
    for (double lat : {49.9, 49.8}) { // the same fix again, and another at the same time
        doc->AddPositionFix("Again", kNow, lat, 0.0);
        EXPECT_EQ(figures(), before);
        EXPECT_EQ(present->GetLatitude(), lat) << "the fix itself is still taken";
    }
}

TEST_F(Doc, DerivedFigures) {
    // 120 nM to go in 10 hours; the route's switch is off, so is "navreduce".
    EXPECT_NEAR(doc->RequiredSpeed(), 12.0, 1e-3);
    present->SetSpeed(11.0);
    EXPECT_EQ(doc->HoursToGo(), 10L) << "120 nM at 11 knots, cut";
    present->SetSpeed(12.0);
    EXPECT_NEAR(doc->HoursToScheduledArrival(), 10.0, 1e-9);
    v->GetLast()->SetZoneOffset(-5.5);
    EXPECT_EQ(doc->ETAAtSpeed(14.0), kNow + (514 - 330) * 60) << "120 nM at 14 knots in whole minutes, in the zone";
    v->GetLast()->SetTime(kNow);
    EXPECT_EQ(doc->RequiredSpeed(), 0.0);
    v->GetLast()->SetTime(kNow - 3600);
    EXPECT_LT(doc->RequiredSpeed(), 0.0) << "a schedule in the past asks for a negative speed";

    CVessel& vessel = doc->GetVessel();
    vessel.m_engineSetting = 80;
    vessel.m_seaSpeedRpm = 100;
    for (auto [speed, rpm] : {std::pair{6.0, 40.0}, {30.0, 100.0}, {-5.0, 0.0}})
        EXPECT_DOUBLE_EQ(doc->RequiredRpm(speed), rpm) << speed;
    present->SetSpeed(0.0);
    EXPECT_DOUBLE_EQ(doc->RequiredRpm(6.0), 100.0);
    EXPECT_FALSE(doc->HoursToGo().has_value());
    EXPECT_FALSE(doc->ETAAtSpeed(0.0).has_value());
}

TEST_F(Doc, RunDownIsTheVesselsAtThePresentSpeed) {
    CVessel& vessel = doc->GetVessel();
    vessel.m_engineSetting = 96;
    vessel.m_manoeuvringRpm = 66;
    vessel.m_minutesPerRpm = 2.0; // one hour of run-down: 10.125 nM at 12 knots
    Set("navreduce", 1);          // the document's own figures read the store at each call
    EXPECT_NEAR(doc->RequiredSpeed(), (120.0 - 10.125) / 9.0, 1e-6);

    // The route's ETAs follow the switch the voyage was started with.
    const double start = CConversion::DayNumber(kNow);
    for (auto [reduce, hours] : {std::pair{1, (120.0 - 10.125) / 12.0 + 1.0}, {0, 10.0}}) {
        v->SetReduceSetting(reduce);
        doc->UpdateVoyage();
        EXPECT_NEAR(v->GetLast()->GetETA(), start + hours / 24.0, 1e-7) << reduce;
    }
}

TEST_F(Doc, SaveAndLoadReproduceTheVoyage) {
    v->SetTexts("Channel", "Feeder", "12");
    doc->AddPositionFix("Fix A", kNow - 3600, 49.8, 0.1);
    const std::string path = Save("v.k7v");
    EXPECT_FALSE(doc->IsModified());
    std::string bytes, error;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error));
    EXPECT_EQ(bytes, StoreToBytes(*present) + StoreToBytes(doc->GetPort()) + StoreToBytes(*v) +
                         StoreToBytes(doc->GetPopularPosition()) + StoreToBytes(doc->GetMeteoObs()));
    EXPECT_TRUE(ReadWholeFile(host.Path("vessel.k7s"), bytes, error)) << "the vessel file is written beside it";

    CKeelmarkLiteDoc loaded;       // navreduce is 0
    fake.prompts.ScriptChoice(-1); // Cancel
    ASSERT_TRUE(loaded.LoadVoyageFile(path, error)) << error;
    EXPECT_EQ(StoreToBytes(loaded.GetPresentPosition()), StoreToBytes(*present));
    EXPECT_EQ(StoreToBytes(loaded.GetVoyage()), StoreToBytes(*v));
    EXPECT_EQ(loaded.GetPopularPosition().GetName(), "Le Havre");
    EXPECT_EQ(loaded.GetLastFix()->GetName(), "Fix A") << "Cancel keeps every fix";
    EXPECT_EQ(loaded.GetReferencePosition(), loaded.GetVoyage().GetFirst());
    EXPECT_TRUE(loaded.GetVoyage().IsManualSelection()) << "the next waypoint is pinned after a load";
    EXPECT_EQ(loaded.GetVoyage().GetReduceSetting(), 0) << "read when the voyage is loaded";
    EXPECT_EQ(loaded.GetPathName(), path);
    EXPECT_EQ(fake.prompts.History().back().options.at(2),
              "Reset to departure port and wipe route (delete all old position fixes)");
}

TEST_F(Doc, AfterLoadingChoices) {
    v->GetFirst()->SetZoneOffset(1.0);
    doc->AddPositionFix("Fix A", kNow - 3600, 49.8, 0.1);
    const std::string path = Save("v.k7v");
    fake.clock.Set(kNow + 600);
    std::string error;

    CKeelmarkLiteDoc reset;
    fake.prompts.Clear();
    fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kResetToDeparture);
    ASSERT_TRUE(reset.LoadVoyageFile(path, error));
    const CPosition& p = reset.GetPresentPosition();
    EXPECT_EQ((std::tuple{p.GetLatitude(), p.GetZoneOffset(), p.GetTime()}), (std::tuple{50.0, 1.0, kNow + 600}));
    EXPECT_EQ(reset.GetVoyage().GetFirst()->GetTime(), kNow + 600);
    EXPECT_EQ(reset.GetLastFix()->GetName(), "Fix A");
    EXPECT_EQ(fake.prompts.History().back().text,
              "Use menu-option Voyage-Waypoints-Wipe before\nstarting your actual navigation!");

    CKeelmarkLiteDoc wiped;
    fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kResetAndWipe);
    ASSERT_TRUE(wiped.LoadVoyageFile(path, error));
    EXPECT_EQ(wiped.GetVoyage().GetCount(), 2);
    EXPECT_EQ(wiped.GetVoyage().GetFirst()->GetKind(), CPosition::kWaypoint);

    // A damaged file changes nothing and asks nothing; a missing one is named.
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error));
    ASSERT_TRUE(WriteFileAtomic(host.Path("cut.k7v"), bytes.substr(0, bytes.size() - 10), error));
    doc->SetPathName("old.k7v");
    fake.prompts.Clear();
    for (const char* name : {"cut.k7v", "missing.k7v"}) {
        EXPECT_FALSE(doc->LoadVoyageFile(host.Path(name), error));
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
    EXPECT_EQ(v->GetCount(), 3);
    EXPECT_EQ(doc->GetPathName(), "old.k7v");
    EXPECT_TRUE(fake.prompts.History().empty()) << "no question for a file that was not loaded";
}
