#include "particulars/vessel.h"

#include <filesystem>

#include "astro/almanac.h"
#include "core/archive.h"
#include "fuzz/fuzz_support.h"
#include "support/bytes.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"
#include "weather/hurricane_list.h"

namespace fs = std::filesystem;

namespace {

using Vessel = ModelTest;

// A vessel by hand as the file holds it, every stored field a value of its own so that a field out of place shows.
const std::string kVesselFile =
    Hex("01000000 02 5931") +                                          // propeller type, yard number
    LeDouble(1.5) + LeDouble(2.5) + LeDouble(3.5) + LeDouble(4.5) +    // diameter, pitch, powers
    Hex("65000000 37000000") + LeDouble(5.5) +                         // rpm 101, 55, draft center
    CountedString("L") + CountedString("K") + CountedString("S") +     // launching, keel laying, spare text
    CountedString("Monrovia") + LeDouble(6.5) + LeDouble(7.5) +        // registry, mast, eye height
    LeDouble(8.5) + LeDouble(9.5) + LeDouble(10.5) + LeDouble(11.5) +  // Panama, Suez nett/gross
    LeDouble(12.5) + LeDouble(13.5) +                                  // international nett, gross
    LeDouble(14.5) + LeDouble(15.5) + LeDouble(16.5) +                 // summer dwt, displacement, max draft
    CountedString("IMO 9") + CountedString("PDXY") + LeDouble(0.75) +  // number, call sign, block coefficient
    Hex("f9ffffff 02000000") +                                         // spare number -7, engines 2
    LeDouble(1.25) + LeDouble(8.0) + LeDouble(9.0) + LeDouble(17.5) +  // GM, drafts, displacement
    LeDouble(18.5) + LeDouble(19.5) + LeDouble(20.5) +                 // breadth, LOA, LBP
    CountedString("M") + CountedString("C") + CountedString("O") +     // master, charterer, owner
    Hex("05 4b65656ce9") + LeDouble(2.25) +                            // "Keelé" in Windows-1252, min/rpm
    Hex("5a000000 0f010000") +                                         // engine setting 90, course 271
    Hex("01000000 01000000 00000000 02000000 05 50696c6f74 00105e5f"); // the checklist

CVessel DistinctVessel() {
    CVessel v;
    EXPECT_TRUE(ReadAll(v, kVesselFile));
    return v;
}

} // namespace

TEST_F(Vessel, DefaultsAndDerivedValues) {
    CVessel v;
    EXPECT_EQ(v.m_owner + "|" + v.m_master + "|" + v.m_callSign, "I am|me|Unknown");
    EXPECT_EQ(v.m_seaSpeedRpm, 105);
    EXPECT_EQ(v.m_minutesPerRpm, 3.0);
    EXPECT_EQ(v.GetReductionTime(), 0.0) << "at manoeuvring revolutions (66) there is nothing to run down";
    v.m_draftForward = 8.0;
    v.m_draftAft = 9.0;
    v.m_eyeHeight = 30.0;
    v.m_mastHeight = 45.0;
    v.m_summerDisplacement = 20000;
    v.m_summerDeadweight = 15000;
    v.m_presentDisplacement = 12000;
    v.m_lengthBetweenPerpendiculars = 200;
    v.m_breadth = 32;
    v.m_maximumDraft = 12.5;
    const double block = v.ComputeBlockCoefficient();
    EXPECT_EQ(Row(v.GetMeanDraft(), v.GetHeightOfEye(), v.GetAirDraft(), v.GetLightship(), v.GetPresentDeadweight(),
                  block, v.m_blockCoefficient),
              "8.50|21.50|36.50|5000.00|7000.00|0.25|0.25");
    // 39 rpm run down at 3 minutes each: 1.95 hours at the mean of 15 knots and 15 * 66/105.
    v.m_engineSetting = 105;
    EXPECT_NEAR(v.GetReductionTime(), 1.95, 1e-12);
    EXPECT_NEAR(v.GetReductionDistance(15.0), 23.817857142857, 1e-9);
}

TEST_F(Vessel, StoredLayoutFieldByField) {
    CVessel v = DistinctVessel();
    EXPECT_EQ(FieldsOf(v),
              "propellerType=1 yardNumber=Y1 propellerDiameter=1.5 propellerPitch=2.5 seaSpeedPower=3.5 "
              "manoeuvringPower=4.5 seaSpeedRpm=101 manoeuvringRpm=55 draftCenter=5.5 launching=L keelLaying=K "
              "spareText=S portOfRegistry=Monrovia mastHeight=6.5 eyeHeight=7.5 panamaNett=8.5 panamaGross=9.5 "
              "suezNett=10.5 suezGross=11.5 internationalNett=12.5 internationalGross=13.5 summerDeadweight=14.5 "
              "summerDisplacement=15.5 maximumDraft=16.5 internationalNumber=IMO 9 callSign=PDXY "
              "blockCoefficient=0.75 spareNumber=-7 numberOfEngines=2 presentGM=1.25 draftForward=8 draftAft=9 "
              "presentDisplacement=17.5 breadth=18.5 lengthOverAll=19.5 lengthBetweenPerpendiculars=20.5 master=M "
              "charterer=C owner=O name=Keel\u00e9 minutesPerRpm=2.25 engineSetting=90 courseSetting=271 "
              "checklist[1 status=1 validity=0 kind=2 text=Pilot time=1600000000 ]");
    EXPECT_FALSE(v.m_shaftGenerator);
    v.m_shaftGenerator = true; // never stored
    EXPECT_EQ(ToHex(StoreToBytes(v)), ToHex(kVesselFile));
}

TEST_F(Vessel, FileOfTheSettingSavesAndLoads) {
    host.Set("vesseldata", host.Path("ship.k7s"));
    CVessel v = DistinctVessel();
    ASSERT_TRUE(v.SaveVesselFile());
    EXPECT_EQ(Slurp(host.Path("ship.k7s")), StoreToBytes(v));
    CVessel loaded;
    loaded.m_shaftGenerator = true;
    loaded.GetChecklist().AddItem(0, 0, 0, "stale", CTime(5));
    ASSERT_TRUE(loaded.LoadVesselFile());
    EXPECT_TRUE(loaded.m_shaftGenerator) << "the in-memory flag survives a load";
    loaded.m_shaftGenerator = false;
    EXPECT_EQ(loaded, v);
    EXPECT_TRUE(Shown().empty());
}

// Without their settings the vessel, hurricane and almanac files are their bare names in the working folder.
TEST_F(Vessel, WithoutTheSettingsTheFilesAreInTheWorkingFolder) {
    CVessel v = DistinctVessel(), fromDefault;
    CHurricaneList hurricanes, hurricanesRead;
    hurricanes.AddNew();
    fake.settings.Clear();
    const fs::path previous = fs::current_path();
    fs::current_path(host.folder);
    const bool vessel = v.SaveVesselFile() && fromDefault.LoadVesselFile();
    const bool hurricane = hurricanes.Save() && hurricanesRead.Load();
    const bool almanac = CAlmanac().SaveFile("almanac.dat") && CAlmanac().LoadDefault();
    fs::current_path(previous);
    EXPECT_TRUE(vessel && hurricane && almanac && fs::exists(host.Path("vessel.k7s")) &&
                fs::exists(host.Path("hurricane.dat")));
    EXPECT_EQ(fromDefault, v);
    EXPECT_EQ(hurricanesRead.GetCount(), 1);
}

TEST_F(Vessel, LoadFaultsAreToldAndKeepTheVessel) {
    const std::string path = host.Path("vessel.k7s");
    CVessel v = DistinctVessel();
    const CVessel before = v;
    EXPECT_FALSE(v.LoadVesselFile());
    Put(path, Hex("01 00"));
    EXPECT_FALSE(v.LoadVesselFile());
    EXPECT_EQ(v, before);
    EXPECT_EQ(Slurp(path + ".damaged"), Hex("01 00"));
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::None);
    EXPECT_EQ(Shown(), (Names{"Oops, I can't find your vessel data\nWe load an empty vessel instead..",
                              "Oops, I can't read your vessel data\n\"" + path +
                                  "\" is damaged: The file ends before \"propellerType\": 4 bytes needed, 2 left (at "
                                  "byte 0)\nThe vessel keeps the data it had.\nThe damaged file is kept as " +
                                  path + ".damaged"}));
}

TEST_F(Vessel, ExportAndImportAreTheVesselFile) {
    CVessel v = DistinctVessel(), other;
    EXPECT_FALSE(v.ExportVessel()) << "cancelled";
    EXPECT_FALSE(v.ImportVessel()) << "cancelled";
    for (const FileChoiceRequest& r : fake.files.Requests()) {
        EXPECT_EQ(r.filter, "Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||");
        EXPECT_EQ(r.defaultExtension + r.defaultName, "k7sVessel");
    }
    ASSERT_TRUE(v.SaveVesselFile());
    fake.files.ScriptPath(host.Path("Vessel.k7s"));
    ASSERT_TRUE(v.ExportVessel());
    EXPECT_EQ(Slurp(host.Path("Vessel.k7s")), Slurp(host.Path("vessel.k7s"))) << "byte for byte";
    other.m_shaftGenerator = true;
    for (int i = 0; i < 2; ++i) {
        fake.files.ScriptPath(host.Path("Vessel.k7s"));
        ASSERT_TRUE(other.ImportVessel());
    }
    EXPECT_EQ(other.GetChecklist().GetCount(), 1) << "importing twice leaves the file's checklist, no duplicates";
    other.m_shaftGenerator = false;
    EXPECT_EQ(other, v);
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(other.ExportTo(host.Path("missing/out.k7s")));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_NE(Shown()[0].find(host.Path("missing/out.k7s") + "\": No such file or directory"), std::string::npos);
}
