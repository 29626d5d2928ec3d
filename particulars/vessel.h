#pragma once

#include <cstdint>
#include <string>

// The own ship: identity, hull, tonnages, drafts, engine and propeller.
class CVessel {
public:
    // Identity
    std::string m_name = "Unknown";
    std::string m_owner = "I am";
    std::string m_charterer = "Unknown";
    std::string m_master = "me";
    std::string m_callSign = "Unknown";
    std::string m_internationalNumber = "Unknown";
    std::string m_yardNumber = "Unknown";
    std::string m_launching = "today";
    std::string m_keelLaying = "yesterday";
    std::string m_portOfRegistry = "Unknown";
    std::string m_spareText = "Unknown";
    std::int32_t m_spareNumber = 0;

    // Course and engine as last ordered
    std::int32_t m_courseSetting = 0;
    std::int32_t m_engineSetting = 66;
    double m_minutesPerRpm = 3.0;

    // Engine and propeller
    std::int32_t m_propellerType = 0; // 0 fixed pitch, 1 variable pitch
    double m_propellerDiameter = 0.0;
    double m_propellerPitch = 0.0;
    double m_seaSpeedPower = 0.0;
    double m_manoeuvringPower = 0.0;
    std::int32_t m_seaSpeedRpm = 105;
    std::int32_t m_manoeuvringRpm = 66;
    std::int32_t m_numberOfEngines = 0;
    bool m_shaftGenerator = false; // in memory only

    // Hull and hydrostatics
    double m_draftCenter = 0.0;
    double m_mastHeight = 0.0;
    double m_eyeHeight = 0.0;
    double m_panamaNett = 0.0;
    double m_panamaGross = 0.0;
    double m_suezNett = 0.0;
    double m_suezGross = 0.0;
    double m_internationalNett = 0.0;
    double m_internationalGross = 0.0;
    double m_summerDeadweight = 0.0;
    double m_summerDisplacement = 0.0;
    double m_maximumDraft = 0.0;
    double m_blockCoefficient = 0.0;
    double m_presentGM = 0.0;
    double m_draftForward = 0.0;
    double m_draftAft = 0.0;
    double m_presentDisplacement = 0.0;
    double m_breadth = 0.0;
    double m_lengthOverAll = 0.0;
    double m_lengthBetweenPerpendiculars = 0.0;

    double GetMeanDraft() const { return (m_draftForward + m_draftAft) / 2.0; }
    double GetHeightOfEye() const { return m_eyeHeight - GetMeanDraft(); }
    double GetAirDraft() const { return m_mastHeight - GetMeanDraft(); }
    double GetLightship() const { return m_summerDisplacement - m_summerDeadweight; }
    double GetDeadweight(double displacement) const { return displacement - GetLightship(); }
    double GetPresentDeadweight() const { return GetDeadweight(m_presentDisplacement); }
    // Computes the block coefficient and stores it.
    double ComputeBlockCoefficient();

    // Run-down before arrival: hours needed to bring the engine from its setting
    // down to manoeuvring revolutions, and the distance run meanwhile at speed v.
    // With no engine setting (0) there is nothing to run down: both are 0.
    double GetReductionTime() const;
    double GetReductionDistance(double speed) const;
};
