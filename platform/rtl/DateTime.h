#pragma once
// TDateTime: days since 30 December 1899 (day 0) as a double; the fraction
// is the time of day. Dates are proleptic Gregorian, years 1 to 9999. As in
// the class library, a negative value's fraction counts forward from the
// start of its day (-1.25 is 29 December 1899, 06:00).
//
// Failure: EncodeDate / EncodeTime raise EConvertError for fields out of
// range; DecodeDate / DecodeTime raise EConvertError for a value that is not
// finite or lies outside years 1..9999 (never undefined arithmetic).
// Decoding rounds to the nearest millisecond.

#include <cstdint>

using TDateTime = double;

inline constexpr std::int64_t MSecsPerDay = 24LL * 60 * 60 * 1000;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);   // 0 for a month outside 1..12

TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
