#include "astro/astro_object.h"

#include <gtest/gtest.h>

#include <limits>

#include "fuzz/fuzz_support.h"
#include "support/bytes.h"

TEST(AstroObject, NewObjectIsTheSun) {
    CAstroObject sun;
    EXPECT_EQ(FieldsOf(sun),
              "meanAnomalyDailyMotion=0.9856002585 meanAnomalyAtEpoch=356.047 eccentricityDailyChange=-1.151e-09 "
              "eccentricityAtEpoch=0.016709 semiMajorAxisDailyChange=0 semiMajorAxisAtEpoch=1 "
              "perihelionArgumentDailyMotion=4.70935e-05 perihelionArgumentAtEpoch=282.9404 inclinationDailyMotion=0 "
              "inclinationAtEpoch=0 ascendingNodeDailyMotion=0 ascendingNodeAtEpoch=0 magnitude=0 declination=0 "
              "properMotionInRightAscension=0 rightAscension=0 fk5Number=Unknown name=Sun kind=0 "
              "properMotionInDeclination=0");
}

TEST(AstroObject, StoredLayoutAndOrbitAndStarValuesSetApart) {
    const AstroOrbit orbit{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    CAstroObject o;
    ASSERT_TRUE(o.SetStar("Sirius", "257", kAstroStar, -16.71611586, -3.8401e-8, 101.28715539, -1.6811e-8, -1.46));
    // A star made a planet takes the orbit and keeps its catalogue values.
    ASSERT_TRUE(o.SetOrbit("Mars", kAstroPlanet, orbit));
    o.SetGHA(123.0);
    std::string expected;
    for (double v : {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}) // daily change before the value at epoch
        expected += LeDouble(v);
    expected += LeDouble(-1.46) + LeDouble(-16.71611586) + LeDouble(-1.6811e-8) + LeDouble(101.28715539) +
                Hex("03 323537 04 4d617273 01000000") + LeDouble(-3.8401e-8); // "257", "Mars", planet
    EXPECT_EQ(ToHex(StoreToBytes(o)), ToHex(expected));
    CAstroObject back;
    EXPECT_TRUE(ReadAll(back, expected));
    EXPECT_EQ(back.GetGHA(), 0.0) << "computed values are not in the file";
    back.SetGHA(123.0);
    EXPECT_EQ(back, o);

    ASSERT_TRUE(o.SetStar("Vega", "699", kAstroStar, 38.8, 0, 279.2, 0, 0.0));
    std::string name;
    AstroOrbit after;
    o.GetOrbit(name, after);
    EXPECT_EQ(after, orbit) << "star values leave the orbit alone";
    EXPECT_FALSE(o.IsMoving());
    const CAstroObject before = o;
    EXPECT_FALSE(o.SetKind(5));
    EXPECT_FALSE(o.SetKind(-1));
    EXPECT_FALSE(o.SetOrbit("X", 7, AstroOrbit{}));
    EXPECT_FALSE(o.SetStar("X", "1", -2, 1, 1, 1, 1, 1));
    EXPECT_EQ(o, before) << "no such kind: nothing changes";

    std::string bad = StoreToBytes(o);
    bad.replace(137, 4, Hex("05000000"));
    CBinaryReader badReader(bad);
    try {
        back.Serialize(badReader);
        FAIL() << "kind 5 accepted";
    } catch (const CArchiveException& e) {
        EXPECT_STREQ(e.what(), "The object \"Vega\" has the kind 5, which is not one of 0 (Sun) to 4 (Satellite)");
    }
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
