#include "core/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/text_encoding.h"
#include "support/bytes.h"

TEST(Archive, PrimitivesHaveTheirByteLayout) {
    CBinaryWriter w;
    w.WriteLong(-2);
    w.WriteDword(0x01020304u);
    w.WriteDouble(1.0);
    w.WriteTime(CTime(0x5F5E1000));
    w.WriteString("");
    w.WriteString("AB");
    EXPECT_EQ(ToHex(w.Bytes()), ToHex(Hex("feffffff 04030201 000000000000f03f 00105e5f 00 02 4142")));
}

TEST(Archive, StringPrefixesAtTheirBoundaries) {
    CBinaryWriter w;
    w.WriteString(std::string(254, 'x'));
    EXPECT_EQ(static_cast<unsigned char>(w.Bytes()[0]), 0xFE);
    EXPECT_EQ(w.Bytes().size(), 1u + 254u);

    CBinaryWriter w2;
    w2.WriteString(std::string(255, 'x'));
    EXPECT_EQ(ToHex(w2.Bytes().substr(0, 3)), "ff ff 00");
    EXPECT_EQ(w2.Bytes().size(), 3u + 255u);

    CBinaryWriter w3;
    w3.WriteString(std::string(0xFFFD, 'x'));
    EXPECT_EQ(ToHex(w3.Bytes().substr(0, 3)), "ff fd ff");

    CBinaryWriter w4;
    w4.WriteString(std::string(0xFFFE, 'x'));
    EXPECT_EQ(ToHex(w4.Bytes().substr(0, 7)), "ff ff ff fe ff 00 00");

    for (const std::string* bytes : {&w.Bytes(), &w2.Bytes(), &w3.Bytes(), &w4.Bytes()}) {
        const std::string rBytes = *bytes;
        CBinaryReader r(rBytes);
        const std::size_t prefix = bytes->size() < 256 ? 1 : bytes->size() < 0xFFFE + 3 ? 3 : 7;
        EXPECT_EQ(r.ReadString("s").size(), bytes->size() - prefix);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, ValuesRoundTripBitForBit) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CBinaryWriter w;
    w.WriteDouble(nan);
    w.WriteDouble(std::numeric_limits<double>::infinity());
    w.WriteDouble(-0.0);
    w.WriteTime(CTime(0));
    w.WriteTime(CTime(0xFFFFFFFFLL));
    w.WriteString("");
    w.WriteLong(std::numeric_limits<std::int32_t>::min());
    CBinaryReader r(w.Bytes());
    EXPECT_TRUE(std::isnan(r.ReadDouble("a")));
    EXPECT_EQ(r.ReadDouble("b"), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::signbit(r.ReadDouble("c")));
    EXPECT_EQ(r.ReadTime("d"), CTime(0));
    EXPECT_EQ(r.ReadTime("e"), CTime(0xFFFFFFFFLL));
    EXPECT_EQ(r.ReadString("f"), "");
    EXPECT_EQ(r.ReadLong("g"), std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(r.AtEnd());
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

TEST(Archive, ShortInputFailsNamingTheValue) {
    const std::string rBytes = Hex("01 02 03");
    CBinaryReader r(rBytes);
    try {
        r.ReadLong("kind");
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("kind"), std::string::npos) << e.what();
    }
    // A string whose announced length runs past the end.
    const std::string sBytes = Hex("05 41 42");
    CBinaryReader s(sBytes);
    EXPECT_THROW(s.ReadString("name"), CArchiveException);
    const std::string hugeBytes = Hex("ff ff ff ff ff ff 7f 41");
    CBinaryReader huge(hugeBytes);
    EXPECT_THROW(huge.ReadString("name"), CArchiveException);
}

TEST(Archive, WideStringPrefixIsRefused) {
    const std::string rBytes = Hex("ff fe ff 02 41 00 42 00");
    CBinaryReader r(rBytes);
    try {
        r.ReadString("name");
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("16-bit"), std::string::npos) << e.what();
    }
}

TEST(Archive, ImpossibleCountsFailBeforeAllocating) {
    const std::string rBytes = Hex("ffffff7f 00000000");
    CBinaryReader r(rBytes);
    EXPECT_THROW(r.BeginList("route", 0, CountType::Long, 185), CArchiveException);
    const std::string negBytes = Hex("ffffffff");
    CBinaryReader neg(negBytes);
    EXPECT_THROW(neg.BeginList("route", 0, CountType::Long, 1), CArchiveException);
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

TEST(TextEncoding, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);

    CBinaryWriter w;
    w.WriteString(utf8);
    EXPECT_EQ(w.Bytes(), std::string("\xff\x00\x01", 3) + all);
    CBinaryReader r(w.Bytes());
    EXPECT_EQ(r.ReadString("s"), utf8);
}

TEST(TextEncoding, ConvertsBothWays) {
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
