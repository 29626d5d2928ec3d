#pragma once

#include <cstdint>
#include <string>

#include "core/voyage.h"
#include "lists/checklist.h"

class CArchive;

// The own ship: identity, hull, tonnages, drafts, engine and propeller, and
// the ship's checklists. Kept in its own file, shared by all voyages.
class CVessel {
public:
    static constexpr const char* kFileSetting = "vesseldata";
    static constexpr const char* kDefaultReadPath = "vessel.k7s";
    static constexpr const char* kDefaultWritePath = ".\\vessel.k7s";
    static constexpr const char* kFileFilter = "Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||";
    static constexpr const char* kFileExtension = "k7s";
    static constexpr const char* kFileName = "Vessel";
    static constexpr const char* kCantFindMessage =
        "Oops, I can't find your vessel data\nWe load an empty vessel instead..";
    static constexpr const char* kCantSaveMessage = "Sorry, somehow I can't save your vessel data";

    CChecklist m_checklist;

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

    CChecklist& GetChecklist() { return m_checklist; }
    const CChecklist& GetChecklist() const { return m_checklist; }

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
    // Both, for the route's ETAs at the given voyage speed.
    CRunDown GetRunDown(double speed) const { return {GetReductionTime(), GetReductionDistance(speed)}; }

    // The stored fields in file order, the checklist last. The shaft generator
    // flag is not stored.
    void Serialize(CArchive& ar);

    // The vessel file named by the setting "vesseldata". A failed load says so
    // and leaves the vessel exactly as it was; a failed save leaves the old file.
    bool LoadVesselFile();
    bool SaveVesselFile();

    // Writes the vessel to, or reads it from, any vessel file; a failure is
    // reported naming the file and the fault, and changes nothing. An import
    // keeps the shaft generator flag, which lives in memory only.
    bool ExportTo(const std::string& path);
    bool ImportFrom(const std::string& path);
    // The same, with the file chosen by the user; false when cancelled.
    bool ExportVessel();
    bool ImportVessel();

    bool operator==(const CVessel&) const = default;
};
