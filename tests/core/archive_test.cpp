#include "core/archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <cmath>
#include <tuple>

#include "core/text_encoding.h"
#include "support/bytes.h"

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

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

TEST(Archive, RefusalsNameTheValue) {
    CBinaryWriter w;
    EXPECT_THROW(w.WriteTime(CTime(-1)), CArchiveException);
    CTime late(0x100000000LL);
    EXPECT_THAT([&] { w.Time("startTime", late); }, ThrowsMessage<CArchiveException>(HasSubstr("startTime")));
    EXPECT_TRUE(w.Bytes().empty()) << "nothing is written for a refused time";
    for (auto [hex, fragment] : {std::pair{"01 02 03", "kind"},
                                 {"05 41 42", "name"},
                                 {"ff ff ff ff ff ff 7f 41", "name"},
                                 {"ff fe ff 02 41 00 42 00", "16-bit"}}) {
        const std::string bytes = Hex(hex);
        CBinaryReader r(bytes);
        auto read = [&] { std::string(fragment) == "kind" ? (void)r.ReadLong("kind") : (void)r.ReadString("name"); };
        EXPECT_THAT(read, ThrowsMessage<CArchiveException>(HasSubstr(fragment))) << hex;
    }
    // Counts the bytes left cannot hold fail before anything is allocated.
    for (const char* hex : {"ffffff7f 00000000", "ffffffff"}) {
        const std::string bytes = Hex(hex);
        CBinaryReader r(bytes);
        EXPECT_THROW(r.BeginList("route", 0, CountType::Long, 185), CArchiveException) << hex;
    }
    const std::string bytes = LeLong(2) + std::string(11, '\0');
    CBinaryReader r(bytes);
    r.BeginObject("voyage");
    ASSERT_EQ(r.BeginList("route", 0, CountType::Long, 4), 2u);
    r.BeginItem();
    r.ReadDouble("course");
    r.EndItem();
    r.BeginItem();
    EXPECT_THAT([&] { r.ReadDouble("latitude"); },
                ThrowsMessage<CArchiveException>(HasSubstr("voyage.route[1].latitude")));
}

TEST(TextEncoding, ConvertsBothWaysAndEveryByteSurvives) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    CBinaryWriter all8;
    all8.WriteString(utf8);
    EXPECT_EQ(all8.Bytes(), std::string("\xff\x00\x01", 3) + all) << "stored as 8-bit bytes, counted on disk";
    CBinaryReader r(all8.Bytes());
    EXPECT_EQ(r.ReadString("s"), utf8);
    EXPECT_EQ(Utf8ToCp1252("Caf\u00e9 \u20ac 12\u00b0"), "Caf\xe9 \x80 12\xb0");
    // Characters the 8-bit set lacks, and broken UTF-8, become '?'.
    EXPECT_EQ(Utf8ToCp1252("\u65e5x"), "?x");
    EXPECT_EQ(Utf8ToCp1252("a\xc3"), "a?");
}

TEST(TextEncoding, HighBytesAsTheSystemConverterMapsThem) {
    iconv_t cd = iconv_open("UTF-8", "CP1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    int compared = 0;
    for (int b = 0x80; b < 0x100; ++b) {
        char in = static_cast<char>(b), out[8];
        char *from = &in, *to = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(cd, &from, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) continue; // five are undefined
        EXPECT_EQ(ToHex(Cp1252ToUtf8(std::string(1, in))), ToHex(std::string(out, to))) << std::hex << b;
        ++compared;
    }
    iconv_close(cd);
    EXPECT_EQ(compared, 128 - 5);
}
