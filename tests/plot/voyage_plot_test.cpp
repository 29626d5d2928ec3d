// The voyage plot's model: projection, graticule, great-circle legs, the date
// line, hit testing, the cursor readout and the shoreline reader.
#include <cmath>
#include <numbers>

#include "plot/coastline.h"
#include "plot/voyage_plot.h"
#include "support/model_test.h"
#include "support/pacific_voyage.h"

namespace {

constexpr double kRad = std::numbers::pi / 180;

TEST(PlotProjection, MercatorAndItsInverseAndTheViewport) {
    EXPECT_NEAR(MercatorY(45.0), std::log(std::tan(67.5 * kRad)) / kRad, 1e-12); // 50.4987 degrees
    EXPECT_NEAR(MercatorY(0.0), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(MercatorY(89.0), MercatorY(kMercatorLatitudeLimit));
    for (double lat : {-84.0, -45.5, -0.01, 0.0, 30.0, 60.25, 84.9}) {
        const CGeoPoint back = Unproject(Project({lat, 123.4}));
        EXPECT_NEAR(back.latitude, lat, 1e-9);
        EXPECT_EQ(back.longitude, 123.4);
    }
    CPlotViewport view;
    view.SetSize(800, 600);
    view.SetCenter(Project({50.0, -4.0}));
    view.SetScale(120.0);
    const CScreenPoint c = view.ToScreen(Project({50.0, -4.0}));
    EXPECT_EQ(Row(c.x, c.y), "400.00|300.00");
    const CScreenPoint ne = view.ToScreen(Project({51.0, -3.0}));
    EXPECT_GT(ne.x, 400) << "east is right";
    EXPECT_LT(ne.y, 300) << "north is up";
    // Zooming about a pixel and panning keep the place under the cursor.
    const CGeoPoint under = view.GeoAt(620, 140);
    view.ZoomAbout(620, 140, 3.7);
    view.Pan(-55, 31);
    const CGeoPoint after = view.GeoAt(620 - 55, 140 + 31);
    EXPECT_EQ(Row(after.latitude, after.longitude), Row(under.latitude, under.longitude));
    EXPECT_NEAR(after.latitude, under.latitude, 1e-9);
    // A position without a number in it moves nothing.
    CMapRect bounds;
    bounds.Include({std::nan(""), 10.0});
    EXPECT_TRUE(bounds.IsEmpty());
    view.SetCenter({std::nan(""), 0.0});
    EXPECT_EQ(view.GeoAt(620 - 55, 140 + 31).latitude, after.latitude);
}

TEST(PlotProjection, GraticuleFollowsTheZoomInDegreesAndMinutes) {
    const std::pair<double, const char*> labels[] = {
        {52.5, "52°30'N"}, {-33.25, "33°15'S"}, {0.0, "0°"}, {1.0 / 60, "0°01'N"}};
    for (const auto& [value, text] : labels)
        EXPECT_EQ(GraticuleLabel(value, true), text);
    EXPECT_EQ(GraticuleLabel(-4.0, false), "4°W");
    EXPECT_EQ(GraticuleLabel(180.0, false), "180°");
    EXPECT_EQ(GraticuleLabel(-180.5, false), "179°30'E") << "beyond the date line";
    CPlotViewport view;
    view.SetSize(1000, 700);
    const std::pair<double, double> steps[] = {{1.0, 1800}, {100.0, 120}, {400.0, 20}, {6000.0, 2}};
    for (const auto& [scale, minutes] : steps) {
        view.SetScale(scale);
        EXPECT_EQ(MakeGraticule(view, 110).stepMinutes, minutes) << scale;
    }
    view.SetCenter({179.0, 0.0});
    view.SetScale(100.0);
    const CGraticule g = MakeGraticule(view, 110);
    ASSERT_GE(g.meridians.size(), 3u);
    EXPECT_TRUE(std::any_of(g.meridians.begin(), g.meridians.end(), [](auto& m) { return m.label == "178°W"; }));
}

TEST(PlotGreatCircle, SamplesLieOnTheCircleAndReachItsVertex) {
    // The great circle leaving the equator at 0 E on course 045 has its vertex at
    // 45 N 90 E, and tan(lat) = sin(lon) all along.
    const CGeoPoint to{std::atan(0.5) / kRad, 150.0};
    const auto points = SampleGreatCircle({0, 0}, to, 60.0);
    ASSERT_EQ(points.size(), 142u) << "8449 nM in pieces of 60 nM at most";
    EXPECT_EQ(Row(points.back().latitude, points.back().longitude), Row(to.latitude, to.longitude));
    double vertex = -90;
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(std::tan(points[i].latitude * kRad), std::sin(points[i].longitude * kRad), 1e-9);
        vertex = std::max(vertex, points[i].latitude);
        if (i > 0) {
            const CPosition previous(points[i - 1].latitude, points[i - 1].longitude, {});
            EXPECT_LE(previous.DistanceTo(points[i].latitude, points[i].longitude, 0), 60.01);
        }
    }
    EXPECT_NEAR(vertex, 45.0, 0.01);
    // Across the date line the longitudes go on past 180.
    const auto pacific = SampleGreatCircle({35, 140}, {48.5, -125}, 60.0);
    for (std::size_t i = 1; i < pacific.size(); ++i)
        EXPECT_GT(pacific[i].longitude, pacific[i - 1].longitude);
    EXPECT_NEAR(pacific.back().longitude, 235.0, 1e-9);
}

using PacificPlot = VoyageTest<MakePacificPassage>;

TEST_F(PacificPlot, APassageAcrossTheDateLineIsOnePieceAndHitsFindTheMarkers) {
    const CPlotScene scene = BuildPlotScene(*doc, kNow);
    ASSERT_EQ(scene.legs.size(), 3u);
    std::vector<CGeoPoint> all;
    for (const auto& leg : scene.legs)
        all.insert(all.end(), leg.begin(), leg.end());
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LE(std::fabs(all[i].longitude - all[i - 1].longitude), 20.0) << i; // no jump of a turn
    EXPECT_EQ(scene.legs[1].size(), 2u) << "a rhumb line is straight";
    EXPECT_EQ(Row(all.back().longitude, scene.Ship()->at.longitude, scene.track.back().longitude),
              "235.00|183.00|181.50");
    EXPECT_LT(scene.routeBounds.right - scene.routeBounds.left, 100.0);

    CPlotViewport view;
    view.SetSize(1200, 800);
    view.Fit(scene.routeBounds, 40);
    EXPECT_LT(view.Center().x, -170.0) << "the centre's longitude is kept within -180..180";
    EXPECT_EQ(view.WrapOffsets(scene.bounds), std::vector<double>{-360.0});
    auto pixelOf = [&](const CGeoPoint& g) { return view.ToScreen({Project(g).x - 360.0, Project(g).y}); };
    const CScreenPoint fix = pixelOf({48.6, 181.5});
    const CPlotMarker* hit = HitTest(scene, view, fix.x + 3, fix.y - 2, 8);
    ASSERT_TRUE(hit);
    EXPECT_EQ(PlotMarkerDetail(*hit, *v), "GPS Fix 06 Dec 09:00 UTC");
    v->GetAt(3)->SetName("Noon");
    EXPECT_EQ(PlotMarkerDetail(*hit, *v), "Noon  06 Dec 09:00 UTC");
    const CScreenPoint next = pixelOf({49.0, 185.0});
    ASSERT_TRUE(HitTest(scene, view, next.x, next.y, 8));
    EXPECT_EQ(HitTest(scene, view, next.x, next.y, 8)->kind, PlotMark::NextWaypoint);
    EXPECT_EQ(PlotMarkerDetail(*HitTest(scene, view, next.x, next.y, 8), *v).substr(0, 51),
              "Aleutian South  49:00.00 North  175:00.00 West  ETA");
    EXPECT_FALSE(HitTest(scene, view, next.x + 30, next.y + 30, 8));
    ASSERT_EQ(scene.markers.front().kind, PlotMark::Cyclone);
    EXPECT_EQ(scene.markers.front().circle.size(), 73u);
    EXPECT_EQ(v->GetNextIndex(), 4) << "drawing changes nothing";
}

TEST_F(PacificPlot, CursorReadoutGivesPlaceDistanceAndBearingFromTheShip) {
    EXPECT_EQ(CursorReadout({49.8, 183.0}, *present), "49:48.00 North  177:00.00 West    60.00 nM  0.00° from ship");
    EXPECT_EQ(CursorReadout({48.8, 183.0}, *present).substr(0, 30), "48:48.00 North  177:00.00 West");
}

TEST(PlotCoastline, ReadsSegmentsWholeOrNotAtAll) {
    CCoastline coast;
    std::string error;
    ASSERT_TRUE(coast.Parse("# notice\n>\n20.0 80.4\n19.6 80.5\r\n>\n1 2\n>\n-5.5 -10\n-5.0 -10.25\n", "c.txt", error));
    EXPECT_EQ(Row(coast.Segments().size(), coast.PointCount()), "2|5") << "a one-point segment draws nothing";
    EXPECT_NEAR(coast.Y()[4], MercatorY(-10.25), 1e-4);
    EXPECT_EQ(Row(coast.Segments()[1].bounds.left, coast.Segments()[1].bounds.right), "-5.50|-5.00");
    const std::pair<const char*, const char*> bad[] = {{">\n1 2\n3 x\n", "line 3 is not \"longitude latitude\""},
                                                       {"1 2\n", "line 1 holds a point before the first '>'"},
                                                       {">\n1 95\n", "line 2 holds a point off the earth"},
                                                       {">\n1 2 3\n", "line 2 is not \"longitude latitude\""}};
    for (const auto& [text, why] : bad) {
        EXPECT_FALSE(coast.Parse(text, "c.txt", error));
        EXPECT_EQ(error, std::string("The shoreline file \"c.txt\" is damaged: ") + why + ".");
        EXPECT_EQ(coast.PointCount(), 5u);
    }
    EXPECT_FALSE(coast.Load("/nonexistent/coastline-low.txt", error));
    EXPECT_NE(error.find("coastline-low.txt"), std::string::npos);
}

} // namespace
