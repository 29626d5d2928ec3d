#include "astro/almanac.h"

#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "support/bytes.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"

namespace {

using Almanac = ModelTest;

// One object record (the layout is the astro object test's); the mean anomaly at epoch tells records apart.
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

Names NamesOf(const CAlmanac& a) {
    Names names;
    for (int i = 0; i < a.GetObjectCount(); ++i)
        names.push_back(a.GetObject(i)->GetName());
    return names;
}

} // namespace

TEST_F(Almanac, FileIsACountTheFirstObjectAndTheList) {
    CAlmanac almanac;
    EXPECT_EQ(almanac.GetCount(), 1);
    EXPECT_EQ(almanac.GetObject(1), nullptr);
    EXPECT_EQ(almanac.GetObject(-1), nullptr);
    CAstroObject sun;
    ASSERT_TRUE(almanac.SaveFile(host.Path("a.dat")));
    EXPECT_EQ(ToHex(Slurp(host.Path("a.dat"))), ToHex(LeLong(1) + StoreToBytes(sun) + StoreToBytes(sun)));

    const std::string file = LeLong(3) + Record("Vega", kAstroStar, 1.0) + Record("Vega", kAstroStar, 1.0) +
                             Record("Mars", kAstroPlanet, 2.0) + Record("Moon", kAstroMoon, 3.0);
    Put(host.Path("three.dat"), file);
    ASSERT_TRUE(almanac.LoadFile(host.Path("three.dat")));
    EXPECT_EQ(NamesOf(almanac), (Names{"Vega", "Mars", "Moon"}));
    EXPECT_EQ(almanac.GetObject(0)->GetFK5Number(), "FKVega");
    EXPECT_EQ(MeanAnomaly(almanac.GetObject(1)), 2.0);
    ASSERT_TRUE(almanac.SaveFile(host.Path("again.dat")));
    EXPECT_EQ(ToHex(Slurp(host.Path("again.dat"))), ToHex(file));

    // The list's first record counts: the leading copy is superseded. A file
    // announcing no objects holds one record, and it goes into the first object.
    const std::pair<std::string, const char*> odd[] = {
        {LeLong(1) + Record("Old", kAstroSun, 9.0) + Record("New", kAstroSatellite, 4.0), "New"},
        {LeLong(0) + Record("Only", kAstroStar, 5.0), "Only"}};
    for (const auto& [bytes, name] : odd) {
        Put(host.Path("odd.dat"), bytes);
        CAlmanac other;
        ASSERT_TRUE(other.LoadFile(host.Path("odd.dat")));
        EXPECT_EQ(NamesOf(other), Names{name});
    }
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(almanac.SaveFile(host.Path("no-such-folder/almanac.dat")));
    EXPECT_EQ(Shown(),
              Names{"Cannot write \"" + host.Path("no-such-folder/almanac.dat") + "\": No such file or directory"});
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Warning);
}

TEST_F(Almanac, ReadingMergesIntoTheObjectsAlreadyThere) {
    CAlmanac almanac;
    for (const char* name : {"B", "C", "D", "E"}) {
        CAstroObject* added = almanac.AddObject();
        EXPECT_EQ(*added, CAstroObject()) << "a new object is a default Sun";
        added->SetStar(name, "", kAstroStar, 1, 0, 2, 0, 3);
    }
    almanac.GetObject(0)->SetGHA(77.0);
    const CAstroObject* first = almanac.GetObject(0);
    Put(host.Path("two.dat"),
        LeLong(2) + Record("Sun", kAstroSun, 7.0) + Record("Sun", kAstroSun, 7.0) + Record("Venus", kAstroPlanet, 8.0));
    ASSERT_TRUE(almanac.LoadFile(host.Path("two.dat")));
    EXPECT_EQ(NamesOf(almanac), (Names{"Sun", "Venus", "C", "D", "E"}));
    EXPECT_EQ(MeanAnomaly(almanac.GetObject(0)), 7.0);
    // Overwritten in place: a holder of the object still has it, with what the file does not hold.
    EXPECT_EQ(almanac.GetObject(0), first);
    EXPECT_EQ(first->GetGHA(), 77.0);
}

TEST_F(Almanac, LoadDefaultReadsTheFileOfTheSetting) {
    const std::string path = host.Path("almanac.dat");
    Put(path, LeLong(2) + Record("Sun", kAstroSun, 7.0) + Record("Sun", kAstroSun, 7.0) +
                  Record("Jupiter", kAstroPlanet, 8.0));
    host.Set("almanac", path);
    CAlmanac almanac;
    EXPECT_TRUE(almanac.LoadDefault());
    EXPECT_EQ(NamesOf(almanac), (Names{"Sun", "Jupiter"}));
    EXPECT_TRUE(Shown().empty());

    // Missing, or a folder: the one message, and the almanac as it was.
    for (const std::string& where : {host.Path("gone.dat"), host.folder.string()}) {
        host.Set("almanac", where);
        EXPECT_FALSE(almanac.LoadDefault());
    }
    EXPECT_EQ(Shown(), Names(2, "Oops, can't open the almanac\nWe have to do without it.."));
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
    // Damaged: said so, with the fault, and nothing half-read kept.
    fake.prompts.Clear();
    Put(host.Path("cut.dat"), LeLong(2) + Record("Sun", kAstroSun, 1.0) + Record("Sun", kAstroSun, 1.0));
    host.Set("almanac", host.Path("cut.dat"));
    EXPECT_FALSE(almanac.LoadDefault());
    EXPECT_EQ(Shown(), Names{"Oops, the almanac is damaged\n\"" + host.Path("cut.dat") +
                             "\" is damaged: The file ends before \"objects[1].meanAnomalyDailyMotion\": "
                             "8 bytes needed, 0 left (at byte 304)\nWe have to do without it.."});
    EXPECT_EQ(NamesOf(almanac), (Names{"Sun", "Jupiter"}));
    EXPECT_EQ(MeanAnomaly(almanac.GetObject(0)), 7.0);
}

TEST_F(Almanac, ObservationsAndObjectListInMemory) {
    CAlmanac almanac;
    almanac.AddObservation(CTime(100), "Sun", 2.5, 135.0);
    almanac.AddObservation(CTime(200), "Vega", -1.25, 270.0);
    CTime t(7);
    double intercept = 9.0, azimuth = 9.0;
    const std::string beyond =
        almanac.GetObservation(2, t, intercept, azimuth) + "|" + almanac.GetObservation(-1, t, intercept, azimuth);
    EXPECT_EQ(Row(beyond, t, intercept), Row("Invalid|Invalid", CTime(7), 9.0)) << "nothing read beyond the list";
    const std::string vega = almanac.GetObservation(1, t, intercept, azimuth);
    EXPECT_EQ(Row(vega, t, intercept, azimuth), Row("Vega", CTime(200), -1.25, 270.0));
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
    EXPECT_EQ(NamesOf(moved), Names{"Polaris"});
    EXPECT_EQ(StoreToBytes(almanac).size(), 308u) << "a moved-from almanac still holds an object";
}

TEST_F(Almanac, OtherArchivesSeeThePlainListOfObjects) {
    CAlmanac almanac;
    CFieldList keys;
    almanac.Serialize(keys);
    EXPECT_EQ(keys.text.substr(0, 36), "objects[1 meanAnomalyDailyMotion=0.9");
    EXPECT_EQ(keys.text.substr(keys.text.size() - 30), " properMotionInDeclination=0 ]")
        << "no leading copy outside the binary file";
    EXPECT_EQ(std::count(keys.text.begin(), keys.text.end(), '='), 20);
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
