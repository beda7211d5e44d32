#include "platform/rtl/DateTime.h"

#include <cmath>

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

// Days from 0001-01-01 to 1899-12-30.
constexpr std::int64_t DateDelta = 693593;

// Civil date <-> day number of the proleptic Gregorian calendar, counted from
// 0001-01-01 (day 0), by 400-year eras.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = y / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 306;   // 306: 0000-03-01 .. 0001-01-01
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 306;
    const std::int64_t era = z / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// Splits value into its day (relative to day 0) and milliseconds of that day.
void SplitValue(TDateTime value, std::int64_t& days, std::int64_t& msecs)
{
    // 1 .. 9999 is -693593 .. 2958465 days; anything outside cannot
    // be decoded (and would overflow the conversion to integers).
    if (!std::isfinite(value) || value <= -693594.0 || value >= 2958466.0)
        throw EConvertError(SInvalidDateTimeValue);
    const double whole = std::trunc(value);
    days = static_cast<std::int64_t>(whole);
    msecs = std::llround(std::fabs(value - whole) * static_cast<double>(MSecsPerDay));
    if (msecs >= MSecsPerDay) {
        msecs -= MSecsPerDay;
        ++days;
    }
}

}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError(Format(SDateEncodeError, {std::int64_t{year}, std::int64_t{month}, std::int64_t{day}}));
    return static_cast<double>(DaysFromCivil(year, month, day) - DateDelta);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError(Format(STimeEncodeError, {std::int64_t{hour}, std::int64_t{minute}, std::int64_t{second},
                                                      std::int64_t{millisecond}}));
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    std::int64_t days = 0;
    std::int64_t msecs = 0;
    SplitValue(value, days, msecs);
    CivilFromDays(days + DateDelta, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    std::int64_t days = 0;
    std::int64_t msecs = 0;
    SplitValue(value, days, msecs);
    millisecond = static_cast<int>(msecs % 1000);
    second = static_cast<int>(msecs / 1000 % 60);
    minute = static_cast<int>(msecs / 60000 % 60);
    hour = static_cast<int>(msecs / 3600000);
}
