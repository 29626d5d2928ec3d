#include "particulars/vessel.h"

namespace {
constexpr double kMinutesToHours = 0.016666666666666666;
}

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
