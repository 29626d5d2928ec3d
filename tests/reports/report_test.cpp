#include "reports/report.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/archive.h"
#include "core/file_io.h"
#include "core/position.h"
#include "core/voyage.h"
#include "particulars/vessel.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

using TempDir = CScratchDir;

// A report file: two lines, "Café €:" (Windows-1252 e9 and 80 on disk) with
// code 15 and an empty label with code 3.
const std::string kTwoLineFile = Hex("02000000") +                   // line count
                                 Hex("07 48656164657220") +          // "Header "
                                 Hex("00") +                         // no footer
                                 Hex("000000000000f83f") +           // 1.5 nM at the last report
                                 Hex("00105e5f") +                   // time of last report
                                 Hex("0f000000 07 436166e920803a") + // 15, "Café €:"
                                 Hex("03000000 00");                 // 3, ""

// A ship at sea with everything the report reads.
struct Scene {
    CFakeServices fake;
    CPosition popular, present;
    CVoyage voyage;
    CVessel vessel;
    CReport report;

    Scene() {
        popular.SetName("Popular");
        popular.SetLatitude(0.0);
        popular.SetLongitude(0.0);
        present.SetLatitude(0.0);
        present.SetLongitude(0.5);
        present.SetCourse(90.0);
        present.SetSpeed(12.5);
        present.SetTime(fake.clock.Now());
        voyage.GetFirst()->SetLatitude(0.0);
        voyage.GetFirst()->SetLongitude(-1.0);
        voyage.GetLast()->SetLatitude(0.0);
        voyage.GetLast()->SetLongitude(1.5);
        voyage.SetSpeed(10.0);
        voyage.SetReduceSetting(0); // the destination's ETA without the engine's run-down
        vessel.m_name = "Keel Star";
        vessel.m_callSign = "PDKL";
        vessel.m_internationalNumber = "9123456";
        vessel.m_engineSetting = 88;
        report.SetWorkingSet(&popular, &voyage, &present, &vessel, CTime::FromUtc(2026, 1, 2), fake.clock.Now(), 100.0);
        report.SetPreparedFigures(76.0, 14.25, 90.5);
        while (report.GetLineCount() > 0)
            report.DeleteLine(0);
    }
    std::string Line(std::int32_t code, const std::string& label = "L: ") {
        report.AddLine(label, code);
        return report.GetLineText(report.GetLineCount() - 1);
    }
};

} // namespace

TEST(Report, NewReportHasItsDefaults) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 3, 4, 5, 6, 7));
    CReport report;
    EXPECT_EQ(report.GetHeader(), "Position Report by Keelmark Lite 1.0beta");
    EXPECT_EQ(report.GetFooter(), "Created by Report-Generator");
    EXPECT_EQ(report.GetTimeOfLastReport(), CTime::FromUtc(2026, 3, 4, 5, 6, 7));
    EXPECT_EQ(report.GetRemainingDistanceAtLastReport(), 0.0);
    EXPECT_FALSE(report.GetSendAsMessage());
    EXPECT_FALSE(report.GetPrint());
    const std::vector<ReportLine> expected = {{"Ship's name:   ", 15},   {"Latitude:   ", 3},
                                              {"Longitude:  ", 4},       {"Present speed:   ", 5},
                                              {"Present course:   ", 6}, {"Remaining distance:   ", 7}};
    EXPECT_EQ(report.GetLines(), expected);
    // Nothing handed over yet: labels only, no crash.
    EXPECT_EQ(report.GetLineText(0), "Ship's name:   ");
    EXPECT_EQ(report.GetLineText(5), "Remaining distance:   ");
}

TEST(Report, ItemCodeListTextsEndWithTheLastCode) {
    EXPECT_EQ(CReport::ItemCodeText(0), "NIL (no data)");
    EXPECT_EQ(CReport::ItemCodeText(CReport::kMeridianPassage), "suns meridian passage (UTC)");
    EXPECT_EQ(CReport::ItemCodeText(CReport::kItemCodeCount), "");
    EXPECT_EQ(CReport::ItemCodeText(-1), "");
}

TEST(Report, LineTextsOfEveryItem) {
    Scene s;
    // The hand-over of a new voyage counts as the last report.
    EXPECT_EQ(s.report.GetTimeOfLastReport(), s.fake.clock.Now());
    EXPECT_EQ(s.report.GetRemainingDistanceAtLastReport(), 100.0);
    EXPECT_EQ(s.report.GetEndTime(), CTime::FromUtc(2026, 1, 2));
    EXPECT_EQ(s.Line(0), "L:  ");
    EXPECT_EQ(s.Line(1), "L: PDKL");
    EXPECT_EQ(s.Line(2), "L: 9123456");
    EXPECT_EQ(s.Line(5), "L: 12.50");
    EXPECT_EQ(s.Line(6), "L: 90.00");
    // 1.0 degree of longitude on the equator to the destination; the departure is astern.
    EXPECT_EQ(s.Line(7), "L: 60.00");
    // 60 nM at 10 knots from 2026-01-01 00:00 UTC.
    EXPECT_EQ(s.Line(8), "L: 01 Jan 06:00 UTC");
    EXPECT_EQ(s.Line(9), "L: 88.00");
    EXPECT_EQ(s.Line(10), "L: 14.25");
    EXPECT_EQ(s.Line(11), "L: 90.50");
    EXPECT_EQ(s.Line(14), "L: 30.00 nM  E from Popular");
    EXPECT_EQ(s.Line(15), "L: Keel Star");
    EXPECT_EQ(s.Line(16), "L: 24.00");
    EXPECT_EQ(s.Line(21), "L: ") << "a code above 20 gives the label alone";
    EXPECT_EQ(s.Line(-3), "L: ");
    EXPECT_EQ(s.Line(3, "Lat:"), "Lat:00:00.00 North") << "the label carries its own blanks";

    s.present.SetLatitude(52.375);
    s.present.SetLongitude(-4.12345);
    EXPECT_EQ(s.Line(3), "L: 52:22.50 North");
    EXPECT_EQ(s.Line(4), "L: 4:07.41 West");
    EXPECT_EQ(s.Line(12), "L: 52.37") << "cut, not rounded";
    EXPECT_EQ(s.Line(13), "L: -4.12");
    s.present.SetLatitude(-33.999);
    EXPECT_EQ(s.Line(12), "L: -33.99");

    // A line number outside the list.
    EXPECT_EQ(s.report.GetLineText(s.report.GetLineCount()), "Ongeldig");
    EXPECT_EQ(s.report.GetLineText(-1), "Ongeldig");
}

TEST(Report, SinceTheLastReportAndSunTimes) {
    Scene s;
    // Two hours after the last report, 24 nM made since.
    s.fake.clock.Advance(2 * 3600);
    EXPECT_EQ(s.Line(17), "L: 12.00");
    // In the very second of the last report (or before it) there is no speed to divide out.
    s.report.SetTimeOfLastReport(s.fake.clock.Now());
    EXPECT_EQ(s.Line(17), "L: 0.00");
    s.report.SetTimeOfLastReport(s.fake.clock.Now() + 3600);
    EXPECT_EQ(s.Line(17), "L: 0.00");

    EXPECT_EQ(s.Line(18), "L: ") << "without a source the sun lines show their label";
    const CPosition* asked = nullptr;
    s.report.SetSunTimesSource([&](const CPosition& at, double& rise, double& transit, double& set) {
        asked = &at;
        rise = 6.5;
        transit = 12.25;
        set = 18.0;
    });
    EXPECT_EQ(s.Line(18), "L: 6:30.00 UTC");
    EXPECT_EQ(asked, &s.present);
    EXPECT_EQ(s.Line(19), "L: 18:00.00 UTC");
    EXPECT_EQ(s.Line(20), "L: 12:15.00 UTC");
}

TEST(Report, LineOperationsOutsideTheListDoNothing) {
    CFakeServices fake;
    CReport report;
    EXPECT_TRUE(report.ReplaceLine(0, "Name: ", 15));
    EXPECT_TRUE(report.DeleteLine(1));
    std::string label = "kept";
    std::int32_t code = 42;
    ASSERT_TRUE(report.GetLine(1, label, code));
    EXPECT_EQ(label, "Longitude:  ");
    EXPECT_EQ(code, 4);

    const std::vector<ReportLine> before = report.GetLines();
    EXPECT_FALSE(report.ReplaceLine(5, "No", 1));
    EXPECT_FALSE(report.ReplaceLine(-1, "No", 1));
    EXPECT_FALSE(report.DeleteLine(5));
    EXPECT_FALSE(report.DeleteLine(-1));
    EXPECT_FALSE(report.GetLine(5, label, code));
    EXPECT_EQ(label, "Longitude:  ");
    EXPECT_EQ(report.GetLines(), before);
}

TEST(Report, FileLayoutAndWhatALoadReplaces) {
    TempDir dir;
    Scene s;
    s.report.SetHeader("Header ");
    s.report.SetFooter("");
    s.report.SetRemainingDistanceAtLastReport(1.5);
    s.report.SetTimeOfLastReport(CTime(0x5F5E1000));
    s.report.AddLine("Café €:", 15);
    s.report.AddLine("", 3);
    ASSERT_TRUE(s.report.SaveFile(dir / "two.k7r"));
    EXPECT_EQ(ToHex(Slurp(dir / "two.k7r")), ToHex(kTwoLineFile));

    // Read over a record with other lines: they go; what the file does not hold stays.
    CReport other;
    other.SetReferences(&s.popular, &s.voyage, &s.present, &s.vessel);
    other.SetPreparedFigures(5.0, 6.0, 7.0);
    other.SetSendAsMessage(true);
    other.SetMessageAddress("ops@example.org");
    ASSERT_TRUE(other.LoadFile(dir / "two.k7r"));
    EXPECT_EQ(other.GetHeader(), "Header ");
    EXPECT_EQ(other.GetFooter(), "");
    EXPECT_EQ(other.GetRemainingDistanceAtLastReport(), 1.5);
    EXPECT_EQ(other.GetTimeOfLastReport(), CTime(0x5F5E1000));
    EXPECT_EQ(other.GetLines(), (std::vector<ReportLine>{{"Café €:", 15}, {"", 3}}));
    EXPECT_EQ(other.GetRemainingDistance(), 5.0);
    EXPECT_EQ(other.GetRequiredSpeed(), 6.0);
    EXPECT_TRUE(other.GetSendAsMessage());
    EXPECT_EQ(other.GetMessageAddress(), "ops@example.org");
    EXPECT_EQ(other.GetLineText(0), "Café €:Keel Star") << "the references were kept";
    EXPECT_TRUE(s.fake.prompts.History().empty());

    // A report of no lines is a count of 0 and nothing after the time.
    CReport empty;
    while (empty.GetLineCount() > 0)
        empty.DeleteLine(0);
    empty.SetHeader("");
    empty.SetFooter("");
    empty.SetTimeOfLastReport(CTime(0));
    EXPECT_EQ(ToHex(StoreToBytes(empty)), ToHex(Hex("00000000 00 00 0000000000000000 00000000")));
}

TEST(Report, DamagedFileIsShownAsAWarning) {
    TempDir dir;
    Scene s;
    Put(dir / "bad.k7r", Hex("ffffffff") + kTwoLineFile.substr(4));
    EXPECT_FALSE(s.report.LoadFile(dir / "bad.k7r"));
    ASSERT_EQ(s.fake.prompts.History().size(), 1u);
    EXPECT_EQ(
        s.fake.prompts.History()[0].text,
        "\"" + (dir / "bad.k7r") +
            "\" is damaged: The file announces 4294967295 report lines but holds only 17 more bytes (at byte 25)");
    EXPECT_EQ(s.fake.prompts.History()[0].icon, PromptIcon::Warning);
}

TEST(Report, SaveFaultsAreReportedAndKeepTheOldFile) {
    TempDir dir;
    CFakeServices fake;
    CReport report;
    ASSERT_TRUE(report.SaveFile(dir / "r.k7r"));
    const std::string old = Slurp(dir / "r.k7r");

    // A time the file cannot hold is not written wrapped.
    report.SetTimeOfLastReport(CTime(-5));
    report.SetHeader("changed");
    EXPECT_FALSE(report.SaveFile(dir / "r.k7r"));
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_NE(fake.prompts.History()[0].text.find("timeOfLastReport"), std::string::npos)
        << fake.prompts.History()[0].text;
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(Slurp(dir / "r.k7r"), old);

    fake.prompts.Clear();
    report.SetTimeOfLastReport(CTime(0));
    EXPECT_FALSE(report.SaveFile(dir / "missing/r.k7r"));
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_NE(fake.prompts.History()[0].text.find("missing/r.k7r"), std::string::npos);
}

TEST(Report, OtherArchivesSeeTheLinesAsAList) {
    // Keys in the order the command line prints them; the count is the list's own.
    struct Keys : CArchive {
        std::vector<std::string> names;
        bool IsStoring() const override { return true; }
        void Long(const char* n, std::int32_t&) override { names.push_back(n); }
        void Dword(const char* n, std::uint32_t&) override { names.push_back(n); }
        void Double(const char* n, double&) override { names.push_back(n); }
        void Time(const char* n, CTime&) override { names.push_back(n); }
        void String(const char* n, std::string&) override { names.push_back(n); }
        void BeginObject(const char* n) override { names.push_back(std::string("{") + n); }
        void EndObject() override { names.push_back("}"); }
        std::size_t BeginList(const char* n, std::size_t count, CountType, std::size_t) override {
            names.push_back(std::string(n) + "[" + std::to_string(count));
            return count;
        }
        void BeginItem() override {}
        void EndItem() override {}
        void EndList() override { names.push_back("]"); }
    } keys;
    CFakeServices fake;
    CReport report;
    while (report.GetLineCount() > 1)
        report.DeleteLine(1);
    report.AddLine("x", 1);
    report.Serialize(keys);
    EXPECT_EQ(keys.names,
              (std::vector<std::string>{"header", "footer", "remainingDistanceAtLastReport", "timeOfLastReport",
                                        "lines[2", "code", "label", "code", "label", "]"}));
}
