#include "document/position_fix.h"

#include <gtest/gtest.h>

#include "support/model_test.h"

TEST(PositionFixFields, CoordinatesFromDegreesMinutesAndHemisphere) {
    for (auto [fields, value] : {std::pair{CCoordinateFields{52, 30.0, 1}, -52.5},
                                 {CCoordinateFields{52, 30.0, 0}, 52.5},
                                 {CCoordinateFields{4, 6.0, -1}, 4.1}, // no hemisphere chosen: North or East
                                 {CCoordinateFields{0, 0.0, 1}, 0.0}})
        EXPECT_DOUBLE_EQ(CoordinateFromFields(fields), value) << fields.degrees;
    const CPosition p(-33.8585, -151.2, CTime());
    EXPECT_EQ(LatitudeFields(p), (CCoordinateFields{33, 51.51, 1})) << "minutes cut, not rounded";
    EXPECT_EQ(LongitudeFields(p), (CCoordinateFields{151, 12.0, 1}));
    EXPECT_EQ(LatitudeFields(CPosition()).hemisphere, 0);
}

TEST_F(ModelTest, FixTimeIsUtcInThePresentMonth) {
    fake.clock.SetLocalOffset(-5 * 3600); // the machine's zone must not move a time typed as UTC
    EXPECT_EQ(FixTimeFromUtcFields(kNow, 5, 23, 59), CTime::FromUtc(2026, 12, 5, 23, 59, 0));
    EXPECT_EQ(FixTimeFromUtcFields(kNow + 37, 6, 11, 58), CTime::FromUtc(2026, 12, 6, 11, 58, 0)) << "seconds 0";
    EXPECT_EQ(FixTimeFromUtcFields(CTime::FromUtc(2026, 2, 10), 31, 0, 0), CTime::FromUtc(2026, 3, 3));
}

TEST_F(ModelTest, GpsFixFieldsLoggingAndRefusal) {
    Make(MakeChannelCrossing);
    fake.clock.Set(CTime::FromUtc(2026, 12, 6, 7, 5, 42));
    present->SetLatitude(-12.5);
    present->SetLongitude(4.25);
    CPositionFixFields f = GpsFixFields(*present, services::Now());
    EXPECT_EQ(Row(f.description, f.day, f.hour, f.minute), "GPS Fix 06 Dec 07:05 UTC|6|7|5");
    EXPECT_EQ(f.latitude, (CCoordinateFields{12, 30.0, 1}));
    EXPECT_EQ(f.longitude, (CCoordinateFields{4, 15.0, 0}));

    ASSERT_TRUE(RecordGpsFix(*doc, f)) << "a fix at the present minute is not ahead";
    EXPECT_EQ(host.Logged(), Names{"GPS Fix 06 Dec 07:05 UTC 12:30.00 South  4:15.00 East"});
    Set("logpos", 0);
    f.minute = 4;
    ASSERT_TRUE(RecordGpsFix(*doc, f));
    EXPECT_EQ(host.Logged().size(), 1u) << "\"logpos\" off";

    // A minute ahead: the dialog's check and the document both refuse it, nothing is logged.
    Set("logpos", 1);
    f.minute = 6;
    EXPECT_FALSE(IsFixTimeAcceptable(f));
    EXPECT_FALSE(RecordGpsFix(*doc, f));
    EXPECT_EQ(Row(v->GetCount(), host.Logged().size()), "4|1");
    EXPECT_EQ(Shown(), (Names{kFixAheadOfNowText, kFixAheadOfNowText}));
    EXPECT_EQ(fake.prompts.History()[0].icon, PromptIcon::Stop);
}
