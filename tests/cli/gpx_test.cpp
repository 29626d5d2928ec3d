#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/record_file.h"
#include "document/gpx_route.h"
#include "support/run_program.h"
#include "support/test_host.h"

namespace {

ProgramResult Keelmark(const std::vector<std::string>& args) { return RunProgram(KEELMARK_CLI_PATH, args); }

// The route positions of a voyage file as gpsbabel's unicsv lists them.
std::string RouteCsv(const std::string& voyagePath) {
    CVoyageFile file;
    std::string error, csv = "No,Latitude,Longitude,Name\r\n";
    EXPECT_EQ(LoadRecordFile(voyagePath, file, error), LoadResult::Loaded) << error;
    for (int i = 0, n = 0; i < file.voyage.GetCount(); ++i) {
        const CPosition& p = *file.voyage.GetAt(i);
        char line[200];
        if (!InGpxRoute(file.voyage, i)) continue;
        std::snprintf(line, sizeof line, "%d,%.6f,%.6f,\"%s\"\r\n", ++n, p.GetLatitude(), p.GetLongitude(),
                      p.GetName().c_str());
        csv += line;
    }
    return csv;
}

} // namespace

TEST(CliGpx, GpsbabelReadsTheExportAndItsOwnRouteImports) {
    const std::string babel = "/usr/bin/gpsbabel";
    if (!std::filesystem::exists(babel))
        GTEST_SKIP() << "gpsbabel is not installed: the peer test needs it (apt-get install gpsbabel)";
    CTestHost host(CTime::FromUtc(2026, 3, 10, 12, 0, 0));
    const std::string voyage = host.WriteDemoVoyage("demo.k7v"), out = host.Path("out.gpx");

    ProgramResult r = Keelmark({"gpx-export", voyage, out});
    ASSERT_EQ(r.status, 0) << r.err;
    ProgramResult peer = RunProgram(babel, {"-r", "-i", "gpx", "-f", out, "-o", "unicsv", "-F", "-"});
    ASSERT_EQ(peer.status, 0) << peer.err;
    EXPECT_EQ(peer.out, RouteCsv(voyage));

    // A route gpsbabel writes on its own (GPX 1.1, with its metadata and comments).
    const std::string csv = host.Path("in.csv"), written = host.Path("babel.gpx");
    std::ofstream(csv)
        << "Name,Latitude,Longitude\nNab Tower,50.6678,-0.9522\nCasquets,49.72,-2.37\nOuessant,48.4667,-5.1\n"
           "Ambrose,40.4583,-73.83\n";
    peer = RunProgram(
        babel, {"-i", "unicsv", "-f", csv, "-x", "transform,rte=wpt,del", "-o", "gpx,gpxver=1.1", "-F", written});
    ASSERT_EQ(peer.status, 0) << peer.err;
    r = Keelmark({"gpx-import", voyage, written});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"waypoints\": 4,"), std::string::npos) << r.out;
    const std::string csvAfter = RouteCsv(voyage);
    EXPECT_NE(csvAfter.find(",50.667800,-0.952200,\"Nab Tower\""), std::string::npos) << csvAfter;
    EXPECT_NE(csvAfter.find(",40.458300,-73.830000,\"Ambrose\""), std::string::npos) << csvAfter;
    // The fixes of the demo voyage lie mid-Atlantic: the ship goes on for Ambrose, not back to the Channel.
    r = Keelmark({"status", voyage, "--at", "2026-03-10T12:00:00Z"});
    EXPECT_NE(r.out.find("\"nextWaypoint\": \"Ambrose\""), std::string::npos) << r.out;

    // Several routes want --route; a bad file changes nothing.
    std::ofstream(written) << "<gpx><rte><name>A</name></rte><rte><name>B</name></rte></gpx>";
    r = Keelmark({"gpx-import", voyage, written});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "keelmark: the file holds 2 routes (A (0 points), B (0 points)): choose one with --route NAME\n");
    EXPECT_EQ(RouteCsv(voyage), csvAfter);
    EXPECT_EQ(Keelmark({"gpx-export", voyage}).status, 2);
}
