#include "reports/report.h"

#include "core/voyage.h"
#include "fuzz/fuzz_support.h"
#include "particulars/vessel.h"
#include "support/bytes.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"

namespace {

// A report file: two lines, "Café €:" (Windows-1252 e9 and 80 on disk) with
// code 15 and an empty label with code 3.
const std::string kTwoLineFile = Hex("02000000") +                   // line count
                                 Hex("07 48656164657220 00") +       // "Header ", no footer
                                 Hex("000000000000f83f") +           // 1.5 nM at the last report
                                 Hex("00105e5f") +                   // time of last report
                                 Hex("0f000000 07 436166e920803a") + // 15, "Café €:"
                                 Hex("03000000 00");                 // 3, ""

// A ship at sea with everything the report reads, and a report of no lines.
class Report : public ModelTest {
protected:
    CPosition popular, present{0.0, 0.5, CTime::FromUtc(2026, 1, 1)};
    CVoyage voyage;
    CVessel vessel;
    CReport report;

    Report() {
        fake.clock.Set(CTime::FromUtc(2026, 1, 1));
        popular.SetName("Popular"); // at 0 N 0 E, the departure at 0 N 1 W, the destination at 0 N 1.5 E
        present.SetCourse(90.0);
        present.SetSpeed(12.5);
        voyage.GetFirst()->SetLongitude(-1.0);
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

TEST_F(Report, NewReportHasItsDefaults) {
    CReport fresh;
    EXPECT_EQ(Row(fresh.GetHeader(), fresh.GetFooter(), fresh.GetTimeOfLastReport() == CTime(),
                  fresh.GetRemainingDistanceAtLastReport(), fresh.GetSendAsMessage() || fresh.GetPrint()),
              "Position Report by Keelmark Lite 1.0beta|Created by Report-Generator|1|0.00|0");
    EXPECT_EQ(fresh.GetLines(), (std::vector<ReportLine>{{"Ship's name:   ", 15},
                                                         {"Latitude:   ", 3},
                                                         {"Longitude:  ", 4},
                                                         {"Present speed:   ", 5},
                                                         {"Present course:   ", 6},
                                                         {"Remaining distance:   ", 7}}));
    // Nothing handed over yet: labels only, no crash.
    EXPECT_EQ(fresh.GetLineText(5), "Remaining distance:   ");
    EXPECT_EQ(CReport::ItemCodeText(CReport::kItemCodeCount - 1), "suns meridian passage (UTC)");
    EXPECT_EQ(CReport::ItemCodeText(CReport::kItemCodeCount) + CReport::ItemCodeText(-1), "");
}

TEST_F(Report, LineTextsOfEveryItem) {
    // The hand-over of a new voyage counts as the last report.
    EXPECT_EQ(report.GetTimeOfLastReport(), fake.clock.Now());
    EXPECT_EQ(report.GetRemainingDistanceAtLastReport(), 100.0);
    EXPECT_EQ(report.GetEndTime(), CTime::FromUtc(2026, 1, 2));
    const std::pair<std::int32_t, const char*> lines[] = {
        {0, "L:  "},
        {1, "L: PDKL"},
        {2, "L: 9123456"},
        {5, "L: 12.50"},
        {6, "L: 90.00"},
        // 1.0 degree of longitude on the equator to the destination; the departure is astern.
        {7, "L: 60.00"},
        {8, "L: "}, // no ETA source: the ship's arrival is not known
        {9, "L: 88.00"},
        {10, "L: 14.25"},
        {11, "L: 90.50"},
        {14, "L: 30.00 nM  E from Popular"},
        {15, "L: Keel Star"},
        {16, "L: 24.00"},
        {21, "L: "},
        {-3, "L: "}}; // a code outside the list gives the label alone
    for (const auto& [code, text] : lines)
        EXPECT_EQ(Line(code), text) << code;
    EXPECT_EQ(Line(3, "Lat:"), "Lat:00:00.00 North") << "the label carries its own blanks";

    present.SetLatitude(52.375);
    present.SetLongitude(-4.12345);
    EXPECT_EQ(Line(3), "L: 52:22.50 North");
    EXPECT_EQ(Line(4), "L: 4:07.41 West");
    EXPECT_EQ(Line(12), "L: 52.37") << "cut, not rounded";
    EXPECT_EQ(Line(13), "L: -4.12");
    present.SetLatitude(-33.999);
    EXPECT_EQ(Line(12), "L: -33.99");
    // A line number outside the list.
    EXPECT_EQ(report.GetLineText(report.GetLineCount()), "Ongeldig");
    EXPECT_EQ(report.GetLineText(-1), "Ongeldig");
}

TEST_F(Report, SinceTheLastReportAndSunTimes) {
    // Two hours after the last report, 24 nM made since.
    fake.clock.Advance(2 * 3600);
    EXPECT_EQ(Line(17), "L: 12.00");
    // In the very second of the last report (or before it) there is no speed to divide out.
    report.SetTimeOfLastReport(fake.clock.Now());
    EXPECT_EQ(Line(17), "L: --");
    report.SetTimeOfLastReport(fake.clock.Now() + 3600);
    EXPECT_EQ(Line(17), "L: --");
    report.SetTimeOfLastReport(CTime()); // none made yet
    EXPECT_EQ(Line(16) + Line(17), "L: --L: --");

    // The ETA at the present speed in the destination's zone time; none when she does not get there.
    std::optional<CTime> eta = CTime::FromUtc(2026, 1, 3, 7, 30);
    report.SetEtaSource([&] { return eta; });
    EXPECT_EQ(Line(8), "L: Saturday 03 Jan 07:30 LT");
    eta.reset();
    EXPECT_EQ(Line(8), "L: ");

    // The default Sun on the equator on 1 January rises near 6 and sets near 18 UTC.
    EXPECT_EQ(Line(18).substr(0, 5) + Line(19).substr(0, 6) + Line(19).substr(Line(19).size() - 4), "L: 6:L: 18: UTC");
    const CPosition* asked = nullptr;
    report.SetSunTimesSource([&](const CPosition& at, double& rise, double& transit, double& set) {
        asked = &at;
        std::tie(rise, transit, set) = std::tuple(6.5, 12.25, 18.0);
    });
    EXPECT_EQ(Line(18) + Line(19) + Line(20), "L: 6:30.00 UTCL: 18:00.00 UTCL: 12:15.00 UTC");
    EXPECT_EQ(asked, &present);
}

TEST_F(Report, LineOperationsOutsideTheListDoNothing) {
    CReport fresh;
    EXPECT_TRUE(fresh.ReplaceLine(0, "Name: ", 15));
    EXPECT_TRUE(fresh.DeleteLine(1));
    std::string label = "kept";
    std::int32_t code = 42;
    ASSERT_TRUE(fresh.GetLine(1, label, code));
    EXPECT_EQ(label, "Longitude:  ");
    EXPECT_EQ(code, 4);
    const std::vector<ReportLine> before = fresh.GetLines();
    for (int bad : {5, -1})
        EXPECT_FALSE(fresh.ReplaceLine(bad, "No", 1) || fresh.DeleteLine(bad) || fresh.GetLine(bad, label, code));
    EXPECT_EQ(label, "Longitude:  ");
    EXPECT_EQ(fresh.GetLines(), before);
}

TEST_F(Report, FileLayoutAndWhatALoadReplaces) {
    report.SetHeader("Header ");
    report.SetFooter("");
    report.SetRemainingDistanceAtLastReport(1.5);
    report.SetTimeOfLastReport(CTime(0x5F5E1000));
    report.AddLine("Café €:", 15);
    report.AddLine("", 3);
    ASSERT_TRUE(report.SaveFile(host.Path("two.k7r")));
    EXPECT_EQ(ToHex(Slurp(host.Path("two.k7r"))), ToHex(kTwoLineFile));

    // Read over a record with other lines: they go; what the file does not hold stays.
    CReport other;
    other.SetReferences(&popular, &voyage, &present, &vessel);
    other.SetPreparedFigures(5.0, 6.0, 7.0);
    other.SetSendAsMessage(true);
    other.SetMessageAddress("ops@example.org");
    ASSERT_TRUE(other.LoadFile(host.Path("two.k7r")));
    EXPECT_EQ(StoreToBytes(other), kTwoLineFile);
    EXPECT_EQ(other.GetRemainingDistance(), 5.0);
    EXPECT_EQ(other.GetRequiredSpeed(), 6.0);
    EXPECT_TRUE(other.GetSendAsMessage());
    EXPECT_EQ(other.GetMessageAddress(), "ops@example.org");
    EXPECT_EQ(other.GetLineText(0), "Café €:Keel Star") << "the references were kept";
    EXPECT_TRUE(Shown().empty());

    CFieldList keys; // other archives see the lines as a list of their own count
    other.Serialize(keys);
    EXPECT_EQ(keys.text, "header=Header  footer= remainingDistanceAtLastReport=1.5 timeOfLastReport=1600000000 "
                         "lines[2 code=15 label=Café €: code=3 label= ]");
}

TEST_F(Report, FileFaultsAreWarningsAndKeepTheOldFile) {
    Put(host.Path("bad.k7r"), Hex("ffffffff") + kTwoLineFile.substr(4));
    EXPECT_FALSE(report.LoadFile(host.Path("bad.k7r")));
    // A time the file cannot hold is not written wrapped.
    ASSERT_TRUE(report.SaveFile(host.Path("r.k7r")));
    const std::string old = Slurp(host.Path("r.k7r"));
    report.SetTimeOfLastReport(CTime(-5));
    report.SetHeader("changed");
    EXPECT_FALSE(report.SaveFile(host.Path("r.k7r")));
    EXPECT_EQ(Slurp(host.Path("r.k7r")), old);
    ASSERT_EQ(fake.prompts.History().size(), 2u);
    EXPECT_EQ(Shown()[0], "\"" + host.Path("bad.k7r") +
                              "\" is damaged: The file announces 4294967295 report lines but holds only 17 more "
                              "bytes (at byte 25)");
    EXPECT_NE(Shown()[1].find("timeOfLastReport"), std::string::npos) << Shown()[1];
    for (const auto& prompt : fake.prompts.History())
        EXPECT_EQ(prompt.icon, PromptIcon::Warning);
}
