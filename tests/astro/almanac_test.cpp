#include "astro/almanac.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/archive.h"
#include "core/file_io.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

using TempDir = CScratchDir;

// One object record by hand: mean anomaly daily motion and at epoch, ten more
// orbital doubles, magnitude, declination, pm RA, RA, FK5 number, name, kind,
// pm declination. The mean anomaly at epoch tells records apart.
std::string Record(const std::string& name, std::int32_t kind, double meanAnomaly) {
    return LeDouble(0.5) + LeDouble(meanAnomaly) + std::string(10 * 8, '\0') + LeDouble(1.5) + LeDouble(-2.0) +
           LeDouble(0.0) + LeDouble(90.0) + CountedString("FK" + name) + CountedString(name) + LeLong(kind) +
           LeDouble(0.0);
}

double MeanAnomaly(const CAstroObject* o) {
    std::string name;
    AstroOrbit orbit;
    o->GetOrbit(name, orbit);
    return orbit.meanAnomaly;
}

std::vector<std::string> Names(const CAlmanac& a) {
    std::vector<std::string> names;
    for (int i = 0; i < a.GetObjectCount(); ++i)
        names.push_back(a.GetObject(i)->GetName());
    return names;
}

using Names_ = std::vector<std::string>;

} // namespace

TEST(Almanac, FreshAlmanacFileHoldsTheSunTwice) {
    CFakeServices fake;
    TempDir dir;
    CAlmanac almanac;
    EXPECT_EQ(almanac.GetCount(), 1);
    EXPECT_EQ(almanac.GetObject(1), nullptr);
    EXPECT_EQ(almanac.GetObject(-1), nullptr);

    ASSERT_TRUE(almanac.SaveFile(dir / "almanac.dat"));
    const std::string bytes = Slurp(dir / "almanac.dat");
    ASSERT_EQ(bytes.size(), 308u);
    EXPECT_EQ(ToHex(bytes.substr(0, 4)), "01 00 00 00");
    EXPECT_EQ(bytes.substr(4, 152), bytes.substr(156, 152));
    EXPECT_EQ(ToHex(bytes.substr(156 + 128)), ToHex(Hex("07 556e6b6e6f776e 03 53756e 00000000 0000000000000000")));

    CAlmanac back;
    ASSERT_TRUE(back.LoadFile(dir / "almanac.dat"));
    EXPECT_EQ(back.GetObjectCount(), 1);
    EXPECT_EQ(*back.GetObject(0), CAstroObject());
    EXPECT_TRUE(fake.prompts.History().empty());

    EXPECT_FALSE(almanac.SaveFile(dir / "no-such-folder/almanac.dat"));
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_EQ(fake.prompts.History()[0].text,
              "Cannot write \"" + (dir / "no-such-folder/almanac.dat") + "\": No such file or directory");
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Warning);
}

TEST(Almanac, FileReadIntoFreshAlmanacGivesItsObjectsInOrder) {
    CFakeServices fake;
    TempDir dir;
    const std::string file = LeLong(3) + Record("Vega", kAstroStar, 1.0) + Record("Vega", kAstroStar, 1.0) +
                             Record("Mars", kAstroPlanet, 2.0) + Record("Moon", kAstroMoon, 3.0);
    Put(dir / "three.dat", file);
    CAlmanac almanac;
    ASSERT_TRUE(almanac.LoadFile(dir / "three.dat"));
    EXPECT_EQ(Names(almanac), (Names_{"Vega", "Mars", "Moon"}));
    EXPECT_EQ(almanac.GetObject(0)->GetKind(), kAstroStar);
    EXPECT_EQ(almanac.GetObject(0)->GetFK5Number(), "FKVega");
    EXPECT_EQ(MeanAnomaly(almanac.GetObject(1)), 2.0);
    ASSERT_TRUE(almanac.SaveFile(dir / "again.dat"));
    EXPECT_EQ(ToHex(Slurp(dir / "again.dat")), ToHex(file));

    // The list's first record counts; the leading copy is superseded.
    Put(dir / "differing.dat", LeLong(1) + Record("Old", kAstroSun, 9.0) + Record("New", kAstroSatellite, 4.0));
    CAlmanac other;
    ASSERT_TRUE(other.LoadFile(dir / "differing.dat"));
    EXPECT_EQ(Names(other), Names_{"New"});

    // A file announcing no objects holds one record, and it goes into the first object.
    Put(dir / "zero.dat", LeLong(0) + Record("Only", kAstroStar, 5.0));
    ASSERT_TRUE(other.LoadFile(dir / "zero.dat"));
    EXPECT_EQ(Names(other), Names_{"Only"});
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST(Almanac, ReadingMergesIntoTheObjectsAlreadyThere) {
    CFakeServices fake;
    TempDir dir;
    CAlmanac almanac;
    for (const char* name : {"B", "C", "D", "E"}) {
        CAstroObject* added = almanac.AddObject();
        EXPECT_EQ(*added, CAstroObject()) << "a new object is a default Sun";
        added->SetStar(name, "", kAstroStar, 1, 0, 2, 0, 3);
    }
    almanac.GetObject(0)->SetGHA(77.0);
    const CAstroObject* first = almanac.GetObject(0);

    Put(dir / "two.dat",
        LeLong(2) + Record("Sun", kAstroSun, 7.0) + Record("Sun", kAstroSun, 7.0) + Record("Venus", kAstroPlanet, 8.0));
    ASSERT_TRUE(almanac.LoadFile(dir / "two.dat"));
    EXPECT_EQ(Names(almanac), (Names_{"Sun", "Venus", "C", "D", "E"}));
    EXPECT_EQ(MeanAnomaly(almanac.GetObject(0)), 7.0);
    EXPECT_EQ(almanac.GetObject(1)->GetKind(), kAstroPlanet);
    // Overwritten in place: a holder of the object still has it, with what the file does not hold.
    EXPECT_EQ(almanac.GetObject(0), first);
    EXPECT_EQ(first->GetGHA(), 77.0);
}

TEST(Almanac, ChosenFileFaultsAreShownAndChangeNothing) {
    CFakeServices fake;
    TempDir dir;
    const std::string sun = Record("Sun", kAstroSun, 7.0);
    std::string badKind = LeLong(1) + sun + sun;
    badKind.replace(4 + 2 * sun.size() - 12, 4, LeLong(9));
    Put(dir / "bad.dat", badKind);
    CAlmanac almanac;
    almanac.AddObject()->SetStar("Kept", "1", kAstroStar, 10, 0, 20, 0, 1);
    const CAlmanac before = almanac;
    EXPECT_FALSE(almanac.LoadFile(dir / "bad.dat"));
    EXPECT_FALSE(almanac.LoadFile(dir / "missing.dat"));
    const Names_ texts = fake.prompts.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("\"" + (dir / "bad.dat") + "\" is damaged: The object \"Sun\" has the kind 9", 0), 0u);
    EXPECT_EQ(texts[1], "Cannot open \"" + (dir / "missing.dat") + "\": No such file or directory");
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(*almanac.GetObject(0), *before.GetObject(0));
    EXPECT_EQ(Names(almanac), (Names_{"Sun", "Kept"}));
}

TEST(Almanac, LoadDefaultReadsTheFileOfTheSetting) {
    CFakeServices fake;
    TempDir dir;
    const std::string file = LeLong(2) + Record("Sun", kAstroSun, 7.0) + Record("Sun", kAstroSun, 7.0) +
                             Record("Jupiter", kAstroPlanet, 8.0);
    Put(dir / "almanac.dat", file);

    // No setting: ".\almanac.dat" in the working folder.
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path);
    CAlmanac almanac;
    const bool loaded = almanac.LoadDefault();
    fs::current_path(previous);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(Names(almanac), (Names_{"Sun", "Jupiter"}));

    // Older installations wrote the path with backslashes.
    std::string windowsStyle = dir / "almanac.dat";
    for (char& c : windowsStyle)
        if (c == '/') c = '\\';
    fake.settings.SetString(kSettingsSection, "almanac", windowsStyle);
    CAlmanac second;
    EXPECT_TRUE(second.LoadDefault());
    EXPECT_EQ(Names(second), (Names_{"Sun", "Jupiter"}));
    EXPECT_TRUE(fake.prompts.History().empty());

    // Missing, or a folder: the one message, and the almanac as it was.
    for (const std::string& path : {dir / "gone.dat", dir.path.string()}) {
        fake.prompts.Clear();
        fake.settings.SetString(kSettingsSection, "almanac", path);
        EXPECT_FALSE(almanac.LoadDefault());
        ASSERT_EQ(fake.prompts.History().size(), 1u);
        EXPECT_EQ(fake.prompts.History()[0].text, "Oops, can't open the almanac\nWe have to do without it..");
        EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
        EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(Names(almanac), (Names_{"Sun", "Jupiter"}));
    }

    // Damaged: said so, with the fault, and nothing half-read kept.
    fake.prompts.Clear();
    Put(dir / "cut.dat", LeLong(2) + Record("Sun", kAstroSun, 1.0) + Record("Sun", kAstroSun, 1.0));
    fake.settings.SetString(kSettingsSection, "almanac", dir / "cut.dat");
    EXPECT_FALSE(almanac.LoadDefault());
    EXPECT_EQ(fake.prompts.Texts(), Names_{"Oops, the almanac is damaged\n\"" + (dir / "cut.dat") +
                                           "\" is damaged: The file ends before \"objects[1].meanAnomalyDailyMotion\": "
                                           "8 bytes needed, 0 left (at byte 304)\nWe have to do without it.."});
    EXPECT_EQ(MeanAnomaly(almanac.GetObject(0)), 7.0);
}

TEST(Almanac, ObservationsAndObjectListInMemory) {
    CFakeServices fake;
    CAlmanac almanac;
    almanac.AddObservation(CTime(100), "Sun", 2.5, 135.0);
    almanac.AddObservation(CTime(200), "Vega", -1.25, 270.0);
    CTime t(7);
    double intercept = 9.0, azimuth = 9.0;
    EXPECT_EQ(almanac.GetObservation(2, t, intercept, azimuth), "Invalid");
    EXPECT_EQ(almanac.GetObservation(-1, t, intercept, azimuth), "Invalid");
    EXPECT_EQ(t, CTime(7));
    EXPECT_EQ(intercept, 9.0);
    EXPECT_EQ(almanac.GetObservation(1, t, intercept, azimuth), "Vega");
    EXPECT_EQ(t, CTime(200));
    EXPECT_EQ(intercept, -1.25);
    EXPECT_EQ(azimuth, 270.0);

    // Not in the file, and a load leaves them.
    const std::string bytes = StoreToBytes(almanac);
    EXPECT_EQ(bytes.size(), 308u);
    CBinaryReader reader(bytes);
    almanac.Serialize(reader);
    EXPECT_EQ(almanac.GetObservationCount(), 2);

    almanac.RemoveObservation(2);
    almanac.RemoveObservation(-1);
    almanac.RemoveObservation(0);
    EXPECT_EQ(almanac.GetObservation(0, t, intercept, azimuth), "Vega");
    almanac.ClearObservations();
    EXPECT_EQ(almanac.GetObservationCount(), 0);

    almanac.AddObject()->SetStar("Polaris", "907", kAstroStar, 89.26, 0, 37.95, 0, 1.97);
    EXPECT_EQ(almanac.FindObject("Polaris"), 1);
    EXPECT_EQ(almanac.FindObject("Nothing"), -1);
    EXPECT_FALSE(almanac.RemoveObject(2));
    EXPECT_TRUE(almanac.RemoveObject(0));
    EXPECT_FALSE(almanac.RemoveObject(0)) << "the almanac keeps one object";
    CAlmanac moved = std::move(almanac);
    EXPECT_EQ(Names(moved), Names_{"Polaris"});
    EXPECT_EQ(StoreToBytes(almanac).size(), 308u) << "a moved-from almanac still holds an object";
}

TEST(Almanac, OtherArchivesSeeThePlainListOfObjects) {
    // Records the names visited, as the command line's JSON keys; loading, it offers a list of `count` items.
    struct Keys : CArchive {
        bool storing = true;
        std::size_t count = 0;
        std::vector<std::string> names;
        bool IsStoring() const override { return storing; }
        void Long(const char* n, std::int32_t&) override { names.push_back(n); }
        void Dword(const char* n, std::uint32_t&) override { names.push_back(n); }
        void Double(const char* n, double&) override { names.push_back(n); }
        void Time(const char* n, CTime&) override { names.push_back(n); }
        void String(const char* n, std::string&) override { names.push_back(n); }
        void BeginObject(const char* n) override { names.push_back(std::string("{") + n); }
        void EndObject() override { names.push_back("}"); }
        std::size_t BeginList(const char* n, std::size_t c, CountType, std::size_t) override {
            names.push_back(std::string(n) + "[" + std::to_string(c));
            return storing ? c : count;
        }
        void BeginItem() override {}
        void EndItem() override {}
        void EndList() override { names.push_back("]"); }
    } keys;
    CFakeServices fake;
    CAlmanac almanac;
    almanac.Serialize(keys);
    std::string visited;
    for (const std::string& name : keys.names)
        visited += name + " ";
    EXPECT_EQ(visited,
              "objects[1 meanAnomalyDailyMotion meanAnomalyAtEpoch eccentricityDailyChange eccentricityAtEpoch "
              "semiMajorAxisDailyChange semiMajorAxisAtEpoch perihelionArgumentDailyMotion "
              "perihelionArgumentAtEpoch inclinationDailyMotion inclinationAtEpoch ascendingNodeDailyMotion "
              "ascendingNodeAtEpoch magnitude declination properMotionInRightAscension rightAscension "
              "fk5Number name kind properMotionInDeclination ] ")
        << "no leading copy outside the binary file";

    // An empty list would leave the almanac with nothing of its own.
    keys.storing = false;
    try {
        almanac.Serialize(keys);
        FAIL() << "an empty list was taken";
    } catch (const CArchiveException& e) {
        EXPECT_STREQ(e.what(), "The almanac lists no objects; it needs at least one");
    }
    EXPECT_EQ(almanac.GetObjectCount(), 1);
}
