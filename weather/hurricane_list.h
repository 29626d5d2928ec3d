#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/position.h"

class CArchive;

inline constexpr const char* kHurricaneSettingKey = "hurri";
inline constexpr const char* kHurricaneDefaultPath = ".\\hurricane.dat";
inline constexpr const char* kHurricaneLoadFailedText =
    "Sorry, can't find the hurricane data\nWe have to do without it..";
inline constexpr const char* kHurricaneSaveFailedText =
    "Ooh No!, not again!\nI can't save the hurricane data to disk...\nWe just blew it..";
inline constexpr const char* kHurricaneNoSuchNumberText = "requested number does not exist";
inline constexpr const char* kHurricaneNoSelectionText = "Oops....didn't you forget to select something?";
inline constexpr const char* kHurricaneLogText = "Hurricane data updated";

// The tropical cyclones being tracked, each one moving position: name, centre at
// a time stamp, course and speed of movement, and in the position's weather
// fields its centre pressure (minimum pressure), radius (wind direction at
// maximum), maximum wind and pressure tendency index (extra value).
// Kept in its own file, shared by every voyage.
class CHurricaneList {
public:
    CHurricaneList() = default;
    CHurricaneList(CHurricaneList&&) = default;
    CHurricaneList& operator=(CHurricaneList&&) = default;

    // Replaces the list with the file named by the "hurri" setting. A missing,
    // unreadable or damaged file is reported and leaves the list as it was.
    bool Load();
    // Writes the list to that file atomically; a failure is reported and the
    // previous file is kept.
    bool Save();
    // The file body: a LONG count, then the positions.
    void Serialize(CArchive& ar);

    int GetCount() const { return static_cast<int>(m_cyclones.size()); }
    // Appends a default position (named "New Position", time stamp now, at 0/0).
    CPosition* AddNew();
    // The cyclone at the index; for an index that does not exist, says so and gives none.
    CPosition* GetAt(int index);
    // The cyclone of the selected row; with no selection (-1) asks for one and gives none.
    CPosition* GetSelected(int row);
    // Removes the cyclone; an index that does not exist does nothing.
    void RemoveAt(int index);
    void RemoveAll() { m_cyclones.clear(); }
    // Asks "Delete NAME \nAre you Sure?" and removes the selected cyclone on Yes.
    bool AskRemoveAt(int row);
    // Dead-reckons every cyclone from its time stamp to the present time, for good.
    void MoveAllToNow();

    // The fault behind the last failed Load or Save, naming the file.
    const std::string& LastError() const { return m_lastError; }

private:
    std::vector<std::unique_ptr<CPosition>> m_cyclones;
    std::string m_lastError;
};

// Pressure tendency of a cyclone, a sorted list: the index is the place in this order.
std::span<const char* const> HurricaneTendencyList();

// The three views of the hurricane list and their columns.
enum HurricaneView : int { kHurricanePositions = 0, kHurricaneDistanceAndBearing = 1, kHurricaneCourseAndSpeed = 2 };
std::array<std::string, 4> HurricaneColumnTitles(int view);
// One row: the name, then the view's three figures; distance and bearing are
// taken by great circle from the ship's present position to the centre.
std::array<std::string, 4> HurricaneRowTexts(const CPosition& cyclone, const CPosition& present, int view);
// Row icon: 0 hurricane, 1 storm (the cyclone's kind).
int HurricaneIcon(const CPosition& cyclone);
