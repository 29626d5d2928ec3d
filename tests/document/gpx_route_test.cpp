#include "document/gpx_route.h"

#include <cmath>

#include "document/route_import.h"
#include "support/model_test.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 3, 10, 12, 0, 0);

std::string Gpx(const std::string& body, const std::string& extra = "") {
    return "<?xml version=\"1.0\"?>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"" + extra + ">\n" + body +
           "</gpx>";
}

struct GpxRoute : ::testing::Test, CTestHost {
    GpxRoute() : CTestHost(kNow) { KeepSideFilesHere(), MakeMeridianRoute(*doc, kNow); }
    std::unique_ptr<CKeelmarkLiteDoc> doc = NewVoyage();
    Names RouteNames() {
        Names names;
        for (int i = 0; i < doc->GetVoyage().GetCount(); ++i)
            names.push_back(doc->GetVoyage().GetAt(i)->GetName());
        return names;
    }
};

} // namespace

TEST_F(GpxRoute, BadInputIsRefusedNamingProblemAndLine) {
    const std::string pt = "<rte><name>R</name>\n<rtept lat=\"1\" lon=\"2\"/>\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {"<gpx>\n<rte>\n</gpx>", "\"f.gpx\" is not XML: line 3: Start-end tags mismatch"},
        {"", "\"f.gpx\" is not XML: line 1: it holds no element"},
        {"<?xml version=\"1.0\"?>\n<kml/>", "\"f.gpx\" is not a GPX file: line 2: the document is <kml>, not <gpx>"},
        {Gpx("<wpt lat=\"1\" lon=\"2\"/>"),
         "\"f.gpx\" holds no route: a route is an <rte> element with <rtept> points"},
        {Gpx(pt + "<rtept lon=\"2\"><name>Ushant</name></rtept></rte>"),
         "\"f.gpx\", line 5: route point \"Ushant\" has no latitude (attribute lat)"},
        {Gpx(pt + "<rtept lat=\"4 9\" lon=\"2\"/></rte>"),
         "\"f.gpx\", line 5: route point has the latitude \"4 9\", which is not a number"},
        {Gpx(pt + "<rtept lat=\"nan\" lon=\"2\"/></rte>"),
         "\"f.gpx\", line 5: route point has the latitude \"nan\", which is not a number"},
        {Gpx(pt + "<rtept lat=\"90.5\" lon=\"2\"/></rte>"),
         "\"f.gpx\", line 5: route point has the latitude 90.5, outside -90 to 90"},
        {Gpx(pt + "<rtept lat=\"1\" lon=\"-180.01\"/></rte>"),
         "\"f.gpx\", line 5: route point has the longitude -180.01, outside -180 to 180"},
    };
    for (const auto& c : cases) {
        CGpxFile file;
        std::string error;
        EXPECT_FALSE(ParseGpx(c.text, "f.gpx", file, error)) << c.text;
        EXPECT_EQ(error, c.message);
    }

    // A route of one point parses but cannot become the route; the voyage stays as it was.
    CGpxFile file;
    std::string error;
    ASSERT_TRUE(ParseGpx(Gpx(pt + "</rte>"), "f.gpx", file, error)) << error;
    EXPECT_FALSE(ImportRoute(*doc, file, 0, "f.gpx", error));
    EXPECT_EQ(error, "The route \"R\" (line 3) has 1 point: a route needs at least a departure and a destination");
    EXPECT_EQ(RouteNames(), (Names{"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(GpxRoute, ShapesOtherProgramsWrite) {
    // Two routes: one bare (no names, no extensions, a foreign prefix on the GPX
    // elements), one with accents and both kinds of rhumb-line extensions.
    const std::string text = Gpx(
        "<g:rte><g:rtept lat=\" 50.1 \" lon=\"-1\"/><g:rtept lat=\"+49\" lon=\"-2\"/><g:rtept lat=\"48\" lon=\"-3\"/>"
        "</g:rte>\n<rte><name>Bréhat – Łódź</name>"
        "<rtept lat=\"48.85\" lon=\"-3.0\"><name> Île de Bréhat\n</name></rtept>"
        "<rtept lat=\"54\" lon=\"10\"><name>Łódź</name><extensions><k:leg xmlns:k=\"" +
            std::string(kKeelmarkGpxNamespace) +
            "\">Rhumb</k:leg></extensions></rtept>"
            "<rtept lat=\"55\" lon=\"11\"><extensions><x:leg xmlns:x=\"urn:other\">rhumb</x:leg></extensions></rtept>"
            "<rtept lat=\"56\" lon=\"12\"><extensions><rtz:leg geometryType=\"Loxodrome\"/></extensions></rtept>"
            "</rte>\n",
        " xmlns:g=\"http://www.topografix.com/GPX/1/1\"");
    CGpxFile file;
    std::string error;
    ASSERT_TRUE(ParseGpx(text, "f.gpx", file, error)) << error;
    EXPECT_EQ(GpxRouteTitle(file, 0) + GpxRouteTitle(file, 1), "Route 1 (3 points)Bréhat – Łódź (4 points)");
    EXPECT_EQ(FindGpxRoute(file, "Bréhat – Łódź"), 1);
    Names got;
    for (const CGpxPoint& p : file.routes[1].points)
        got.push_back(Row(p.name, p.latitude, p.rhumbLine));
    EXPECT_EQ(got, (Names{"Île de Bréhat|48.85|0", "?ód?|54.00|1", "|55.00|0", "|56.00|1"}));
    EXPECT_EQ(PlanRouteImport(doc->GetVoyage(), file, 1).changedNames, (Names{"Łódź becomes ?ód?"}));

    ASSERT_TRUE(ImportRoute(*doc, file, 0, "/tmp/bare.gpx", error)) << error;
    EXPECT_EQ(RouteNames(), (Names{"Departure", "Fix A", "Fix B", "Waypoint 2", "Arrival"}));
    EXPECT_EQ(Logged(), (Names{"Route \"Route 1\" imported from bare.gpx: 3 waypoints replace 3"}));
}

TEST_F(GpxRoute, ExportThenImportGivesTheSameWaypointsAndKeepsFixes) {
    CVoyage& v = doc->GetVoyage();
    CPosition& mid = *v.GetAt(2);
    mid.SetLatitude(49.123456789), mid.SetLongitude(-0.987654321), mid.SetName("Mid\x01 é");
    mid.SetProceedVia(CPosition::kGreatCircle);
    doc->GetPopularPosition().SetName("Le Havre");
    std::string text, error;
    ASSERT_TRUE(GpxText(v, doc->GetPopularPosition(), text, error)) << error;
    for (const char* part : {"<wpt lat=\"0\" lon=\"0\">\n    <name>Le Havre</name>", "<name>Mid  é</name>",
                             "<keelmark:leg>rhumb</keelmark:leg>", "<time>2026-03-10T09:00:00Z</time>"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;

    // Into the Channel voyage: its two waypoints go, the fixes added there stay.
    auto other = NewVoyage();
    MakeChannelCrossing(*other, kNow);
    other->AddPositionFix("GPS", kNow - 600, 49.9, 0.0);
    const CTime arrival = other->GetVoyage().GetLast()->GetTime();
    CGpxFile file;
    ASSERT_TRUE(ParseGpx(text, "out.gpx", file, error)) << error;
    ASSERT_TRUE(ImportRoute(*other, file, 0, "out.gpx", error)) << error;
    const CVoyage& w = other->GetVoyage();
    ASSERT_EQ(w.GetAt(1)->GetName() + std::to_string(w.GetCount()), "GPS4");
    for (const auto& [a, b] : {std::pair{v.GetAt(0), w.GetAt(0)}, {v.GetAt(2), w.GetAt(2)}, {v.GetAt(4), w.GetAt(3)}}) {
        EXPECT_NEAR(a->GetLatitude(), b->GetLatitude(), 1e-7);
        EXPECT_NEAR(a->GetLongitude(), b->GetLongitude(), 1e-7);
        EXPECT_EQ(a->GetProceedVia(), b->GetProceedVia());
        EXPECT_EQ(b->GetKind(), CPosition::kWaypoint);
    }
    EXPECT_EQ(w.GetLast()->GetTime(), arrival);
    EXPECT_TRUE(other->GetReferencePosition() == w.GetFirst() && other->GetNextWaypoint() == w.GetAt(2));

    // A position off the globe has no place in GPX: nothing is written.
    v.GetAt(3)->SetLatitude(NAN);
    EXPECT_FALSE(WriteGpxFile(Path("bad.gpx"), v, doc->GetPopularPosition(), error));
    EXPECT_EQ(error, "The position \"Fix B\" is not on the globe (latitude nan, longitude 0): GPX cannot hold it");
    EXPECT_FALSE(std::filesystem::exists(Path("bad.gpx")));
}
