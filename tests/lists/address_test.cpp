#include "lists/address.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "support/bytes.h"

TEST(Address, StoredInFileOrderAsWindows1252) {
    // country, e-mail, house number, zip, street, name, city, fax, phone, radio channel, notes
    // (A new address's bytes: the port's stored layout.)
    CAddress a;
    a.SetAddress("Agence Maritime", "Quai d'Orl\u00e9ans", "12b", "Le Havre", "76600", "France");
    a.m_eMail = "ops@agence.example";
    a.SetNumbers("+33 2 35", "+33 2 36", "12");
    a.m_notes = "24h \u20ac";
    const std::string expected =
        CountedString("France") + CountedString("ops@agence.example") + CountedString("12b") + CountedString("76600") +
        Hex("0e 517561692064274f726ce9616e73") + CountedString("Agence Maritime") + CountedString("Le Havre") +
        CountedString("+33 2 36") + CountedString("+33 2 35") + CountedString("12") + Hex("05 3234682080");
    const std::string bytes = StoreToBytes(a);
    EXPECT_EQ(ToHex(bytes), ToHex(expected));
    CAddress back;
    EXPECT_TRUE(ReadAll(back, bytes));
    EXPECT_EQ(back, a);
}
