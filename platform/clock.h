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
