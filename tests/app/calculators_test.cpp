// The bridge calculators' formulas and the layout of the printed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/calculators.h"
#include "app/printouts.h"
#include "plot/coastline.h"
#include "support/model_test.h"

TEST(Calculators, SquatWheelOverAndRange) {
    EXPECT_NEAR(ComputeSquat(10, 0.8, kOpenSea, 9.0).squat, 0.8, 1e-12);
    EXPECT_NEAR(ComputeSquat(10, 0.8, kCanal, 9.0).squat, 1.6, 1e-12);
    EXPECT_NEAR(ComputeSquat(10, 0.8, kCanal, 9.0).maxDraft, 10.6, 1e-12);
    // 350 to 010 is a turn of 20 degrees either way round; the factor is 1/57.3.
    const double expected = std::tan(10 * (1 / 57.3)) * 12 * 0.95 / 10;
    EXPECT_DOUBLE_EQ(WheelOverDistance(350, 10, 10, 12), expected);
    EXPECT_DOUBLE_EQ(WheelOverDistance(10, 350, 10, 12), expected);
    EXPECT_NEAR(expected, 0.20, 0.005);
    EXPECT_DOUBLE_EQ(*GeographicalRange(49, 16), 22.99);
    EXPECT_FALSE(GeographicalRange(49, -1));
    EXPECT_FALSE(GeographicalRange(-49, 16));
}

TEST(Calculators, MetricConversions) {
    const struct {
        int conversion;
        double value, result;
    } cases[] = {{0, 10, 18.52},           {1, 18.52, 10},   {2, 10, 3.048},
                 {3, 3.048, 10},           {4, 10, 18.288},  {5, 10, 5.468066491688539},
                 {6, 18.52, 10},           {7, 10, 18.52},   {8, 10, 19.438444924406},
                 {9, 10, 5.1444444444444}, {10, 10, 4.5359}, {11, 10, 22.04634140964307},
                 {12, 100, 212},           {13, 212, 100}};
    for (const auto& c : cases)
        EXPECT_NEAR(ConvertMetric(c.conversion, c.value), c.result, 1e-9) << kMetricConversions[c.conversion];
    EXPECT_EQ(ConvertMetric(5, 10), 5.468066491688539);
    EXPECT_TRUE(std::isnan(ConvertMetric(14, 1)));
}

TEST(Calculators, DistanceToShore) {
    // 100 m at 1 degree: 100 / tan(1/57.3) metres.
    EXPECT_NEAR(*ShoreDistanceByShoreline(100, 1, 0), 100 / std::tan(1 / 57.3) / 1852, 1e-9);
    EXPECT_NEAR(*ShoreDistanceByShoreline(100, 0, 30), 100 / std::tan(0.5 / 57.3) / 1852, 1e-9);
    EXPECT_FALSE(ShoreDistanceByShoreline(100, 0, 0)); // angle 0: no finite distance
    EXPECT_FALSE(ShoreDistanceByShoreline(-100, 1, 0));
    // The top on the horizon: about the geographical range of the object.
    EXPECT_NEAR(*ShoreDistanceByHorizon(100, 16, 0, 0), 29.24, 0.01);
    EXPECT_NEAR(*ShoreDistanceByHorizon(100, 16, 0, 30), 6.11, 0.01);
    EXPECT_GT(*ShoreDistanceByHorizon(100, 16, 0, 6), *ShoreDistanceByHorizon(100, 16, 0, 12));
    // An eye above a low object that shows 5 degrees above the horizon: no answer, and no endless loop.
    EXPECT_FALSE(ShoreDistanceByHorizon(1, 16, 5, 0));
    EXPECT_FALSE(ShoreDistanceByHorizon(100, -1, 0, 30));
}

TEST(Calculators, NearestShorePointOnTheSphere) {
    CCoastline shore;
    std::string error;
    ASSERT_TRUE(shore.Parse(">\n0 50\n1 50\n>\n10 40\n", "test", error)) << error;
    const auto north = NearestShorePoint(shore, 49, 0);
    ASSERT_TRUE(north);
    EXPECT_EQ(Row(north->distance, north->bearing, north->latitude, north->longitude), "60.00|0.00|50.00|0.00");
    // Along a parallel the great circle is a little shorter than the rhumb line and starts north of west.
    const auto west = NearestShorePoint(shore, 50, 2);
    EXPECT_NEAR(west->distance, 38.56, 0.02);
    EXPECT_NEAR(west->bearing, 270.38, 0.02);
    EXPECT_FALSE(NearestShorePoint(CCoastline(), 50, 2));
}

TEST(PrintForm, ListsGoOnOverPagesWithTheirHeadsAndTextsStayInOrder) {
    CFormWriter writer("list", 35, 1000);
    writer.Head(FormFrame(), {FormTitle("LIST"), {200, -850, "Name:", FormFont::Body}}, -885);
    for (int i = 0; i < 5; ++i)
        writer.Line(35, {{200, 0, "row" + std::to_string(i)}});
    const CPrintForm form = writer.Take();
    // -920, -955 fit above -1000 with the line's height; the rest go on page 2.
    ASSERT_EQ(form.pages.size(), 3u);
    EXPECT_EQ(FormText(form), "LIST\nName:\nrow0\nrow1\n\fLIST\nName:\nrow2\nrow3\n\fLIST\nName:\nrow4\n\f");
    EXPECT_EQ(form.pages[1].texts[2].y, -920);
    EXPECT_EQ(form.pages[0].rects.size(), 1u);
    const CPrintForm text = PlainTextForm("Report", "a\r\n\n" + std::string(79, 'x') + " yz\n", 0);
    EXPECT_EQ(FormText(text), "Report\na\n\n" + std::string(79, 'x') + "\nyz\n\f");
}

using Printouts = VoyageTest<MakeChannelCrossing>;

TEST_F(Printouts, NoonReportWithoutHoursRunShowsNoAverageSpeed) {
    v->GetFirst()->SetTime(kNow);
    const std::string text = FormText(NoonReportForm(*doc));
    EXPECT_NE(text.find("0.00 Hrs  (-- kts)"), std::string::npos) << text;
    EXPECT_EQ(text.find("inf"), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
}
