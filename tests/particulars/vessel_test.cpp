#include "particulars/vessel.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/archive.h"
#include "core/file_io.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/scratch_dir.h"

TEST(Vessel, DefaultsAndDerivedValues) {
    CVessel v;
    EXPECT_EQ(v.m_owner, "I am");
    EXPECT_EQ(v.m_master, "me");
    EXPECT_EQ(v.m_callSign, "Unknown");
    EXPECT_EQ(v.m_engineSetting, 66);
    EXPECT_EQ(v.m_manoeuvringRpm, 66);
    EXPECT_EQ(v.m_seaSpeedRpm, 105);
    EXPECT_EQ(v.m_minutesPerRpm, 3.0);
    EXPECT_EQ(v.GetReductionTime(), 0.0) << "at manoeuvring revolutions there is nothing to run down";

    v.m_draftForward = 8.0;
    v.m_draftAft = 9.0;
    v.m_eyeHeight = 30.0;
    v.m_mastHeight = 45.0;
    EXPECT_DOUBLE_EQ(v.GetMeanDraft(), 8.5);
    EXPECT_DOUBLE_EQ(v.GetHeightOfEye(), 21.5);
    EXPECT_DOUBLE_EQ(v.GetAirDraft(), 36.5);

    v.m_summerDisplacement = 20000;
    v.m_summerDeadweight = 15000;
    v.m_presentDisplacement = 12000;
    EXPECT_DOUBLE_EQ(v.GetLightship(), 5000);
    EXPECT_DOUBLE_EQ(v.GetPresentDeadweight(), 7000);

    v.m_lengthBetweenPerpendiculars = 200;
    v.m_breadth = 32;
    v.m_maximumDraft = 12.5;
    EXPECT_DOUBLE_EQ(v.ComputeBlockCoefficient(), 20000.0 / (200.0 * 32.0 * 12.5));
    EXPECT_DOUBLE_EQ(v.m_blockCoefficient, 0.25);
}

TEST(Vessel, RunDownFigures) {
    CVessel v;
    v.m_engineSetting = 105;
    v.m_manoeuvringRpm = 66;
    v.m_minutesPerRpm = 3.0;
    // 39 rpm at 3 minutes each: 1.95 hours.
    EXPECT_NEAR(v.GetReductionTime(), 1.95, 1e-12);
    // The mean of 15 knots and 15 * 66/105 knots, for 1.95 hours.
    EXPECT_NEAR(v.GetReductionDistance(15.0), 1.95 * (15.0 * 66.0 / 105.0 + 15.0) * 0.5, 1e-12);
}

namespace {

namespace fs = std::filesystem;

using TempDir = CScratchDir;

// Runs a test part in another working folder and comes back.
struct WorkingFolder {
    fs::path previous = fs::current_path();
    explicit WorkingFolder(const fs::path& folder) { fs::current_path(folder); }
    ~WorkingFolder() { fs::current_path(previous); }
};

// Every stored field a value of its own, so a field out of place shows.
CVessel DistinctVessel() {
    CVessel v;
    v.m_propellerType = 1;
    v.m_yardNumber = "Y1";
    v.m_propellerDiameter = 1.5;
    v.m_propellerPitch = 2.5;
    v.m_seaSpeedPower = 3.5;
    v.m_manoeuvringPower = 4.5;
    v.m_seaSpeedRpm = 101;
    v.m_manoeuvringRpm = 55;
    v.m_draftCenter = 5.5;
    v.m_launching = "L";
    v.m_keelLaying = "K";
    v.m_spareText = "S";
    v.m_portOfRegistry = "Monrovia";
    v.m_mastHeight = 6.5;
    v.m_eyeHeight = 7.5;
    v.m_panamaNett = 8.5;
    v.m_panamaGross = 9.5;
    v.m_suezNett = 10.5;
    v.m_suezGross = 11.5;
    v.m_internationalNett = 12.5;
    v.m_internationalGross = 13.5;
    v.m_summerDeadweight = 14.5;
    v.m_summerDisplacement = 15.5;
    v.m_maximumDraft = 16.5;
    v.m_internationalNumber = "IMO 9";
    v.m_callSign = "PDXY";
    v.m_blockCoefficient = 0.75;
    v.m_spareNumber = -7;
    v.m_numberOfEngines = 2;
    v.m_presentGM = 1.25;
    v.m_draftForward = 8.0;
    v.m_draftAft = 9.0;
    v.m_presentDisplacement = 17.5;
    v.m_breadth = 18.5;
    v.m_lengthOverAll = 19.5;
    v.m_lengthBetweenPerpendiculars = 20.5;
    v.m_master = "M";
    v.m_charterer = "C";
    v.m_owner = "O";
    v.m_name = "Keel\u00e9";
    v.m_minutesPerRpm = 2.25;
    v.m_engineSetting = 90;
    v.m_courseSetting = 271;
    v.GetChecklist().AddItem(1, 0, 2, "Pilot", CTime(0x5F5E1000));
    return v;
}

} // namespace

TEST(Vessel, StoredLayoutFieldByField) {
    CVessel v = DistinctVessel();
    v.m_shaftGenerator = true; // never stored
    const std::string expected =
        Hex("01000000") +                                                  // propeller type
        Hex("02 5931") +                                                   // yard number
        Hex("000000000000f83f 0000000000000440") +                         // diameter 1.5, pitch 2.5
        LeDouble(3.5) + LeDouble(4.5) +                                    // sea speed power, manoeuvring power
        Hex("65000000 37000000") +                                         // sea speed rpm 101, manoeuvring rpm 55
        LeDouble(5.5) +                                                    // draft center
        CountedString("L") + CountedString("K") + CountedString("S") +     // launching, keel laying, spare text
        CountedString("Monrovia") +                                        // port of registry
        LeDouble(6.5) + LeDouble(7.5) +                                    // mast height, eye height
        LeDouble(8.5) + LeDouble(9.5) + LeDouble(10.5) + LeDouble(11.5) +  // Panama, Suez nett/gross
        LeDouble(12.5) + LeDouble(13.5) +                                  // international nett, gross
        LeDouble(14.5) + LeDouble(15.5) + LeDouble(16.5) +                 // summer dwt, displacement, max draft
        CountedString("IMO 9") + CountedString("PDXY") +                   // international number, call sign
        LeDouble(0.75) +                                                   // block coefficient
        Hex("f9ffffff 02000000") +                                         // spare number -7, engines 2
        LeDouble(1.25) + LeDouble(8.0) + LeDouble(9.0) + LeDouble(17.5) +  // GM, drafts, displacement
        LeDouble(18.5) + LeDouble(19.5) + LeDouble(20.5) +                 // breadth, LOA, LBP
        CountedString("M") + CountedString("C") + CountedString("O") +     // master, charterer, owner
        Hex("05 4b65656ce9") +                                             // name "Keelé" in Windows-1252
        LeDouble(2.25) +                                                   // minutes per rpm
        Hex("5a000000 0f010000") +                                         // engine setting 90, course setting 271
        Hex("01000000 01000000 00000000 02000000 05 50696c6f74 00105e5f"); // the checklist
    const std::string bytes = StoreToBytes(v);
    EXPECT_EQ(ToHex(bytes), ToHex(expected));

    CVessel loaded;
    CBinaryReader r(bytes);
    loaded.Serialize(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(loaded.m_shaftGenerator);
    loaded.m_shaftGenerator = true;
    EXPECT_EQ(loaded, v);

    // A new vessel: 8 whole numbers, 25 doubles and 11 texts of 80 bytes, ending in
    // minutes per rpm 3.0, 66 rpm, course 0 and no checklist items.
    CVessel fresh;
    const std::string defaults = StoreToBytes(fresh);
    EXPECT_EQ(defaults.size(), 8u * 4 + 25u * 8 + 80u);
    EXPECT_EQ(ToHex(defaults.substr(defaults.size() - 20)), ToHex(LeDouble(3.0) + Hex("42000000 00000000 00000000")));
}

TEST(VesselFile, SavesAndLoadsThroughTheSetting) {
    CFakeServices fake;
    TempDir dir;
    fake.settings.SetString("Keelmark Lite", "vesseldata", dir.path.string() + "\\ship.k7s"); // old-style separator
    CVessel v = DistinctVessel();
    ASSERT_TRUE(v.SaveVesselFile());
    EXPECT_EQ(Slurp(dir / "ship.k7s"), StoreToBytes(v));

    CVessel loaded;
    loaded.m_shaftGenerator = true;
    loaded.GetChecklist().AddItem(0, 0, 0, "stale", CTime(5));
    ASSERT_TRUE(loaded.LoadVesselFile());
    EXPECT_TRUE(loaded.m_shaftGenerator) << "the in-memory flag survives a load";
    loaded.m_shaftGenerator = false;
    EXPECT_EQ(loaded, v);
    EXPECT_TRUE(fake.prompts.Texts().empty());

    // Without the setting: written to ".\vessel.k7s", read from "vessel.k7s".
    fake.settings.Clear();
    WorkingFolder here(dir.path);
    ASSERT_TRUE(v.SaveVesselFile());
    EXPECT_TRUE(fs::exists(dir.path / "vessel.k7s"));
    CVessel fromDefault;
    ASSERT_TRUE(fromDefault.LoadVesselFile());
    EXPECT_EQ(fromDefault, v);
}

TEST(VesselFile, MissingFileKeepsTheVessel) {
    CFakeServices fake;
    TempDir dir;
    fake.settings.SetString("Keelmark Lite", "vesseldata", dir / "none.k7s");
    CVessel v = DistinctVessel();
    const CVessel before = v;
    EXPECT_FALSE(v.LoadVesselFile());
    EXPECT_EQ(v, before);
    ASSERT_EQ(fake.prompts.History().size(), 1u);
    EXPECT_EQ(fake.prompts.History()[0].text, "Oops, I can't find your vessel data\nWe load an empty vessel instead..");
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
}

TEST(VesselFile, DamagedFileIsReportedKeptAsideAndKeepsTheVessel) {
    CFakeServices fake;
    TempDir dir;
    const std::string path = dir / "vessel.k7s";
    fake.settings.SetString("Keelmark Lite", "vesseldata", path);
    Put(path, Hex("01 00"));
    CVessel v = DistinctVessel();
    const CVessel before = v;
    EXPECT_FALSE(v.LoadVesselFile());
    EXPECT_EQ(v, before);
    EXPECT_EQ(fake.prompts.Texts(),
              std::vector<std::string>{"Oops, I can't read your vessel data\n\"" + path +
                                       "\" is damaged: The file ends before \"propellerType\": 4 bytes needed, 2 left "
                                       "(at byte 0)\nThe vessel keeps the data it had.\nThe damaged file is kept as " +
                                       path + ".damaged"});
    EXPECT_EQ(Slurp(path + ".damaged"), Hex("01 00"));
}

TEST(VesselFile, FailedSaveSaysSoAndKeepsTheOldFile) {
    CFakeServices fake;
    TempDir dir;
    CVessel v = DistinctVessel();
    fake.settings.SetString("Keelmark Lite", "vesseldata", dir / "missing/vessel.k7s");
    EXPECT_FALSE(v.SaveVesselFile());
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>{"Sorry, somehow I can't save your vessel data"});

    // A checklist time the file cannot hold fails the save, not the old file.
    fake.prompts.Clear();
    fake.settings.SetString("Keelmark Lite", "vesseldata", dir / "vessel.k7s");
    ASSERT_TRUE(v.SaveVesselFile());
    const std::string old = Slurp(dir / "vessel.k7s");
    v.GetChecklist().AddItem(0, 0, 0, "Far future", CTime(0x100000000LL));
    EXPECT_FALSE(v.SaveVesselFile());
    EXPECT_EQ(fake.prompts.Texts(), std::vector<std::string>{"Sorry, somehow I can't save your vessel data"});
    EXPECT_EQ(Slurp(dir / "vessel.k7s"), old);
}

TEST(VesselFile, ExportAndImport) {
    CFakeServices fake;
    TempDir dir;
    fake.settings.SetString("Keelmark Lite", "vesseldata", dir / "vessel.k7s");
    CVessel v = DistinctVessel();
    ASSERT_TRUE(v.SaveVesselFile());
    ASSERT_TRUE(v.ExportTo(dir / "copy.k7s"));
    EXPECT_EQ(Slurp(dir / "copy.k7s"), Slurp(dir / "vessel.k7s")) << "an export is the vessel file byte for byte";

    CVessel other;
    other.m_shaftGenerator = true;
    ASSERT_TRUE(other.ImportFrom(dir / "copy.k7s"));
    ASSERT_TRUE(other.ImportFrom(dir / "copy.k7s"));
    EXPECT_EQ(other.GetChecklist().GetCount(), 1) << "importing twice leaves the file's checklist, no duplicates";
    EXPECT_TRUE(other.m_shaftGenerator);
    other.m_shaftGenerator = false;
    EXPECT_EQ(other, v);
    EXPECT_TRUE(fake.prompts.Texts().empty());

    // Failures name the file and the fault and change nothing.
    const CVessel before = other;
    EXPECT_FALSE(other.ImportFrom(dir / "none.k7s"));
    Put(dir / "short.k7s", Slurp(dir / "copy.k7s").substr(0, 50));
    EXPECT_FALSE(other.ImportFrom(dir / "short.k7s"));
    EXPECT_FALSE(other.ExportTo(dir / "missing/out.k7s"));
    EXPECT_EQ(other, before);
    const auto texts = fake.prompts.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Cannot open \"" + (dir / "none.k7s") + "\": No such file or directory");
    EXPECT_EQ(texts[1].rfind("\"" + (dir / "short.k7s") + "\" is damaged: The file ends before", 0), 0u) << texts[1];
    EXPECT_NE(texts[2].find(dir / "missing/out.k7s"), std::string::npos) << texts[2];
    EXPECT_NE(texts[2].find("No such file or directory"), std::string::npos) << texts[2];
    EXPECT_FALSE(fs::exists(dir.path / "missing"));

    // The commands ask for the file; cancelling does nothing.
    fake.prompts.Clear();
    EXPECT_FALSE(v.ExportVessel());
    EXPECT_FALSE(v.ImportVessel());
    EXPECT_TRUE(fake.prompts.Texts().empty());
    ASSERT_EQ(fake.files.Requests().size(), 2u);
    for (const FileChoiceRequest& r : fake.files.Requests()) {
        EXPECT_EQ(r.filter, "Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||");
        EXPECT_EQ(r.defaultExtension, "k7s");
        EXPECT_EQ(r.defaultName, "Vessel");
    }
    fake.files.ScriptPath(dir / "Vessel.k7s");
    ASSERT_TRUE(v.ExportVessel());
    fake.files.ScriptPath(dir / "Vessel.k7s");
    ASSERT_TRUE(other.ImportVessel());
    EXPECT_EQ(other, v);
}
