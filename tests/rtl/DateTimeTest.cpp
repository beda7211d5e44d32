#include "platform/rtl/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileDate.h"

namespace {

TEST(DateTimeTest, EncodeDateCountsDaysFrom1899_12_30)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);   // 2000 is a leap year
    EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);   // 1900 is not
    EXPECT_EQ(EncodeDate(1980, 1, 1), 29221.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
}

TEST(DateTimeTest, DecodeRoundTripsAcrossTheRange)
{
    for (int year : {1, 1601, 1899, 1900, 1980, 2000, 2024, 2107, 9999})
        for (int month : {1, 2, 12})
            for (int day : {1, 28, DaysInMonth(year, month)}) {
                // Before day 0 the time of day counts away from zero.
                const TDateTime date = EncodeDate(year, month, day);
                const TDateTime time = EncodeTime(13, 5, 58, 0);
                int y = 0, m = 0, d = 0;
                DecodeDate(date < 0 ? date - time : date + time, y, m, d);
                EXPECT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
            }
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
    // Milliseconds that round up to midnight carry into the next day.
    int y = 0, m = 0, d = 0;
    DecodeDate(EncodeDate(2024, 12, 31) + 0.9999999999, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20250101);
}

TEST(DateTimeTest, InvalidFieldsAndValuesRaiseEConvertError)
{
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    int a = 0, b = 0, c = 0, d = 0;
    EXPECT_THROW(DecodeDate(std::numeric_limits<double>::quiet_NaN(), a, b, c), EConvertError);
    EXPECT_THROW(DecodeTime(1e300, a, b, c, d), EConvertError);
    EXPECT_THROW(DecodeDate(-1e9, a, b, c), EConvertError);
}

TEST(DateTimeTest, FileDateToDateTimeDecodesDosStamps)
{
    auto stamp = [](int year, int month, int day, int hour, int minute, int second) {
        const std::uint32_t date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
        const std::uint32_t time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
        return date << 16 | time;
    };
    EXPECT_EQ(FileDateToDateTime(stamp(2024, 5, 17, 8, 30, 44)), EncodeDate(2024, 5, 17) + EncodeTime(8, 30, 44, 0));
    EXPECT_EQ(DateTimeToText(FileDateToDateTime(stamp(2107, 12, 31, 23, 59, 58))), "2107-12-31 23:59:58");
    EXPECT_EQ(DateTimeToText(FileDateToDateTime(stamp(1980, 1, 1, 0, 0, 0))), "1980-01-01 00:00:00");
    // Fields the DOS format can hold but no calendar has.
    const std::uint32_t invalid[] = {
        stamp(2024, 0, 1, 0, 0, 0),   stamp(2024, 13, 1, 0, 0, 0), stamp(2023, 2, 29, 0, 0, 0),
        stamp(2024, 1, 0, 0, 0, 0),   stamp(2024, 1, 1, 24, 0, 0), stamp(2024, 1, 1, 0, 60, 0),
        stamp(2024, 1, 1, 0, 0, 60),  stamp(2024, 1, 1, 0, 0, 62),
    };
    for (std::uint32_t s : invalid)
        EXPECT_THROW(FileDateToDateTime(s), EConvertError) << std::hex << s;
}

TEST(DateTimeTest, TextFormat)
{
    EXPECT_EQ(DateTimeToText(EncodeDate(2009, 7, 4) + EncodeTime(9, 3, 2, 0)), "2009-07-04 09:03:02");
    EXPECT_EQ(DateTimeToText(EncodeDate(2009, 7, 4) + EncodeTime(9, 3, 2, 600)), "2009-07-04 09:03:02");
    EXPECT_EQ(DateTimeToText(0), "1899-12-30 00:00:00");
}

}
