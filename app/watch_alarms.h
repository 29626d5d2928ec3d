#pragma once

#include <cstdint>

class CKeelmarkLiteDoc;

// The watch alarms: message boxes (and log entries) when a waypoint is near or
// passed, the engine must come down for arrival, the ship is off course, the
// position is old or the ship is too slow, and the automatic near-stop at the
// destination. Run after every dashboard refresh; the minute checks act on the
// first refresh of each new local minute, the hourly checks on the first of each
// new local hour, so that a refresh timer that never falls on second 0 still
// warns the watch.
class CWatchAlarms {
public:
    // The watch starts at the first check: the hourly checks wait for the next
    // new local hour after it.
    void Check(CKeelmarkLiteDoc& doc);

private:
    static constexpr std::int64_t kNotStarted = INT64_MIN;
    std::int64_t m_lastMinute = kNotStarted;
    std::int64_t m_lastHour = kNotStarted;
};
