#include "platform/os/FileTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "tests/support/ScopedEnv.h"

namespace {

constexpr std::uint64_t Second = 10000000ULL;
// 1970-01-01 as a file time.
constexpr std::uint64_t UnixEpoch = 11644473600ULL * Second;

TEST(FileTimeTest, LocalFileTimeAddsTheCurrentOffset)
{
    const FILETIME utc = UInt64ToFileTime(UnixEpoch + 1000000000ULL * Second);
    FILETIME local {};
    {
        ScopedTimeZone tz("JST-9");
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
        EXPECT_EQ(FileTimeToUInt64(local) - FileTimeToUInt64(utc), 9 * 3600 * Second);
    }
    {
        ScopedTimeZone tz("EST5");
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
        EXPECT_EQ(FileTimeToUInt64(utc) - FileTimeToUInt64(local), 5 * 3600 * Second);
        // Too early to move back five hours.
        const FILETIME zero {0, 0};
        EXPECT_FALSE(FileTimeToLocalFileTime(&zero, &local));
    }
    EXPECT_FALSE(FileTimeToLocalFileTime(nullptr, &local));
}

TEST(FileTimeTest, DosDateTimeHoldsOnly1980To2107AtTwoSeconds)
{
    auto at = [](int y, int mo, int d, int h, int mi, int s) {
        std::tm tm {};
        tm.tm_year = y - 1900;
        tm.tm_mon = mo - 1;
        tm.tm_mday = d;
        tm.tm_hour = h;
        tm.tm_min = mi;
        tm.tm_sec = s;
        return UInt64ToFileTime(static_cast<std::uint64_t>(timegm(&tm) + 11644473600LL) * Second + 9999999);
    };
    WORD date = 0, time = 0;
    FILETIME t = at(2024, 5, 17, 8, 30, 45);
    ASSERT_TRUE(FileTimeToDosDateTime(&t, &date, &time));
    EXPECT_EQ(date, ((2024 - 1980) << 9) | (5 << 5) | 17);
    EXPECT_EQ(time, (8 << 11) | (30 << 5) | 22);   // 45 s -> 44 s
    t = at(1980, 1, 1, 0, 0, 0);
    ASSERT_TRUE(FileTimeToDosDateTime(&t, &date, &time));
    EXPECT_EQ(date, (1 << 5) | 1);
    EXPECT_EQ(time, 0);
    t = at(2107, 12, 31, 23, 59, 59);
    EXPECT_TRUE(FileTimeToDosDateTime(&t, &date, &time));
    t = at(1979, 12, 31, 23, 59, 59);
    EXPECT_FALSE(FileTimeToDosDateTime(&t, &date, &time));
    t = at(2108, 1, 1, 0, 0, 0);
    EXPECT_FALSE(FileTimeToDosDateTime(&t, &date, &time));
    const FILETIME zero {0, 0}, last {0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_FALSE(FileTimeToDosDateTime(&zero, &date, &time));
    EXPECT_FALSE(FileTimeToDosDateTime(&last, &date, &time));
}

}
