#include "particulars/port.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/archive.h"
#include "core/file_io.h"
#include "particulars/vessel.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

using TempDir = CScratchDir;

// A default address under another name, as stored: country, e-mail, house number,
// zip, street, name, city, fax, phone, radio channel, notes.
std::string DefaultAddressBytes(const std::string& name, const std::string& radio = "") {
    return Hex("05 4561727468") + CountedString("nobody@example.com") + Hex("02 3639 05 534f4c3342 05 4f72626974") +
           CountedString(name) + Hex("09 536f6d657768657265 00 00") + CountedString(radio) + Hex("00");
}

CPort DistinctPort() {
    CPort p;
    p.m_maximumAirDraft = 40.0;
    p.m_maximumDraft = 12.0;
    p.m_portControlCallHours = 3;
    p.m_salinity = 1003;
    p.m_etb = CTime(0x5F5E1000);
    p.m_etc = CTime(0x5F5E1E10);
    p.m_etd = CTime(0x5F5F0000);
    p.m_ladderSide = CPort::kLadderStarboard;
    p.m_callUnit = CPort::kCallMiles;
    p.m_ladderHeight = 2.5;
    p.m_callAhead = 12.0;
    p.m_agent.m_name = "Agent";
    p.m_pilot.m_name = "Pilot";
    p.m_pilot.m_radioChannel = "9";
    p.m_portControl.m_name = "VTS";
    p.m_portControl.m_radioChannel = "14";
    return p;
}

} // namespace

TEST(Port, NewPortDefaults) {
    CFakeServices fake;
    const CTime now = CTime::FromUtc(2026, 5, 4, 10, 30, 0);
    fake.clock.Set(now);
    CPort p;
    EXPECT_EQ(p.m_maximumDraft, 25.0);
    EXPECT_EQ(p.m_maximumAirDraft, 75.0);
    EXPECT_EQ(p.m_salinity, 1025);
    EXPECT_EQ(p.m_portControlCallHours, 2);
    EXPECT_EQ(p.m_callAhead, 3.0);
    EXPECT_EQ(p.GetCallUnitText(), "hrs");
    EXPECT_EQ(p.GetLadderSideText(), "Port");
    EXPECT_EQ(p.m_ladderHeight, 1.0);
    EXPECT_EQ(p.m_etb, now);
    EXPECT_EQ(p.m_etc, now);
    EXPECT_EQ(p.m_etd, now);

    p.m_ladderSide = 1;
    p.m_callUnit = 1;
    EXPECT_EQ(p.GetLadderSideText(), "Starboard");
    EXPECT_EQ(p.GetCallUnitText(), "nM");
    p.m_ladderSide = 7; // anything but Starboard reads as Port
    p.m_callUnit = -1;
    EXPECT_EQ(p.GetLadderSideText(), "Port");
    EXPECT_EQ(p.GetCallUnitText(), "hrs");
}

TEST(Port, ArrivalDraftIsThePresentDraftUncorrected) {
    CVessel v;
    v.m_draftForward = 8.0;
    v.m_draftAft = 9.0;
    v.m_mastHeight = 45.0;
    CPort p;
    p.m_maximumDraft = 12.0;
    p.m_maximumAirDraft = 40.0;
    const CArrivalDraft d = p.GetArrivalDraft(v);
    EXPECT_DOUBLE_EQ(d.forward, 8.0);
    EXPECT_DOUBLE_EQ(d.aft, 9.0);
    EXPECT_DOUBLE_EQ(d.airDraft, 36.5);
    EXPECT_DOUBLE_EQ(d.draftClearance, 3.0);
    EXPECT_DOUBLE_EQ(d.airDraftClearance, 3.5);

    p.m_salinity = 1000;
    EXPECT_EQ(p.GetArrivalDraft(v).forward, d.forward) << "no correction for the water's density";
}

TEST(Port, AgentContactTakesTheCallingChannel) {
    CPort p;
    p.m_agent.m_radioChannel = "72";
    p.m_agent.m_street = "Quay";
    p.SetAgentContact("Blue Anchor", "ops@blue.example", "+31 10", "+31 11", "after 18h");
    EXPECT_EQ(p.m_agent.m_radioChannel, "16");
    EXPECT_EQ(p.m_agent.m_name, "Blue Anchor");
    EXPECT_EQ(p.m_agent.m_eMail, "ops@blue.example");
    EXPECT_EQ(p.m_agent.m_phone, "+31 10");
    EXPECT_EQ(p.m_agent.m_fax, "+31 11");
    EXPECT_EQ(p.m_agent.m_notes, "after 18h");
    EXPECT_EQ(p.m_agent.m_street, "Quay") << "the postal address is not the page's";
}

TEST(Port, StoredLayout) {
    CPort p = DistinctPort();
    const std::string expected = Hex("0000000000004440") +           // maximum air draft 40.0
                                 Hex("0000000000002840") +           // maximum draft 12.0
                                 Hex("03000000 eb030000") +          // port control call hours 3, salinity 1003
                                 Hex("00105e5f 101e5e5f 00005f5f") + // ETB, ETC, ETD
                                 Hex("01000000 01000000") +          // ladder side, call unit
                                 Hex("0000000000000440") +           // ladder height 2.5
                                 Hex("0000000000002840") +           // call ahead 12.0
                                 DefaultAddressBytes("Agent") + DefaultAddressBytes("Pilot", "9") +
                                 DefaultAddressBytes("VTS", "14");
    const std::string bytes = StoreToBytes(p);
    EXPECT_EQ(ToHex(bytes), ToHex(expected));

    CPort loaded;
    CBinaryReader r(bytes);
    loaded.Serialize(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(loaded, p);
}

TEST(PortFile, FaultsAreReportedAndChangeNothing) {
    CFakeServices fake;
    TempDir dir;
    CPort source = DistinctPort();
    Put(dir / "bad.k7p", StoreToBytes(source).substr(0, 60) + Hex("ff fe ff 01 41 00"));
    CPort p;
    const CPort before = p;
    EXPECT_FALSE(p.ImportFrom(dir / "bad.k7p"));
    EXPECT_FALSE(p.ImportFrom(dir / "none.k7p"));
    EXPECT_EQ(p, before);
    const std::vector<std::string> texts = fake.prompts.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("\"" + (dir / "bad.k7p") + "\" is damaged: ", 0), 0u) << texts[0];
    EXPECT_NE(texts[0].find("16-bit"), std::string::npos) << texts[0];
    EXPECT_EQ(texts[1], "Cannot open \"" + (dir / "none.k7p") + "\": No such file or directory");

    // A berthing time the file cannot hold is refused by name; no file is left.
    fake.prompts.Clear();
    p.m_etb = CTime(0x100000000LL);
    EXPECT_FALSE(p.ExportTo(dir / "far.k7p"));
    EXPECT_FALSE(fs::exists(dir.path / "far.k7p"));
    ASSERT_EQ(fake.prompts.Texts().size(), 1u);
    EXPECT_NE(fake.prompts.Texts()[0].find("etb"), std::string::npos) << fake.prompts.Texts()[0];
    EXPECT_NE(fake.prompts.Texts()[0].find(dir / "far.k7p"), std::string::npos) << fake.prompts.Texts()[0];
    EXPECT_EQ(fake.prompts.History()[0].buttons, PromptButtons::Ok);
}

TEST(PortFile, ExportAndImportRestoreEveryField) {
    CFakeServices fake;
    TempDir dir;
    CPort p = DistinctPort();
    p.m_agent.SetAddress("Agent", "Rue", "1", "Brest", "29200", "France");
    p.m_agent.m_notes = "\u00e9t\u00e9";
    EXPECT_FALSE(p.ExportPort()) << "cancelled";
    EXPECT_FALSE(p.ImportPort()) << "cancelled";
    ASSERT_EQ(fake.files.Requests().size(), 2u);
    for (const FileChoiceRequest& r : fake.files.Requests()) {
        EXPECT_EQ(r.filter, "Port Files (*.k7p)|*.k7p|All Files (*.*)|*.*||");
        EXPECT_EQ(r.defaultExtension, "k7p");
        EXPECT_EQ(r.defaultName, "Destination");
    }

    fake.files.ScriptPath(dir / "Destination.k7p");
    ASSERT_TRUE(p.ExportPort());
    EXPECT_EQ(Slurp(dir / "Destination.k7p"), StoreToBytes(p));
    fake.clock.Set(CTime::FromUtc(2030, 1, 1));
    CPort other;
    fake.files.ScriptPath(dir / "Destination.k7p");
    ASSERT_TRUE(other.ImportPort());
    EXPECT_EQ(other, p);
    EXPECT_TRUE(fake.prompts.Texts().empty());
}
