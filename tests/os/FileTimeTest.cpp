#include "platform/os/FileTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "tests/support/ScopedEnv.h"
#include "tests/support/UtcFileTime.h"

namespace {

constexpr std::uint64_t Second = FileTimeTicksPerSecond;
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
    WORD date = 0, time = 0;
    FILETIME t = UtcFileTime(2024, 5, 17, 8, 30, 45, 9999999);
    ASSERT_TRUE(FileTimeToDosDateTime(&t, &date, &time));
    EXPECT_EQ(date, ((2024 - 1980) << 9) | (5 << 5) | 17);
    EXPECT_EQ(time, (8 << 11) | (30 << 5) | 22);   // 45 s -> 44 s
    t = UtcFileTime(1980, 1, 1, 0, 0, 0, 9999999);
    ASSERT_TRUE(FileTimeToDosDateTime(&t, &date, &time));
    EXPECT_EQ(date, (1 << 5) | 1);
    EXPECT_EQ(time, 0);
    t = UtcFileTime(2107, 12, 31, 23, 59, 59, 9999999);
    EXPECT_TRUE(FileTimeToDosDateTime(&t, &date, &time));
    t = UtcFileTime(1979, 12, 31, 23, 59, 59, 9999999);
    EXPECT_FALSE(FileTimeToDosDateTime(&t, &date, &time));
    t = UtcFileTime(2108, 1, 1, 0, 0, 0, 9999999);
    EXPECT_FALSE(FileTimeToDosDateTime(&t, &date, &time));
    const FILETIME zero {0, 0}, last {0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_FALSE(FileTimeToDosDateTime(&zero, &date, &time));
    EXPECT_FALSE(FileTimeToDosDateTime(&last, &date, &time));
}

}
