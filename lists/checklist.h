#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/time.h"

class CArchive;

// One line of the ship's checklists.
struct CChecklistItem {
    std::string m_text;
    std::int32_t m_kind = -1;    // CChecklist::Kind, -1 when none was chosen
    std::int32_t m_validity = 0; // hours a ticked item stays done; 0 for good
    std::int32_t m_status = 0;   // CChecklist::Status
    CTime m_time;                // last ticked, created or edited

    bool operator==(const CChecklistItem&) const = default;
};

// The ship's checklists: one list of items, each belonging to the pre-departure,
// post-departure, pre-arrival or post-arrival list. An index is the zero-based
// place in insertion order.
class CChecklist {
public:
    enum Kind : std::int32_t { kNoKind = -1, kPreDeparture = 0, kPostDeparture = 1, kPreArrival = 2, kPostArrival = 3 };
    enum Status : std::int32_t { kOpen = 0, kDone = 1, kNotApplicable = 2 };

    static constexpr const char* kInvalidText = "Invalid";
    static constexpr std::int32_t kInvalidStatus = 9;
    static constexpr const char* kSelectItemFirst = "Please select item first!";
    static constexpr const char* kResetAllQuestion = "Reset all checklist items?\nAre you sure?";

    void AddItem(std::int32_t status, std::int32_t validity, std::int32_t kind, const std::string& text, CTime time);
    // False when there is no such item.
    bool RemoveAt(int index);
    // The text, with the other fields through the out-parameters; for an index
    // that does not exist "Invalid", and the out-parameters stay untouched.
    std::string GetItem(int index, std::int32_t& status, std::int32_t& validity, std::int32_t& kind, CTime& time) const;
    std::string GetText(int index) const;
    // The status, or 9 for an index that does not exist.
    std::int32_t GetStatus(int index) const;
    // Marks an open item done as of now and writes its text to the event log. An
    // item already done or not applicable is left alone. True when the item was ticked.
    bool CheckItem(int index);
    // Replaces validity, kind, text and time; the status stays. False when there is no such item.
    bool UpdateItem(int index, std::int32_t validity, std::int32_t kind, const std::string& text, CTime time);
    void ResetAll();

    // Recomputes every status for the stage of the voyage: whole days since
    // departure and whole hours to go (none when the ship is stopped, so no
    // arrival item is set aside). Ticked items whose validity has run out
    // by the clock's present time open again.
    void UpdateStatus(std::int64_t daysSinceDeparture, std::optional<std::int64_t> hoursToGo);

    // The two stage figures, cut toward zero: days between the day numbers of
    // the voyage's start and now; the remaining distance over the present speed
    // (nothing when the speed is 0 or the figure is not finite).
    static std::int64_t WholeDaysSince(CTime start, CTime now);
    static std::optional<std::int64_t> WholeHoursToGo(double remainingDistance, double speed);

    // The checklist window's actions on the selected row (-1 for none). Each
    // says "Please select item first!" when no item is selected.
    bool RequireSelection(int index) const;
    bool CheckSelected(int index);
    bool DeleteSelected(int index);
    // Asks before resetting every item; true when they were reset.
    bool ConfirmResetAll();

    int GetCount() const { return static_cast<int>(m_items.size()); }
    bool HasItem(int index) const { return index >= 0 && index < GetCount(); }
    const std::vector<CChecklistItem>& GetItems() const { return m_items; }

    // The count (32-bit), then per item: status, validity, kind, text, time.
    // A load replaces the items only once the whole list has been read.
    void Serialize(CArchive& ar);

    bool operator==(const CChecklist&) const = default;

private:
    std::vector<CChecklistItem> m_items;
};
