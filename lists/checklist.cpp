#include "lists/checklist.h"

#include <cmath>
#include <utility>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/event_log.h"
#include "platform/services.h"

namespace {

// status, validity, kind (4 bytes each), an empty text (1), a time (4).
constexpr std::size_t kLeastItemBytes = 17;
constexpr std::int64_t kSecondsPerHour = 3600;
// Days since departure beyond which pre-departure items no longer apply, and
// hours to go beyond which the arrival items do not apply yet.
constexpr std::int64_t kPreDepartureDays = 1;
constexpr std::int64_t kPreArrivalHours = 12;
constexpr std::int64_t kPostArrivalHours = 1;

// A ticked item with a validity opens again once that many hours have passed.
// The dialog asks for hours, so hours it is: counting whole days instead would
// keep a "valid for 4 hours" item done for days.
bool ValidityRunOut(const CChecklistItem& item, CTime now) {
    if (item.m_validity <= 0) return false;
    return now - item.m_time > static_cast<std::int64_t>(item.m_validity) * kSecondsPerHour;
}

void SerializeItem(CArchive& ar, CChecklistItem& item) {
    ar.BeginItem();
    ar.Long("status", item.m_status);
    ar.Long("validity", item.m_validity);
    ar.Long("kind", item.m_kind);
    ar.String("text", item.m_text);
    ar.Time("time", item.m_time);
    ar.EndItem();
}

} // namespace

void CChecklist::AddItem(std::int32_t status, std::int32_t validity, std::int32_t kind, const std::string& text,
                         CTime time) {
    m_items.push_back({text, kind, validity, status, time});
}

bool CChecklist::RemoveAt(int index) {
    if (!HasItem(index)) return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

std::string CChecklist::GetItem(int index, std::int32_t& status, std::int32_t& validity, std::int32_t& kind,
                                CTime& time) const {
    if (!HasItem(index)) return kInvalidText;
    const CChecklistItem& item = m_items[static_cast<std::size_t>(index)];
    status = item.m_status;
    validity = item.m_validity;
    kind = item.m_kind;
    time = item.m_time;
    return item.m_text;
}

std::string CChecklist::GetText(int index) const {
    return HasItem(index) ? m_items[static_cast<std::size_t>(index)].m_text : std::string(kInvalidText);
}

std::int32_t CChecklist::GetStatus(int index) const {
    return HasItem(index) ? m_items[static_cast<std::size_t>(index)].m_status : kInvalidStatus;
}

bool CChecklist::CheckItem(int index) {
    if (!HasItem(index)) return false;
    CChecklistItem& item = m_items[static_cast<std::size_t>(index)];
    if (item.m_status != kOpen) return false;
    item.m_status = kDone;
    item.m_time = services::Now();
    CEventLog().Write(item.m_text);
    return true;
}

bool CChecklist::UpdateItem(int index, std::int32_t validity, std::int32_t kind, const std::string& text, CTime time) {
    if (!HasItem(index)) return false;
    CChecklistItem& item = m_items[static_cast<std::size_t>(index)];
    item.m_validity = validity;
    item.m_kind = kind;
    item.m_text = text;
    item.m_time = time;
    return true;
}

void CChecklist::ResetAll() {
    for (CChecklistItem& item : m_items)
        item.m_status = kOpen;
}

void CChecklist::UpdateStatus(std::int64_t daysSinceDeparture, std::optional<std::int64_t> hoursToGo) {
    const CTime now = services::Now();
    for (CChecklistItem& item : m_items) {
        if (item.m_status == kNotApplicable) item.m_status = kOpen;
        if (ValidityRunOut(item, now)) item.m_status = kOpen;
        // Whatever the status: a done item set aside here comes back open once
        // the stage no longer sets it aside.
        bool setAside = false;
        switch (item.m_kind) {
        case kPreDeparture:
            setAside = daysSinceDeparture > kPreDepartureDays;
            break;
        case kPreArrival:
            setAside = hoursToGo && *hoursToGo > kPreArrivalHours;
            break;
        case kPostArrival:
            setAside = hoursToGo && *hoursToGo > kPostArrivalHours;
            break;
        default:
            break;
        }
        if (setAside) item.m_status = kNotApplicable;
    }
}

std::int64_t CChecklist::WholeDaysSince(CTime start, CTime now) {
    return static_cast<std::int64_t>(std::trunc(CConversion::DayNumber(now) - CConversion::DayNumber(start)));
}

std::optional<std::int64_t> CChecklist::WholeHoursToGo(double remainingDistance, double speed) {
    if (speed == 0.0) return std::nullopt;
    const double hours = std::trunc(remainingDistance / speed);
    // Beyond any voyage, and out of reach of a safe conversion.
    constexpr double kLimit = 1e15;
    if (!std::isfinite(hours) || std::fabs(hours) > kLimit) return std::nullopt;
    return static_cast<std::int64_t>(hours);
}

bool CChecklist::RequireSelection(int index) const {
    if (HasItem(index)) return true;
    services::Prompts().Show(kSelectItemFirst);
    return false;
}

bool CChecklist::CheckSelected(int index) {
    if (!RequireSelection(index)) return false;
    return CheckItem(index);
}

bool CChecklist::DeleteSelected(int index) {
    if (!RequireSelection(index)) return false;
    return RemoveAt(index);
}

bool CChecklist::ConfirmResetAll() {
    if (services::Prompts().Show(kResetAllQuestion, PromptIcon::None, PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    ResetAll();
    return true;
}

void CChecklist::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.BeginList("checklist", m_items.size(), CountType::LongNoneBelowOne, kLeastItemBytes);
        for (CChecklistItem& item : m_items)
            SerializeItem(ar, item);
        ar.EndList();
        return;
    }
    const std::size_t count = ar.BeginList("checklist", 0, CountType::LongNoneBelowOne, kLeastItemBytes);
    std::vector<CChecklistItem> items;
    items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        CChecklistItem item;
        SerializeItem(ar, item);
        items.push_back(std::move(item));
    }
    ar.EndList();
    m_items.swap(items);
}
