#include "particulars/vessel.h"

#include <gtest/gtest.h>

TEST(Vessel, DefaultsAndDerivedValues) {
    CVessel v;
    EXPECT_EQ(v.m_owner, "I am");
    EXPECT_EQ(v.m_master, "me");
    EXPECT_EQ(v.m_launching, "today");
    EXPECT_EQ(v.m_keelLaying, "yesterday");
    EXPECT_EQ(v.m_name, "Unknown");
    EXPECT_EQ(v.m_callSign, "Unknown");
    EXPECT_EQ(v.m_engineSetting, 66);
    EXPECT_EQ(v.m_manoeuvringRpm, 66);
    EXPECT_EQ(v.m_seaSpeedRpm, 105);
    EXPECT_EQ(v.m_minutesPerRpm, 3.0);
    EXPECT_EQ(v.GetReductionTime(), 0.0) << "at manoeuvring revolutions there is nothing to run down";

    v.m_draftForward = 8.0;
    v.m_draftAft = 9.0;
    v.m_eyeHeight = 30.0;
    v.m_mastHeight = 45.0;
    EXPECT_DOUBLE_EQ(v.GetMeanDraft(), 8.5);
    EXPECT_DOUBLE_EQ(v.GetHeightOfEye(), 21.5);
    EXPECT_DOUBLE_EQ(v.GetAirDraft(), 36.5);

    v.m_summerDisplacement = 20000;
    v.m_summerDeadweight = 15000;
    v.m_presentDisplacement = 12000;
    EXPECT_DOUBLE_EQ(v.GetLightship(), 5000);
    EXPECT_DOUBLE_EQ(v.GetPresentDeadweight(), 7000);

    v.m_lengthBetweenPerpendiculars = 200;
    v.m_breadth = 32;
    v.m_maximumDraft = 12.5;
    EXPECT_DOUBLE_EQ(v.ComputeBlockCoefficient(), 20000.0 / (200.0 * 32.0 * 12.5));
    EXPECT_DOUBLE_EQ(v.m_blockCoefficient, 0.25);
}

TEST(Vessel, RunDownFigures) {
    CVessel v;
    v.m_engineSetting = 105;
    v.m_manoeuvringRpm = 66;
    v.m_minutesPerRpm = 3.0;
    // 39 rpm at 3 minutes each: 1.95 hours.
    EXPECT_NEAR(v.GetReductionTime(), 1.95, 1e-12);
    // The mean of 15 knots and 15 * 66/105 knots, for 1.95 hours.
    EXPECT_NEAR(v.GetReductionDistance(15.0), 1.95 * (15.0 * 66.0 / 105.0 + 15.0) * 0.5, 1e-12);
}
