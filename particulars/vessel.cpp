#include "particulars/vessel.h"

#include <utility>

#include "core/archive.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/text_encoding.h"
#include "platform/services.h"

namespace {
constexpr double kMinutesToHours = 0.016666666666666666;

FileChoiceRequest VesselFileRequest() {
    return FileChoiceRequest{CVessel::kFileFilter, CVessel::kFileExtension, CVessel::kFileName, {}};
}

} // namespace

double CVessel::ComputeBlockCoefficient() {
    m_blockCoefficient = m_summerDisplacement / (m_lengthBetweenPerpendiculars * m_breadth * m_maximumDraft);
    return m_blockCoefficient;
}

double CVessel::GetReductionTime() const {
    if (m_engineSetting == 0) return 0.0;
    return (m_engineSetting - m_manoeuvringRpm) * m_minutesPerRpm * kMinutesToHours;
}

double CVessel::GetReductionDistance(double speed) const {
    if (m_engineSetting == 0) return 0.0;
    const double ratio = static_cast<double>(m_manoeuvringRpm) / static_cast<double>(m_engineSetting);
    return GetReductionTime() * (speed * ratio + speed) * 0.5;
}

void CVessel::Serialize(CArchive& ar) {
    ar.Long("propellerType", m_propellerType);
    ar.String("yardNumber", m_yardNumber);
    ar.Double("propellerDiameter", m_propellerDiameter);
    ar.Double("propellerPitch", m_propellerPitch);
    ar.Double("seaSpeedPower", m_seaSpeedPower);
    ar.Double("manoeuvringPower", m_manoeuvringPower);
    ar.Long("seaSpeedRpm", m_seaSpeedRpm);
    ar.Long("manoeuvringRpm", m_manoeuvringRpm);
    ar.Double("draftCenter", m_draftCenter);
    ar.String("launching", m_launching);
    ar.String("keelLaying", m_keelLaying);
    ar.String("spareText", m_spareText);
    ar.String("portOfRegistry", m_portOfRegistry);
    ar.Double("mastHeight", m_mastHeight);
    ar.Double("eyeHeight", m_eyeHeight);
    ar.Double("panamaNett", m_panamaNett);
    ar.Double("panamaGross", m_panamaGross);
    ar.Double("suezNett", m_suezNett);
    ar.Double("suezGross", m_suezGross);
    ar.Double("internationalNett", m_internationalNett);
    ar.Double("internationalGross", m_internationalGross);
    ar.Double("summerDeadweight", m_summerDeadweight);
    ar.Double("summerDisplacement", m_summerDisplacement);
    ar.Double("maximumDraft", m_maximumDraft);
    ar.String("internationalNumber", m_internationalNumber);
    ar.String("callSign", m_callSign);
    ar.Double("blockCoefficient", m_blockCoefficient);
    ar.Long("spareNumber", m_spareNumber);
    ar.Long("numberOfEngines", m_numberOfEngines);
    ar.Double("presentGM", m_presentGM);
    ar.Double("draftForward", m_draftForward);
    ar.Double("draftAft", m_draftAft);
    ar.Double("presentDisplacement", m_presentDisplacement);
    ar.Double("breadth", m_breadth);
    ar.Double("lengthOverAll", m_lengthOverAll);
    ar.Double("lengthBetweenPerpendiculars", m_lengthBetweenPerpendiculars);
    ar.String("master", m_master);
    ar.String("charterer", m_charterer);
    ar.String("owner", m_owner);
    ar.String("name", m_name);
    ar.Double("minutesPerRpm", m_minutesPerRpm);
    ar.Long("engineSetting", m_engineSetting);
    ar.Long("courseSetting", m_courseSetting);
    m_checklist.Serialize(ar);
}

bool CVessel::LoadVesselFile() {
    const std::string path = services::GetString(kFileSetting, kDefaultReadPath);
    CVessel fresh;
    std::string error;
    switch (LoadRecordFile(path, fresh, error)) {
    case LoadResult::Loaded:
        break;
    case LoadResult::Unreadable:
        services::Prompts().Show(kCantFindMessage);
        return false;
    case LoadResult::Damaged: {
        // The next voyage save writes the vessel file: keep the damaged one for repair.
        const std::string copy = KeepDamagedCopy(path);
        services::Prompts().Show("Oops, I can't read your vessel data\n" + error +
                                 "\nThe vessel keeps the data it had." +
                                 (copy.empty() ? "" : "\nThe damaged file is kept as " + EscapeControls(copy)));
        return false;
    }
    }
    fresh.m_shaftGenerator = m_shaftGenerator;
    *this = std::move(fresh);
    return true;
}

bool CVessel::SaveVesselFile() {
    const std::string path = services::GetString(kFileSetting, kDefaultWritePath);
    std::string error;
    if (SaveRecordFile(path, *this, error)) return true;
    services::Prompts().Show(kCantSaveMessage);
    return false;
}

bool CVessel::ExportTo(const std::string& path) {
    std::string error;
    if (SaveRecordFile(path, *this, error)) return true;
    services::Prompts().Show(error, PromptIcon::Warning);
    return false;
}

bool CVessel::ImportFrom(const std::string& path) {
    CVessel fresh;
    std::string error;
    if (LoadRecordFile(path, fresh, error) != LoadResult::Loaded) {
        services::Prompts().Show(error, PromptIcon::Warning);
        return false;
    }
    fresh.m_shaftGenerator = m_shaftGenerator;
    *this = std::move(fresh);
    return true;
}

bool CVessel::ExportVessel() {
    const auto path = services::Files().ChooseSave(VesselFileRequest());
    return path && ExportTo(*path);
}

bool CVessel::ImportVessel() {
    const auto path = services::Files().ChooseOpen(VesselFileRequest());
    return path && ImportFrom(*path);
}
