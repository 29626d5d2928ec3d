#include "particulars/port.h"

#include <filesystem>

#include "core/archive.h"
#include "particulars/vessel.h"
#include "support/bytes.h"
#include "support/model_test.h"
#include "support/scratch_dir.h"

namespace {

using Port = ModelTest;

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

// A default address under another name, as stored (see the address test).
std::string AddressBytes(const std::string& name, const std::string& radio = "") {
    return Hex("05 4561727468") + CountedString("nobody@example.com") + Hex("02 3639 05 534f4c3342 05 4f72626974") +
           CountedString(name) + Hex("09 536f6d657768657265 00 00") + CountedString(radio) + Hex("00");
}

} // namespace

TEST_F(Port, NewPortDefaultsAndTexts) {
    CPort p;
    EXPECT_EQ(Row(p.m_maximumDraft, p.m_maximumAirDraft, p.m_salinity, p.m_portControlCallHours, p.m_callAhead,
                  p.m_ladderHeight, p.m_etb == CTime() && p.m_etc == CTime() && p.m_etd == CTime()),
              "25.00|75.00|1025|2|3.00|1.00|1");
    const std::tuple<int, int, const char*> texts[] = {
        {0, 0, "Port hrs"}, {1, 1, "Starboard nM"}, {7, -1, "Port hrs"}}; // anything but Starboard reads as Port
    for (const auto& [side, unit, text] : texts) {
        p.m_ladderSide = side;
        p.m_callUnit = unit;
        EXPECT_EQ(p.GetLadderSideText() + " " + p.GetCallUnitText(), text);
    }
}

TEST_F(Port, ArrivalDraftFollowsTheWaterAtTheBerthAndAgentTakesTheCallingChannel) {
    CVessel v;
    v.m_draftForward = 8.0;
    v.m_draftAft = 9.0;
    v.m_mastHeight = 45.0;
    CPort p;
    p.m_maximumDraft = 12.0;
    p.m_maximumAirDraft = 40.0;
    // salinity: forward, aft, air draft, draft clearance, air-draft clearance
    const std::pair<int, std::vector<double>> cases[] = {
        {1025, {8.0, 9.0, 36.5, 3.0, 3.5}},          // sea water: as read
        {1000, {8.2, 9.225, 36.2875, 2.775, 3.7125}}, // fresh water: deeper, lower mast
        {0, {8.0, 9.0, 36.5, 3.0, 3.5}},             // no density: left as read
    };
    for (const auto& [salinity, expected] : cases) {
        p.m_salinity = salinity;
        const CArrivalDraft d = p.GetArrivalDraft(v);
        const std::vector<double> got{d.forward, d.aft, d.airDraft, d.draftClearance, d.airDraftClearance};
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], expected[i], 1e-9) << salinity << " #" << i;
    }

    p.m_agent.m_radioChannel = "72";
    p.m_agent.m_street = "Quay";
    p.SetAgentContact("Blue Anchor", "ops@blue.example", "+31 10", "+31 11", "after 18h");
    const CAddress& a = p.m_agent;
    EXPECT_EQ((Names{a.m_radioChannel, a.m_name, a.m_eMail, a.m_phone, a.m_fax, a.m_notes, a.m_street}),
              (Names{"16", "Blue Anchor", "ops@blue.example", "+31 10", "+31 11", "after 18h", "Quay"}));
}

TEST_F(Port, StoredLayout) {
    CPort p = DistinctPort();
    const std::string expected = Hex("0000000000004440 0000000000002840") + // maximum air draft 40, draft 12
                                 Hex("03000000 eb030000") +                 // call hours 3, salinity 1003
                                 Hex("00105e5f 101e5e5f 00005f5f") +        // ETB, ETC, ETD
                                 Hex("01000000 01000000") +                 // ladder side, call unit
                                 Hex("0000000000000440 0000000000002840") + // ladder height 2.5, call ahead 12
                                 AddressBytes("Agent") + AddressBytes("Pilot", "9") + AddressBytes("VTS", "14");
    const std::string bytes = StoreToBytes(p);
    EXPECT_EQ(ToHex(bytes), ToHex(expected));
    CPort loaded;
    EXPECT_TRUE(ReadAll(loaded, bytes));
    EXPECT_EQ(loaded, p);
}

TEST_F(Port, ExportAndImportRestoreEveryFieldAndFaultsChangeNothing) {
    CPort p = DistinctPort();
    p.m_agent.m_notes = "\u00e9t\u00e9";
    EXPECT_FALSE(p.ExportPort()) << "cancelled";
    EXPECT_FALSE(p.ImportPort()) << "cancelled";
    for (const FileChoiceRequest& r : fake.files.Requests()) {
        EXPECT_EQ(r.filter, "Port Files (*.k7p)|*.k7p|All Files (*.*)|*.*||");
        EXPECT_EQ(r.defaultExtension + r.defaultName, "k7pDestination");
    }
    const std::string path = host.Path("Destination.k7p");
    fake.files.ScriptPath(path);
    ASSERT_TRUE(p.ExportPort());
    EXPECT_EQ(Slurp(path), StoreToBytes(p));
    fake.clock.Set(CTime::FromUtc(2030, 1, 1));
    CPort other;
    fake.files.ScriptPath(path);
    ASSERT_TRUE(other.ImportPort());
    EXPECT_EQ(other, p);
    EXPECT_TRUE(Shown().empty());

    EXPECT_FALSE(other.ImportFrom(host.Path("none.k7p")));
    EXPECT_EQ(other, p);
    EXPECT_EQ(Shown(), Names{"Cannot open \"" + host.Path("none.k7p") + "\": No such file or directory"});
}
