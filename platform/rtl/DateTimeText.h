#pragma once
// A date-time as "YYYY-MM-DD hh:mm:ss" (24-hour clock, milliseconds rounded
// off as the decoding does). Raises EConvertError for a value DecodeDate
// cannot decode.

#include <string>

#include "platform/rtl/DateTime.h"

std::string DateTimeToText(TDateTime value);
