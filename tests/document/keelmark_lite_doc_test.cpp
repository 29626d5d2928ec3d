#include "document/keelmark_lite_doc.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/file_io.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"

namespace {

// The Channel crossing with the ship at the departure (50N) on 180 at 12 knots
// and the arrival 120 nM south at 48N, due ten hours from now, by great circle.
void MakeFromDeparture(CKeelmarkLiteDoc& doc, CTime now) {
    MakeChannelCrossing(doc, now);
    doc.GetPresentPosition().SetLatitude(50.0);
    doc.GetPresentPosition().SetCourse(180.0);
    doc.GetPresentPosition().SetSpeed(12.0);
    doc.GetVoyage().GetLast()->SetProceedVia(CPosition::kGreatCircle);
}

struct Doc : VoyageTest<MakeFromDeparture> {
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
    const CPosition& p = doc.GetPresentPosition();
    CVoyage& v = doc.GetVoyage();
    const std::string here = Row(kNow + 60, p.GetLatitude(), p.GetLongitude());
    for (const CPosition* q :
         {&p, static_cast<const CPosition*>(v.GetFirst()), static_cast<const CPosition*>(v.GetLast())})
        EXPECT_EQ(Row(q->GetTime(), q->GetLatitude(), q->GetLongitude()), here) << q->GetName();
    const CPort& port = doc.GetPort();
    EXPECT_EQ(Row(p.GetSpeed(), v.GetStartTime(), v.GetEndTime(), doc.GetPopularPosition().GetTime(), port.m_etb,
                  port.m_etc, port.m_etd, doc.GetReport().GetTimeOfLastReport()),
              Row(17.0, kNow + 60, kNow + 60, kNow + 60, kNow + 60, kNow + 60, kNow + 60, kNow + 60));
    EXPECT_EQ(v.GetReduceSetting(), 0) << "read when the voyage is started";
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst());
    EXPECT_EQ(doc.GetNextWaypoint()->GetName(), "Arrival");
    EXPECT_FALSE(doc.IsModified());
    // The missing side files are reported, and the voyage goes on without them.
    EXPECT_TRUE(host.Shown("Oops, can't open the almanac\nWe have to do without it.."));

    // Closing writes no setting; the frame records the last voyage explicitly.
    std::make_unique<CKeelmarkLiteDoc>()->SetPathName("/data/voyage 7.k7v");
    EXPECT_FALSE(fake.settings.Contains(kSettingsSection, "datafile"));
    doc.RecordAsLastVoyage();
    EXPECT_EQ(fake.settings.GetString(kSettingsSection, "datafile", "?"), "") << "untitled";
    doc.SetPathName("/data/voyage 7.k7v");
    doc.RecordAsLastVoyage();
    EXPECT_EQ(fake.settings.GetString(kSettingsSection, "datafile", "?"), "/data/voyage 7.k7v");
}

TEST_F(Doc, PositionFixTakesCourseAndSpeedMadeGood) {
    v->GetFirst()->SetTime(kNow - 2 * 3600);
    const double south = 50.0 - 20.0 / 60.0; // 20 nM due south of the departure, 2 hours later
    doc->AddPositionFix("GPS Fix", kNow, south, 0.0);
    EXPECT_EQ(Row(present->GetSpeed(), present->GetCourse(), present->GetLatitude(), present->GetTime()),
              Row(10.0, 180.0, south, kNow));
    const CPosition* fix = doc->GetLastFix();
    EXPECT_EQ(Row(fix->GetName(), fix->GetKind(), fix->GetTime(), fix->GetPerformanceCount(), fix->GetSpeed()),
              Row("GPS Fix", CPosition::kFix, kNow, 1, 10.0));
    EXPECT_DOUBLE_EQ(fix->GetETA(), CConversion::DayNumber(kNow));
    EXPECT_TRUE(doc->IsModified());

    // 100 nM in 2 hours is not believed as the ship's speed, but the ship is moved.
    fake.clock.Set(kNow + 2 * 3600);
    doc->AddPositionFix("Jump", kNow + 2 * 3600, south - 100.0 / 60.0, 0.0);
    EXPECT_EQ(Row(present->GetSpeed(), present->GetLatitude()), Row(10.0, south - 100.0 / 60.0));
    EXPECT_EQ(doc->GetLastFix()->GetPerformanceCount(), 0) << "a 50 knot current is not averaged in";
}

TEST_F(Doc, CurrentIsMeasuredAtTheFixTime) {
    // Dead reckoning from an hour ago; a fix 18 minutes old lying exactly where
    // it put the ship then shows no current, although she has sailed on since.
    present->SetTime(kNow - 3600);
    doc->UpdateDeadReckoning();
    doc->AddPositionFix("Fix", kNow - 18 * 60, 50.0 - 12.0 * 42 / 60 / 60, 0.0);
    double direction = 0.0;
    std::int32_t count = 0;
    EXPECT_NEAR(doc->GetLastFix()->GetCurrent(direction, count), 0.0, 1e-6);
    EXPECT_EQ(count, 1);
}

TEST_F(Doc, RefusedAndRepeatedFixes) {
    doc->AddPositionFix("Later", kNow + 60, 49.0, 0.0);
    EXPECT_EQ(Row(v->GetCount(), present->GetLatitude(), doc->IsModified()), "2|50.00|0");
    EXPECT_EQ(Shown(), Names{"Date and time can not be ahead of present time!"});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);

    doc->AddPositionFix("First", kNow, 49.9, 0.0);
    const auto figures = [&] {
        return Row(present->GetCourse(), present->GetSpeed(), doc->GetNextWaypoint()->GetPerformanceCount());
    };
    const std::string before = figures();
    doc->AddPositionFix("Again", kNow, 49.8, 0.0); // another fix at the same time
    EXPECT_EQ(figures(), before);
    EXPECT_EQ(present->GetLatitude(), 49.8) << "the fix itself is still taken";
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
    v->GetLast()->SetTime(kNow - 3600);
    EXPECT_LT(doc->RequiredSpeed(), 0.0) << "a schedule in the past asks for a negative speed";

    CVessel& vessel = doc->GetVessel();
    vessel.m_engineSetting = 80;
    vessel.m_seaSpeedRpm = 100;
    for (auto [speed, rpm] : {std::pair{6.0, 40.0}, {30.0, 100.0}, {-5.0, 0.0}})
        EXPECT_DOUBLE_EQ(doc->RequiredRpm(speed), rpm) << speed;
    present->SetSpeed(0.0);
    EXPECT_EQ(Row(doc->RequiredRpm(6.0), doc->HoursToGo().has_value(), doc->ETAAtSpeed(0.0).has_value()), "100.00|0|0");
}

TEST_F(Doc, SaveAndLoadReproduceTheVoyage) {
    v->SetTexts("Channel", "Feeder", "12");
    doc->AddPositionFix("Fix A", kNow - 3600, 49.8, 0.1);
    const std::string path = Save("v.k7v");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Slurp(path), StoreToBytes(*present) + StoreToBytes(doc->GetPort()) + StoreToBytes(*v) +
                               StoreToBytes(doc->GetPopularPosition()) + StoreToBytes(doc->GetMeteoObs()));
    EXPECT_TRUE(std::filesystem::exists(host.Path("vessel.k7s"))) << "the vessel file is written beside it";

    CKeelmarkLiteDoc loaded;       // navreduce is 0
    fake.prompts.ScriptChoice(-1); // Cancel
    std::string error;
    ASSERT_TRUE(loaded.LoadVoyageFile(path, error)) << error;
    EXPECT_EQ(StoreToBytes(loaded.GetPresentPosition()) + StoreToBytes(loaded.GetVoyage()),
              StoreToBytes(*present) + StoreToBytes(*v));
    EXPECT_EQ(Row(loaded.GetPopularPosition().GetName(), loaded.GetLastFix()->GetName(), loaded.GetPathName()),
              Row("Le Havre", "Fix A", path))
        << "Cancel keeps every fix";
    EXPECT_EQ(loaded.GetReferencePosition(), loaded.GetVoyage().GetFirst());
    EXPECT_TRUE(loaded.GetVoyage().IsManualSelection()) << "the next waypoint is pinned after a load";
    EXPECT_EQ(loaded.GetVoyage().GetReduceSetting(), 0) << "read when the voyage is loaded";
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
    EXPECT_EQ(Row(p.GetLatitude(), p.GetZoneOffset(), p.GetTime(), reset.GetVoyage().GetFirst()->GetTime()),
              Row(50.0, 1.0, kNow + 600, kNow + 600));
    EXPECT_EQ(reset.GetLastFix()->GetName(), "Fix A");
    EXPECT_EQ(fake.prompts.History().back().text,
              "Use menu-option Voyage-Waypoints-Wipe before\nstarting your actual navigation!");

    CKeelmarkLiteDoc wiped;
    fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kResetAndWipe);
    ASSERT_TRUE(wiped.LoadVoyageFile(path, error));
    EXPECT_EQ(Row(wiped.GetVoyage().GetCount(), wiped.GetVoyage().GetFirst()->GetKind()), Row(2, CPosition::kWaypoint));

    // A damaged file (cut, or a place off the globe) changes nothing and asks nothing; a missing one is named.
    Put(host.Path("cut.k7v"), Slurp(path).substr(0, Slurp(path).size() - 10));
    present->SetLongitude(181.0);
    Save("off.k7v");
    present->SetLongitude(0.0);
    doc->SetPathName("old.k7v");
    fake.prompts.Clear();
    for (const char* name : {"cut.k7v", "missing.k7v", "off.k7v"}) {
        EXPECT_FALSE(doc->LoadVoyageFile(host.Path(name), error));
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
    EXPECT_EQ(Row(v->GetCount(), doc->GetPathName(), Shown().size()), "3|old.k7v|0") << "no question, nothing changed";
}
