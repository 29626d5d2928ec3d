#include "weather/hurricane_list.h"

#include "core/archive.h"
#include "core/conversion.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/text_encoding.h"
#include "platform/services.h"

namespace {

constexpr std::array<const char*, 3> kTendencyList = {"Constant", "Deepening", "Rising"};

std::string HurricanePath() { return services::GetString(kHurricaneSettingKey, kHurricaneDefaultPath); }

} // namespace

bool CHurricaneList::Load() {
    const std::string path = HurricanePath();
    // Read into a fresh list, so a damaged file leaves this one untouched.
    CHurricaneList fresh;
    switch (LoadRecordFile(path, fresh, m_lastError)) {
    case LoadResult::Loaded:
        break;
    case LoadResult::Unreadable:
        services::Prompts().Show(kHurricaneLoadFailedText);
        return false;
    case LoadResult::Damaged: {
        // The next voyage save writes the cyclone file: keep the damaged one for repair.
        const std::string copy = KeepDamagedCopy(path);
        services::Prompts().Show("Sorry, can't read the hurricane data\n" + m_lastError +
                                 (copy.empty() ? "" : "\nThe damaged file is kept as " + EscapeControls(copy)) +
                                 "\nWe have to do without it..");
        return false;
    }
    }
    m_cyclones.swap(fresh.m_cyclones);
    m_lastError.clear();
    return true;
}

bool CHurricaneList::Save() {
    if (!SaveRecordFile(HurricanePath(), *this, m_lastError)) {
        services::Prompts().Show(kHurricaneSaveFailedText);
        return false;
    }
    m_lastError.clear();
    return true;
}

void CHurricaneList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.BeginList("cyclones", m_cyclones.size(), CountType::LongNoneBelowOne, CPosition::kStoredSizeWithoutName);
        for (const auto& cyclone : m_cyclones) {
            ar.BeginItem();
            cyclone->Serialize(ar);
            ar.EndItem();
        }
        ar.EndList();
        return;
    }
    // The count is checked against the bytes left before anything is allocated.
    const std::size_t count =
        ar.BeginList("cyclones", 0, CountType::LongNoneBelowOne, CPosition::kStoredSizeWithoutName);
    std::vector<std::unique_ptr<CPosition>> loaded;
    loaded.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto cyclone = std::make_unique<CPosition>();
        ar.BeginItem();
        cyclone->Serialize(ar);
        ar.EndItem();
        loaded.push_back(std::move(cyclone));
    }
    ar.EndList();
    m_cyclones.swap(loaded);
}

CPosition* CHurricaneList::AddNew() {
    // A new cyclone is dated now; it stands at 0/0 until its position is entered.
    m_cyclones.push_back(std::make_unique<CPosition>(0.0, 0.0, services::Now()));
    return m_cyclones.back().get();
}

CPosition* CHurricaneList::GetAt(int index) {
    if (index < 0 || index >= GetCount()) {
        services::Prompts().Show(kHurricaneNoSuchNumberText);
        return nullptr;
    }
    return m_cyclones[static_cast<std::size_t>(index)].get();
}

CPosition* CHurricaneList::GetSelected(int row) {
    if (row < 0) {
        services::Prompts().Show(kHurricaneNoSelectionText);
        return nullptr;
    }
    return GetAt(row);
}

void CHurricaneList::RemoveAt(int index) {
    if (index < 0 || index >= GetCount()) return;
    m_cyclones.erase(m_cyclones.begin() + index);
}

bool CHurricaneList::AskRemoveAt(int row) {
    const CPosition* cyclone = GetSelected(row);
    if (!cyclone) return false;
    if (services::Prompts().Show("Delete " + cyclone->GetName() + " \nAre you Sure?", PromptIcon::Question,
                                 PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    RemoveAt(row);
    return true;
}

void CHurricaneList::MoveAllToNow() {
    const CTime now = services::Now();
    for (const auto& cyclone : m_cyclones)
        cyclone->DeadReckonTo(now);
}

std::span<const char* const> HurricaneTendencyList() { return kTendencyList; }

std::array<std::string, 4> HurricaneColumnTitles(int view) {
    switch (view) {
    case kHurricaneDistanceAndBearing:
        return {"Name", "Distance", "Direction", "Radius"};
    case kHurricaneCourseAndSpeed:
        return {"Name", "Course", "Speed", "Windspeed"};
    default:
        return {"Name", "Latitude", "Longitude", "Pressure"};
    }
}

std::array<std::string, 4> HurricaneRowTexts(const CPosition& cyclone, const CPosition& present, int view) {
    using C = CConversion;
    switch (view) {
    case kHurricaneDistanceAndBearing: {
        const double lat = cyclone.GetLatitude();
        const double lon = cyclone.GetLongitude();
        return {cyclone.GetName(), C::FixedText(present.DistanceTo(lat, lon, CPosition::kGreatCircle)),
                C::FixedText(present.CourseTo(lat, lon, CPosition::kGreatCircle)),
                C::FixedText(cyclone.GetWindDirectionAtMaximum())};
    }
    case kHurricaneCourseAndSpeed:
        return {cyclone.GetName(), C::FixedText(cyclone.GetCourse()), C::FixedText(cyclone.GetSpeed()),
                C::FixedText(cyclone.GetMaximumWindSpeed())};
    default:
        return {cyclone.GetName(), cyclone.GetLatitudeText(), cyclone.GetLongitudeText(),
                C::FixedText(cyclone.GetMinimumPressure())};
    }
}

int HurricaneIcon(const CPosition& cyclone) { return cyclone.GetKind() == 0 ? 0 : 1; }
