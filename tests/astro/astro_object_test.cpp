#include "astro/astro_object.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/archive.h"
#include "support/bytes.h"

namespace {

// The default Sun as the file holds it, field by field.
std::string DefaultSunRecord() {
    return LeDouble(0.9856002585) + LeDouble(356.047) + LeDouble(-1.151e-9) + LeDouble(0.016709) +
           Hex("0000000000000000 000000000000f03f") + // semi-major axis: no change, 1.0 AU
           LeDouble(4.70935e-5) + LeDouble(282.9404) +
           Hex("0000000000000000 0000000000000000 0000000000000000 0000000000000000") + // inclination, node
           Hex("0000000000000000 0000000000000000 0000000000000000 0000000000000000") + // mag, dec, pm RA, RA
           Hex("07 556e6b6e6f776e 03 53756e") +                                         // "Unknown", "Sun"
           Hex("00000000 0000000000000000");                                            // kind Sun, pm declination
}

} // namespace

TEST(AstroObject, NewObjectIsTheSunIn152Bytes) {
    CAstroObject sun;
    EXPECT_EQ(sun.GetName(), "Sun");
    EXPECT_EQ(sun.GetKind(), kAstroSun);
    EXPECT_EQ(ToHex(StoreToBytes(sun)), ToHex(DefaultSunRecord()));
}

TEST(AstroObject, StarRecordReadsBackWithoutTheComputedValues) {
    const std::string record = std::string(12 * 8, '\0') + LeDouble(-1.46) + LeDouble(-16.71611586) +
                               LeDouble(-1.6811e-8) + LeDouble(101.28715539) + Hex("03 323537") + // "257"
                               Hex("06 536972697573") + Hex("03000000") + LeDouble(-3.8401e-8);   // "Sirius", star
    CAstroObject star;
    star.SetGHA(123.0);
    CBinaryReader reader(record);
    star.Serialize(reader);
    EXPECT_TRUE(reader.AtEnd());
    std::string fk5;
    double dec = 0, pmDec = 0, ra = 0, pmRa = 0, mag = 0;
    star.GetStar(fk5, dec, pmDec, ra, pmRa, mag);
    EXPECT_EQ(star.GetName(), "Sirius");
    EXPECT_FALSE(star.IsMoving());
    EXPECT_EQ(fk5, "257");
    EXPECT_EQ(dec, -16.71611586);
    EXPECT_EQ(pmDec, -3.8401e-8);
    EXPECT_EQ(ra, 101.28715539);
    EXPECT_EQ(pmRa, -1.6811e-8);
    EXPECT_EQ(mag, -1.46);
    EXPECT_EQ(star.GetGHA(), 123.0) << "computed values are not in the file";
    EXPECT_EQ(ToHex(StoreToBytes(star)), ToHex(record));
}

TEST(AstroObject, BadKindIsRefused) {
    std::string record = DefaultSunRecord();
    record.replace(140, 4, Hex("05000000"));
    CAstroObject o;
    CBinaryReader reader(record);
    try {
        o.Serialize(reader);
        FAIL() << "kind 5 accepted";
    } catch (const CArchiveException& e) {
        EXPECT_STREQ(e.what(), "The object \"Sun\" has the kind 5, which is not one of 0 (Sun) to 4 (Satellite)");
    }
}

TEST(AstroObject, OrbitAndStarValuesAreSetApart) {
    CAstroObject o;
    ASSERT_TRUE(o.SetStar("Vega", "699", kAstroStar, 38.78, 1e-8, 279.23, 2e-8, 0.03));
    AstroOrbit mars;
    mars.ascendingNode = 49.5574;
    mars.inclinationDailyMotion = -1.78e-8;
    mars.semiMajorAxis = 1.523688;
    mars.meanAnomalyDailyMotion = 0.5240207766;

    // A star made a planet takes the orbit and keeps its catalogue values.
    ASSERT_TRUE(o.SetOrbit("Mars", kAstroPlanet, mars));
    std::string name, fk5;
    AstroOrbit back;
    double dec = 0, pmDec = 0, ra = 0, pmRa = 0, mag = 0;
    o.GetOrbit(name, back);
    o.GetStar(fk5, dec, pmDec, ra, pmRa, mag);
    EXPECT_EQ(name, "Mars");
    EXPECT_EQ(back, mars);
    EXPECT_EQ(fk5, "699");
    EXPECT_EQ(ra, 279.23);
    EXPECT_EQ(mag, 0.03);

    ASSERT_TRUE(o.SetStar("Vega", "699", kAstroStar, 38.8, 0, 279.2, 0, 0.0));
    o.GetOrbit(name, back);
    EXPECT_EQ(back, mars) << "star values leave the orbit alone";

    const CAstroObject before = o;
    EXPECT_FALSE(o.SetKind(5));
    EXPECT_FALSE(o.SetKind(-1));
    EXPECT_FALSE(o.SetOrbit("X", 7, AstroOrbit{}));
    EXPECT_FALSE(o.SetStar("X", "1", -2, 1, 1, 1, 1, 1));
    EXPECT_EQ(o, before) << "no such kind: nothing changes";
}

TEST(AstroObject, ListTextsOfGHAAndDeclination) {
    CAstroObject o;
    const std::pair<double, const char*> gha[] = {
        {123.5, "123:30"}, {359.0 + 5.0 / 60.0, "359:5"}, {10.0 + 59.7 / 60.0, "10:60"}, {0.0, "0:0"}};
    for (const auto& [value, text] : gha) {
        o.SetGHA(value);
        EXPECT_EQ(o.FormatGHA(), text) << value;
    }
    const std::pair<double, const char*> dec[] = {
        {-8.25, "8:15 South"}, {0.0, "0:0 North"}, {-0.5, "0:30 South"}, {23.44, "23:26 North"}};
    for (const auto& [value, text] : dec) {
        o.SetDeclination(value);
        EXPECT_EQ(o.FormatDeclination(), text) << value;
    }
    o.SetGHA(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(o.FormatGHA(), "NaN");
}
