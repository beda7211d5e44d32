#pragma once
// File times of calendar moments, for tests of time conversion.

#include <cstdint>
#include <ctime>

#include "platform/os/WinTypes.h"

inline constexpr std::uint64_t FileTimeTicksPerSecond = 10000000ULL;   // 100-ns ticks

// The file time of a UTC calendar moment, plus extraTicks.
inline FILETIME UtcFileTime(int y, int mo, int d, int h, int mi, int s, std::uint64_t extraTicks = 0)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    return UInt64ToFileTime(static_cast<std::uint64_t>(timegm(&tm) + 11644473600LL) * FileTimeTicksPerSecond +
                            extraTicks);
}
