#include "platform/plain_clock.h"

#include <chrono>
#include <ctime>

CTime CSystemClock::Now() const {
    using namespace std::chrono;
    return CTime(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

long CSystemClock::LocalOffsetSeconds(CTime at) const {
    tzset();
    const std::time_t t = static_cast<std::time_t>(at.GetTime());
    std::tm local{};
    if (!localtime_r(&t, &local)) return 0;
    return local.tm_gmtoff;
}

bool CSystemClock::IsDaylightSaving(CTime at) const {
    tzset();
    const std::time_t t = static_cast<std::time_t>(at.GetTime());
    std::tm local{};
    if (!localtime_r(&t, &local)) return false;
    return local.tm_isdst > 0;
}
