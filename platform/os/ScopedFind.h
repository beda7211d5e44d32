#pragma once
// One directory enumeration that closes itself: the handle is closed by
// Close() or the destructor, on every way out of the scope, an exception
// included. Not copyable.
//
//   ScopedFind find;
//   WIN32_FIND_DATAA entry;
//   for (bool ok = find.First(dir + "*.*", entry); ok; ok = find.Next(entry)) ...

#include <string>

#include "platform/os/FindFile.h"

class ScopedFind {
public:
    ScopedFind() = default;
    ~ScopedFind() { Close(); }
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;

    // Opens the enumeration of pattern (closing one still open); false when
    // nothing matches or the directory cannot be read.
    bool First(const std::string& pattern, WIN32_FIND_DATAA& entry)
    {
        Close();
        FHandle = FindFirstFileA(pattern.c_str(), &entry);
        return FHandle != INVALID_HANDLE_VALUE;
    }
    bool Next(WIN32_FIND_DATAA& entry) { return IsOpen() && FindNextFileA(FHandle, &entry) != FALSE; }
    bool IsOpen() const { return FHandle != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (IsOpen())
            FindClose(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};
