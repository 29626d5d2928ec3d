#include "core/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/text_encoding.h"
#include "support/bytes.h"

TEST(Archive, PrimitivesHaveTheirByteLayoutAndRoundTrip) {
    CBinaryWriter w;
    w.WriteLong(-2);
    w.WriteDword(0x01020304u);
    w.WriteDouble(1.0);
    w.WriteTime(CTime(0x5F5E1000));
    w.WriteString("");
    w.WriteString("AB");
    w.WriteTime(CTime(0xFFFFFFFFLL)); // the last time a file holds: unsigned
    w.WriteDouble(-0.0);
    EXPECT_EQ(ToHex(w.Bytes()),
              ToHex(Hex("feffffff 04030201 000000000000f03f 00105e5f 00 02 4142 ffffffff 0000000000000080")));
    CBinaryReader r(w.Bytes());
    EXPECT_EQ((std::tuple{r.ReadLong("a"), r.ReadDword("b"), r.ReadDouble("c"), r.ReadTime("d")}),
              (std::tuple{-2, 0x01020304u, 1.0, CTime(0x5F5E1000)}));
    EXPECT_EQ((std::tuple{r.ReadString("e"), r.ReadString("f"), r.ReadTime("g")}),
              (std::tuple{"", "AB", CTime(0xFFFFFFFFLL)}));
    EXPECT_TRUE(std::signbit(r.ReadDouble("h")));
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, StringPrefixesAtTheirBoundaries) {
    for (auto [length, prefix] : {std::pair<std::size_t, const char*>{254, "fe"},
                                  {255, "ff ff 00"},
                                  {0xFFFD, "ff fd ff"},
                                  {0xFFFE, "ff ff ff fe ff 00 00"}}) {
        CBinaryWriter w;
        w.WriteString(std::string(length, 'x'));
        const std::size_t prefixSize = (std::string(prefix).size() + 1) / 3;
        EXPECT_EQ(ToHex(w.Bytes().substr(0, prefixSize)), prefix) << length;
        EXPECT_EQ(w.Bytes().size(), prefixSize + length);
        CBinaryReader r(w.Bytes());
        EXPECT_EQ(r.ReadString("s").size(), length);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, TimesOutsideTheFileRangeAreRefused) {
    CBinaryWriter w;
    EXPECT_THROW(w.WriteTime(CTime(-1)), CArchiveException);
    EXPECT_THROW(w.WriteTime(CTime(0x100000000LL)), CArchiveException);
    EXPECT_TRUE(w.Bytes().empty()) << "nothing is written for a refused time";
    try {
        CTime t(0x100000000LL);
        w.Time("startTime", t);
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("startTime"), std::string::npos) << e.what();
    }
}

TEST(Archive, ShortOrImpossibleInputFailsNamingTheValue) {
    // Each input fails; the message names the value (or what is wrong with it).
    for (auto [hex, fragment] : {std::pair{"01 02 03", "kind"},
                                 {"05 41 42", "name"},
                                 {"ff ff ff ff ff ff 7f 41", "name"},
                                 {"ff fe ff 02 41 00 42 00", "16-bit"}}) {
        const std::string bytes = Hex(hex);
        CBinaryReader r(bytes);
        try {
            std::string(fragment) == "kind" ? (void)r.ReadLong("kind") : (void)r.ReadString("name");
            ADD_FAILURE() << hex;
        } catch (const CArchiveException& e) {
            EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
        }
    }
    // Counts the bytes left cannot hold fail before anything is allocated.
    for (const char* hex : {"ffffff7f 00000000", "ffffffff"}) {
        const std::string bytes = Hex(hex);
        CBinaryReader r(bytes);
        EXPECT_THROW(r.BeginList("route", 0, CountType::Long, 185), CArchiveException) << hex;
    }
    const std::string okBytes = LeLong(2) + std::string(10, 'x');
    CBinaryReader ok(okBytes);
    EXPECT_EQ(ok.BeginList("items", 0, CountType::Long, 5), 2u);
}

TEST(Archive, ListPathsAppearInMessages) {
    const std::string rBytes = LeLong(2) + std::string(8, '\0') + std::string(3, '\0');
    CBinaryReader r(rBytes);
    r.BeginObject("voyage");
    const std::size_t n = r.BeginList("route", 0, CountType::Long, 4);
    ASSERT_EQ(n, 2u);
    r.BeginItem();
    r.ReadDouble("course");
    r.EndItem();
    r.BeginItem();
    try {
        r.ReadDouble("latitude");
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("voyage.route[1].latitude"), std::string::npos) << e.what();
    }
}

TEST(TextEncoding, ConvertsBothWaysAndEveryByteSurvives) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    CBinaryWriter all8;
    all8.WriteString(utf8);
    EXPECT_EQ(all8.Bytes(), std::string("\xff\x00\x01", 3) + all);
    CBinaryReader r(all8.Bytes());
    EXPECT_EQ(r.ReadString("s"), utf8);

    EXPECT_EQ(Cp1252ToUtf8("\x80\xe9\xb0"), "\u20ac\u00e9\u00b0");
    EXPECT_EQ(Utf8ToCp1252("Caf\u00e9 \u20ac 12\u00b0"), "Caf\xe9 \x80 12\xb0");
    // Characters the 8-bit set lacks, and broken UTF-8, become '?'.
    EXPECT_EQ(Utf8ToCp1252("\u65e5x"), "?x");
    EXPECT_EQ(Utf8ToCp1252("a\xc3"), "a?");
    // The string prefix counts bytes on disk, not UTF-8 bytes.
    CBinaryWriter w;
    w.WriteString("\u00e9\u00e9");
    EXPECT_EQ(ToHex(w.Bytes()), "02 e9 e9");
}
