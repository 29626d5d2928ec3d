#pragma once

#include "core/time.h"

// The source of every "present time" of the system.
class IClock {
public:
    virtual ~IClock() = default;
    virtual CTime Now() const = 0;
    // Offset of the machine's local time from UTC at the given instant, in seconds
    // (daylight saving included), and whether daylight saving is in force then.
    virtual long LocalOffsetSeconds(CTime at) const = 0;
    virtual bool IsDaylightSaving(CTime at) const = 0;
};

// Whether the zone keeps daylight saving at all: in force at some time in the
// year from `at` (a warning given only in summer would miss the winter's change).
inline bool UsesDaylightSaving(const IClock& clock, CTime at) {
    constexpr std::int64_t kMonth = 30LL * 86400;
    for (int month = 0; month < 13; ++month)
        if (clock.IsDaylightSaving(at + month * kMonth)) return true;
    return false;
}
