#include "platform/os/FileTime.h"

#include <ctime>

#include "platform/rtl/DateTime.h"

namespace {

constexpr std::uint64_t TicksPerSecond = 10000000ULL;
constexpr std::uint64_t TicksPerDay = TicksPerSecond * 86400;
// Days from 1601-01-01 to 1899-12-30 (day 0 of TDateTime).
constexpr std::int64_t DaysTo1899 = 109205;

long CurrentLocalOffsetSeconds()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!localtime_r(&now, &local))
        return 0;
    return local.tm_gmtoff;
}

}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime)
{
    if (!fileTime || !localFileTime)
        return FALSE;
    const std::uint64_t utc = FileTimeToUInt64(*fileTime);
    const long offset = CurrentLocalOffsetSeconds();
    const std::uint64_t delta = static_cast<std::uint64_t>(offset < 0 ? -offset : offset) * TicksPerSecond;
    std::uint64_t local = 0;
    if (offset >= 0) {
        if (utc > UINT64_MAX - delta)
            return FALSE;
        local = utc + delta;
    } else {
        if (utc < delta)
            return FALSE;
        local = utc - delta;
    }
    *localFileTime = UInt64ToFileTime(local);
    return TRUE;
}

BOOL FileTimeToDosDateTime(const FILETIME* fileTime, WORD* fatDate, WORD* fatTime)
{
    if (!fileTime || !fatDate || !fatTime)
        return FALSE;
    const std::uint64_t ticks = FileTimeToUInt64(*fileTime);
    const auto days = static_cast<std::int64_t>(ticks / TicksPerDay);
    const std::uint64_t secondOfDay = ticks % TicksPerDay / TicksPerSecond;
    int year = 0, month = 0, day = 0;
    // Far beyond 2107 the calendar decoding would be out of its range.
    if (days - DaysTo1899 > 2958465)
        return FALSE;
    DecodeDate(static_cast<double>(days - DaysTo1899), year, month, day);
    if (year < 1980 || year > 2107)
        return FALSE;
    *fatDate = static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
    *fatTime = static_cast<WORD>(((secondOfDay / 3600) << 11) | ((secondOfDay / 60 % 60) << 5) | (secondOfDay % 60 / 2));
    return TRUE;
}
