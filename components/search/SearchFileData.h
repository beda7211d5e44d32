#pragma once
// TSearchFileData: what the search components tell about one directory
// entry, filled from one WIN32_FIND_DATAA by FillSearchFileData. A plain
// value: copying it copies its strings.
//
// Times are local time at the DOS stamp's two-second resolution (seconds are
// always even, milliseconds zero). A time means something only while its
// Valid flag is True: a zero file time (the file system reports none, as for
// a missing birth time) or one outside the years 1980..2107 leaves the flag
// False and the time field untouched by the fill.
//
// Failure: a time that cannot be converted only clears its flag; any other
// exception (out of memory) passes to the caller.

#include <cstdint>
#include <string>

#include "platform/os/WinTypes.h"
#include "platform/rtl/DateTime.h"

struct TSearchFileData {
    std::string FileName;    // long name, no directory part
    std::string ShortName;   // 8.3 alternate name, or the long name when there is none
    std::int64_t Size = 0;
    bool CreationTimeValid = false;
    TDateTime CreationTime = 0;
    bool LastWriteTimeValid = false;
    TDateTime LastWriteTime = 0;
    bool LastAccessTimeValid = false;
    TDateTime LastAccessTime = 0;
    bool IsDirectory = false;
    bool IsReadOnly = false;
    bool IsHidden = false;
    bool IsSystem = false;
    bool IsArchive = false;
};

void FillSearchFileData(const WIN32_FIND_DATAA& entry, TSearchFileData& data);

// A UTC file time as a local TDateTime; False (dateTime untouched) when it
// cannot be converted.
bool FileTimeToDateTime(const FILETIME& fileTime, TDateTime& dateTime);
