#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "document/record_types.h"
#include "fuzz/fuzz_support.h"
#include "support/run_program.h"
#include "support/scratch_dir.h"
#include "support/test_host.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

ProgramResult Keelmark(const std::vector<std::string>& args, const std::string& input = "") {
    return RunProgram(KEELMARK_CLI_PATH, args, input);
}

struct CliRecords : ::testing::Test {
    CTestHost host{kNow};
    std::string Path(const std::string& name) const { return host.Path(name); }

    // The Channel crossing to "Brest é" with one fix, its vessel and cyclones beside it.
    std::string MakeVoyage() {
        host.KeepSideFilesHere(false);
        auto doc = host.NewVoyage();
        MakeChannelCrossing(*doc, kNow);
        doc->GetVoyage().GetLast()->SetName("Brest \u00e9");
        doc->GetVoyage().SetTexts("Channel crossing", "Feeder", "7");
        doc->AddPositionFix("GPS Fix", kNow - 3600, 49.9, 0.0);
        std::string error;
        EXPECT_TRUE(doc->SaveVoyageFile(Path("v.k7v"), error)) << error;
        return Path("v.k7v");
    }
};

} // namespace

TEST_F(CliRecords, BadFilesBadJsonAndBadUsage) {
    const std::string voyage = MakeVoyage();
    Put(Path("cut.k7v"), Slurp(voyage).substr(0, 1000));
    ProgramResult r = Keelmark({"dump", Path("cut.k7v")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cut.k7v"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line";
    EXPECT_EQ(Keelmark({"dump", Path("none.k7v")}).status, 1);
    EXPECT_EQ(Keelmark({"dump", Path("what.xyz")}).status, 2) << "no type from the name";
    EXPECT_EQ(Keelmark({"dump", voyage, "--type", "ship"}).status, 2);
    EXPECT_EQ(Keelmark({"load", "voyage", "-", Path("out.k7v")}).status, 2) << "--type is required";

    // Refused JSON names what it found and writes nothing.
    const std::string report = R"({"header": "h", "footer": "f", "remainingDistanceAtLastReport": 0, )"
                               R"("timeOfLastReport": 0, "lines": []})";
    const std::pair<std::string, const char*> refused[] = {
        {"{ not json", "invalid JSON"},
        {R"({"footer": "f", "remainingDistanceAtLastReport": 0, "timeOfLastReport": 0, "lines": []})", "header"},
        {report + " []", ""},
        {R"({"header": "h", "header": "h", )" + report.substr(15), "duplicate key \"header\""},
        {R"({"extra": 1, )" + report.substr(1), "unknown key \"extra\""},
        {R"({"header": "\u4e2d)" + report.substr(12), "\"header\" holds text that Windows-1252 cannot hold"},
        {"{\"header\": \"\xf0\x9f\x9a\xa2" + report.substr(12), "\"header\" holds text that Windows-1252 cannot hold"},
        {report + std::string(1, '\0') + "{}", "a NUL byte at byte "},
        {R"({"header": "h", "footer": "f", "remainingDistanceAtLastReport": "NaN:0x7ff8", )"
         R"("timeOfLastReport": 0, "lines": []})",
         "remainingDistanceAtLastReport"}};
    for (const auto& [json, named] : refused) {
        r = Keelmark({"load", "--type", "report", "-", Path("out.k7r")}, json);
        EXPECT_EQ(r.status, 1) << json;
        EXPECT_NE(r.err.find(named), std::string::npos) << json << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::remove(Path("out.k7r"))) << json;
    }
    Put(Path("nul.json"), report + std::string(1, '\0') + "{}"); // from a file as well as from standard input
    EXPECT_NE(Keelmark({"load", "--type", "report", Path("nul.json"), Path("out.k7r")}).err.find("a NUL byte"),
              std::string::npos);
    // A NaN with bits of its own keeps them through load and dump.
    const std::string nan = R"("remainingDistanceAtLastReport": "NaN:0xfff800000000002a")";
    r = Keelmark({"load", "--type", "report", "-", Path("nan.k7r")},
                 R"({"header": "h", "footer": "f", )" + nan + R"(, "timeOfLastReport": 0, "lines": []})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Keelmark({"dump", Path("nan.k7r")}).out.find(nan), std::string::npos);
}

TEST_F(CliRecords, StatusShowsTheDashboard) {
    const std::string voyage = MakeVoyage();
    ProgramResult r = Keelmark({"status", voyage, "--at", "2026-12-06T12:00:00Z", "--vessel", Path("vessel.k7s")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::size_t at = 0;
    for (const char* key : {"latitude", "longitude", "trueCourse", "trueSpeed", "nextWaypoint", "bearing", "distance",
                            "remainingDistance", "remainingHours", "requiredSpeed", "requiredRpm", "eta",
                            "distanceMade", "speedMadeGood", "steer"}) {
        at = r.out.find(std::string("\"") + key + "\": ", at);
        EXPECT_NE(at, std::string::npos) << key << " in order\n" << r.out;
    }
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

TEST_F(CliRecords, EveryRecordTypeDumpsAndLoadsBackByteForByte) {
    // The fuzz seeds hold every field of every type with edge values: NaN, infinities,
    // -0.0, extreme integers and times, all 256 Windows-1252 characters.
    std::vector<std::string> files = {MakeVoyage()};
    std::vector<const RecordType*> types = {FindRecordType("voyage")};
    for (const RecordType& type : RecordTypes()) {
        types.push_back(&type);
        files.push_back(std::string(KEELMARK_FUZZ_CORPUS) + "/" + CorpusFolder(type) + "/valid-varied" +
                        type.extension);
    }
    // NaNs of their own bits: the x86 default, signalling ones, payloads.
    files.push_back(std::string(KEELMARK_FUZZ_CORPUS) + "/dump/valid-cyclones-nan.dat");
    types.push_back(FindRecordType("hurricanes"));
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        const RecordType& type = *types[i];
        const ProgramResult dump = Keelmark({"dump", files[i], "--type", type.name});
        ASSERT_EQ(dump.status, 0) << dump.err;
        // From standard input, or from a file.
        const std::string json = i % 2 ? "-" : Path("in.json"), copy = Path(std::string("copy") + type.extension);
        Put(Path("in.json"), dump.out);
        const ProgramResult load = Keelmark({"load", "--type", type.name, json, copy}, dump.out);
        ASSERT_EQ(load.status, 0) << load.err;
        EXPECT_EQ(load.out, "");
        EXPECT_EQ(Slurp(copy), Slurp(files[i]));
        EXPECT_EQ(Keelmark({"dump", copy, "--type", type.name}).out, dump.out);
    }
    // Keys in file order; text is UTF-8 in JSON; the awkward doubles as texts.
    const std::string voyage = Keelmark({"dump", files[0]}).out, varied = Keelmark({"dump", files[1]}).out;
    const std::size_t present = voyage.find("\"presentPosition\": {"), port = voyage.find("\"port\": {");
    EXPECT_TRUE(present < port && port < voyage.find("\"route\": [") &&
                voyage.find("\"meteo\": {") != std::string::npos);
    EXPECT_NE(voyage.find("\"name\": \"Brest \u00e9\""), std::string::npos);
    for (const char* text : {"\"NaN\"", "\"-Infinity\"", "\"Infinity\""})
        EXPECT_NE(varied.find(text), std::string::npos) << text;
    const std::string nans = Keelmark({"dump", files.back(), "--type", "hurricanes"}).out;
    for (const char* text : {"\"NaN:0xfff8000000000000\"", "\"NaN:0x7ff0000000000001\"", "\"NaN:0xfff4000000000abc\""})
        EXPECT_NE(nans.find(text), std::string::npos) << text;
}

TEST_F(CliRecords, OutputThatFailsLinksFifosDevicesAndAFileSizeLimit) {
    const std::string voyage = MakeVoyage(), json = Keelmark({"dump", voyage}).out;
    std::string changed = json;
    changed.replace(changed.find("Channel crossing"), 16, "Channel crossed!");
    Put(Path("in.json"), changed);
    const auto shell = [](const std::string& script, std::vector<std::string> args) {
        args.insert(args.begin(), {"-c", script, KEELMARK_CLI_PATH});
        return RunProgram("/bin/sh", args);
    };
    // dump && rm must not lose the file: standard output that refuses the data fails the command.
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"dump", voyage}, {"sail", "0", "0", "1", "1"}}) {
        const ProgramResult r = shell("exec \"$0\" \"$@\" > /dev/full", command);
        EXPECT_EQ(r.status, 1) << command[0];
        EXPECT_EQ(r.err, "keelmark: cannot write to standard output: No space left on device\n") << command[0];
    }
    // Past a file size limit the save fails with its message and leaves nothing behind.
    std::filesystem::create_directory(Path("limited"));
    ProgramResult r = shell("ulimit -f 1 && exec \"$0\" \"$@\"",
                            {"load", "--type", "voyage", Path("in.json"), Path("limited/v.k7v")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(Path("limited")));
    // Through a link the file it names is written, and the link stays.
    std::filesystem::create_symlink("v.k7v", Path("link.k7v"));
    r = Keelmark({"load", "--type", "voyage", Path("in.json"), Path("link.k7v")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.k7v")));
    EXPECT_EQ(Keelmark({"dump", voyage}).out, changed);
    // A FIFO, a device or a folder is no file: refused at once, to read and to write.
    ASSERT_EQ(::mkfifo(Path("fifo.k7v").c_str(), 0600), 0);
    for (const auto& [path, kind] : {std::pair<std::string, std::string>{Path("fifo.k7v"), "a FIFO"},
                                     {"/dev/zero", "a device"},
                                     {Path("limited"), "Is a directory"}}) {
        for (const std::vector<std::string>& command : {std::vector<std::string>{"dump", path, "--type", "voyage"},
                                                        {"load", "--type", "voyage", path, Path("x.k7v")},
                                                        {"load", "--type", "voyage", Path("in.json"), path}}) {
            r = Keelmark(command);
            EXPECT_EQ(r.status, 1) << command[0] << " " << path;
            EXPECT_NE(r.err.find(kind), std::string::npos) << r.err;
        }
    }
}

TEST(CliRecordTypes, TypeComesFromTheFileName) {
    // The plain extensions: every file the save-fault tests load back by its name.
    const std::pair<const char*, const char*> cases[] = {{"a.K7V", "voyage"},
                                                         {"Hurricane.DAT", "hurricanes"},
                                                         {"hurricanes-old.dat", "hurricanes"},
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
