#include "lists/address.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "support/bytes.h"

namespace {

CAddress Load(const std::string& bytes) {
    CAddress a;
    CBinaryReader r(bytes);
    a.Serialize(r);
    EXPECT_TRUE(r.AtEnd());
    return a;
}

} // namespace

TEST(Address, DefaultsAreStoredInFileOrder) {
    CAddress a;
    EXPECT_EQ(a.m_notes, "");
    EXPECT_EQ(a.m_fax, "");
    EXPECT_EQ(a.m_phone, "");
    EXPECT_EQ(a.m_radioChannel, "");
    // country, e-mail, house number, zip, street, name, city, fax, phone, radio channel, notes
    const std::string expected = Hex("05 4561727468") +                // "Earth"
                                 CountedString("nobody@example.com") + // placeholder e-mail
                                 Hex("02 3639") +                      // "69"
                                 Hex("05 534f4c3342") +                // "SOL3B"
                                 Hex("05 4f72626974") +                // "Orbit"
                                 CountedString("Nobody") +             // placeholder name
                                 Hex("09 536f6d657768657265") +        // "Somewhere"
                                 Hex("00 00 00 00");
    EXPECT_EQ(ToHex(StoreToBytes(a)), ToHex(expected));
}

TEST(Address, EveryFieldHasItsPlaceAndTextIsWindows1252) {
    CAddress a;
    a.SetAddress("Agence Maritime", "Quai d'Orl\u00e9ans", "12b", "Le Havre", "76600", "France");
    a.m_eMail = "ops@agence.example";
    a.SetNumbers("+33 2 35", "+33 2 36", "12");
    a.m_notes = "24h \u20ac";
    const std::string expected =
        CountedString("France") + CountedString("ops@agence.example") + CountedString("12b") + CountedString("76600") +
        CountedString("Quai d'Orl\xe9"
                      "ans") +
        CountedString("Agence Maritime") + CountedString("Le Havre") + CountedString("+33 2 36") +
        CountedString("+33 2 35") + CountedString("12") + Hex("05 3234682080");
    const std::string bytes = StoreToBytes(a);
    EXPECT_EQ(ToHex(bytes), ToHex(expected));
    EXPECT_EQ(Load(bytes), a);
}
