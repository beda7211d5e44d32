#pragma once
// The 32-bit DOS file stamp: the DOS time in the low 16 bits (hour << 11 |
// minute << 5 | second / 2), the DOS date in the high 16 bits
// ((year - 1980) << 9 | month << 5 | day). Its resolution is two seconds.
//
// Failure: FileDateToDateTime raises EConvertError for a stamp that is no
// valid date or time (month 0 or 13, 30 February, minute 60, second 60 ...).

#include <cstdint>

#include "platform/rtl/DateTime.h"

TDateTime FileDateToDateTime(std::uint32_t fileDate);
