#pragma once
// File-time conversions.
//
// FileTimeToLocalFileTime adds the system's current local-time offset (the
// offset in force now, daylight saving included, not the one at the file's
// date): FALSE when the result would leave the 64-bit range.
// FileTimeToDosDateTime splits a (local) file time into the DOS date
// ((year - 1980) << 9 | month << 5 | day) and time (hour << 11 | minute << 5
// | second / 2): FALSE outside the years 1980 to 2107, which the format
// cannot hold. Null arguments give FALSE.

#include "platform/os/WinTypes.h"

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime);
BOOL FileTimeToDosDateTime(const FILETIME* fileTime, WORD* fatDate, WORD* fatTime);
