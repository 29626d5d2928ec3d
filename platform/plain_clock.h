#pragma once

#include "platform/clock.h"

// The machine's clock, with the C library's local time zone.
class CSystemClock : public IClock {
public:
    CTime Now() const override;
    long LocalOffsetSeconds(CTime at) const override;
    bool IsDaylightSaving(CTime at) const override;
};
