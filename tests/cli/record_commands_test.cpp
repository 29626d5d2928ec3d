#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"
#include "document/keelmark_lite_doc.h"
#include "document/record_types.h"
#include "fuzz/fuzz_support.h"
#include "platform/fake/fake_services.h"
#include "support/run_program.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

ProgramResult Keelmark(const std::vector<std::string>& args, const std::string& input = "") {
    return RunProgram(KEELMARK_CLI_PATH, args, input);
}

struct CliRecords : ::testing::Test {
    CScratchDir dir;
    std::string Path(const std::string& name) const { return dir / name; }

    // A voyage from 50N 0E to 48N 0E, one fix, arrival due ten hours after kNow.
    std::string MakeVoyage(const std::string& name) {
        CFakeServices fake;
        fake.clock.Set(kNow);
        fake.settings.SetString(kSettingsSection, "vesseldata", Path("vessel.k7s"));
        fake.settings.SetString(kSettingsSection, "hurri", Path("hurricane.dat"));
        fake.settings.SetString(kSettingsSection, "almanac", Path("almanac.dat"));
        CKeelmarkLiteDoc doc;
        doc.OnNewDocument();
        CVoyage& v = doc.GetVoyage();
        v.GetFirst()->SetLatitude(50.0);
        v.GetFirst()->SetLongitude(0.0);
        v.GetFirst()->SetTime(kNow - 2 * 3600);
        v.GetLast()->SetLatitude(48.0);
        v.GetLast()->SetLongitude(0.0);
        v.GetLast()->SetTime(kNow + 10 * 3600);
        v.GetLast()->SetName("Brest \u00e9");
        v.SetTexts("Channel crossing", "Feeder", "7");
        doc.GetPresentPosition().SetLatitude(50.0);
        doc.GetPresentPosition().SetLongitude(0.0);
        doc.AddPositionFix("GPS Fix", kNow - 3600, 49.9, 0.0);
        std::string error;
        EXPECT_TRUE(doc.SaveVoyageFile(Path(name), error)) << error;
        return Path(name);
    }

    std::string Bytes(const std::string& path) {
        std::string bytes, error;
        EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
        return bytes;
    }
};

} // namespace

TEST_F(CliRecords, DumpThenLoadReproducesEveryByte) {
    const std::string voyage = MakeVoyage("v.k7v");
    ProgramResult dump = Keelmark({"dump", voyage});
    ASSERT_EQ(dump.status, 0) << dump.err;
    const std::string& json = dump.out;
    // Keys in file order, records as named.
    const std::size_t present = json.find("\"presentPosition\": {");
    const std::size_t port = json.find("\"port\": {");
    const std::size_t route = json.find("\"route\": [");
    const std::size_t popular = json.find("\"popularPosition\": {");
    const std::size_t meteo = json.find("\"meteo\": {");
    ASSERT_NE(present, std::string::npos) << json;
    EXPECT_LT(present, port);
    EXPECT_LT(port, route);
    EXPECT_LT(route, popular);
    EXPECT_LT(popular, meteo);
    EXPECT_NE(json.find("\"course\": "), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"Brest \u00e9\""), std::string::npos) << "text is UTF-8 in JSON";
    EXPECT_NE(json.find("\"description\": \"Channel crossing\""), std::string::npos);

    std::string error;
    ASSERT_TRUE(WriteFileAtomic(Path("v.json"), json, error)) << error;
    ProgramResult load = Keelmark({"load", "--type", "voyage", Path("v.json"), Path("copy.k7v")});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out, "");
    EXPECT_EQ(Bytes(Path("copy.k7v")), Bytes(voyage));

    // From standard input, and back to the same JSON.
    load = RunProgram(KEELMARK_CLI_PATH, {"load", "--type", "voyage", "-", Path("copy2.k7v")}, json);
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(Keelmark({"dump", Path("copy2.k7v")}).out, json);
}

TEST_F(CliRecords, BadFilesAndBadJson) {
    const std::string voyage = MakeVoyage("v.k7v");
    std::string bytes = Bytes(voyage), error;
    ASSERT_TRUE(WriteFileAtomic(Path("cut.k7v"), bytes.substr(0, bytes.size() / 2), error));
    ProgramResult r = Keelmark({"dump", Path("cut.k7v")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cut.k7v"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line";

    EXPECT_EQ(Keelmark({"dump", Path("none.k7v")}).status, 1);
    EXPECT_EQ(Keelmark({"dump", Path("what.xyz")}).status, 2) << "no type from the name";
    EXPECT_EQ(Keelmark({"dump", voyage, "--type", "ship"}).status, 2);

    // A missing key names the key; nothing is written.
    std::string json = Keelmark({"dump", voyage}).out;
    const std::size_t at = json.find("\"voyageNumber\"");
    ASSERT_NE(at, std::string::npos);
    json.replace(at, 14, "\"voyageNo\"");
    r = Keelmark({"load", "--type", "voyage", "-", Path("out.k7v")}, json);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("voyageNumber"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(Path("out.k7v")));

    r = Keelmark({"load", "--type", "voyage", "-", Path("out.k7v")}, "{ not json");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("invalid JSON"), std::string::npos) << r.err;
    EXPECT_EQ(Keelmark({"load", "voyage", "-", Path("out.k7v")}).status, 2) << "--type is required";
}

TEST_F(CliRecords, StatusShowsTheDashboard) {
    const std::string voyage = MakeVoyage("v.k7v");
    ProgramResult r = Keelmark({"status", voyage, "--at", "2026-12-06T12:00:00Z", "--vessel", Path("vessel.k7s")});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* key : {"latitude", "longitude", "trueCourse", "trueSpeed", "nextWaypoint", "bearing", "distance",
                            "remainingDistance", "remainingHours", "requiredSpeed", "requiredRpm", "eta",
                            "distanceMade", "speedMadeGood", "steer"})
        EXPECT_NE(r.out.find(std::string("\"") + key + "\": "), std::string::npos) << key << "\n" << r.out;
    EXPECT_NE(r.out.find("\"nextWaypoint\": \"Brest \u00e9\""), std::string::npos) << r.out;
    const std::size_t hours = r.out.find("\"remainingHours\": ");
    ASSERT_NE(hours, std::string::npos);
    EXPECT_NEAR(std::stod(r.out.substr(hours + 18)), 10.0, 1e-6) << r.out;
    EXPECT_NE(r.out.find("\"eta\": \"2026-12-"), std::string::npos) << r.out;

    // The schedule has run out.
    r = Keelmark({"status", voyage, "--at", "2026-12-07T00:00:00Z"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\n  \"suspended\": true\n}\n");

    EXPECT_EQ(Keelmark({"status", voyage, "--at", "yesterday"}).status, 2);
    EXPECT_EQ(Keelmark({"status", Path("none.k7v")}).status, 1);
}

TEST_F(CliRecords, EveryRecordTypeRoundTripsItsAwkwardSeed) {
    // The fuzz seeds hold every field of every type with edge values: NaN, infinities,
    // -0.0, extreme integers and times, all 256 Windows-1252 characters.
    for (const RecordType& type : RecordTypes()) {
        SCOPED_TRACE(type.name);
        const std::string seed =
            std::string(KEELMARK_FUZZ_CORPUS) + "/" + CorpusFolder(type) + "/valid-varied" + type.extension;
        const ProgramResult dump = Keelmark({"dump", seed, "--type", type.name});
        ASSERT_EQ(dump.status, 0) << dump.err;
        const std::string copy = Path(std::string("copy") + type.extension);
        const ProgramResult load = Keelmark({"load", "--type", type.name, "-", copy}, dump.out);
        ASSERT_EQ(load.status, 0) << load.err;
        EXPECT_EQ(Bytes(copy), Bytes(seed));
    }
    const ProgramResult nan = Keelmark({"dump", std::string(KEELMARK_FUZZ_CORPUS) + "/voyage/valid-varied.k7v"});
    EXPECT_NE(nan.out.find("\"NaN\""), std::string::npos);
    EXPECT_NE(nan.out.find("\"-Infinity\""), std::string::npos);
    EXPECT_NE(nan.out.find("\"Infinity\""), std::string::npos);
}

TEST(CliRecordTypes, TypeComesFromTheFileName) {
    const std::pair<const char*, const char*> cases[] = {{"a.K7V", "voyage"},
                                                         {"dir/b.k7s", "vessel"},
                                                         {"c.k7p", "port"},
                                                         {"d.k7r", "report"},
                                                         {"Hurricane.DAT", "hurricanes"},
                                                         {"hurricanes-old.dat", "hurricanes"},
                                                         {"almanac.dat", "almanac"},
                                                         {"my-hurricane.dat", "almanac"},
                                                         {"C:\\hurricane\\sky.dat", "almanac"},
                                                         {"C:\\data\\hurricane.dat", "hurricanes"},
                                                         {"hurricane.dat.bak", ""},
                                                         {"k7v", ""}};
    for (const auto& [path, type] : cases) {
        const RecordType* found = RecordTypeOfPath(path);
        EXPECT_EQ(found ? found->name : "", std::string(type)) << path;
    }
    EXPECT_EQ(RecordTypeNames(), "voyage|vessel|port|almanac|hurricanes|report");
}
