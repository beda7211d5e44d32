#pragma once
// The Win32 types, constants and the directory-entry record that the file
// calls of this folder use. Linux-only additions stand after the standard
// fields of WIN32_FIND_DATAA and say so.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using HANDLE = void*;
using LPSTR = char*;
using LPCSTR = const char*;

// glib defines TRUE and FALSE as macros of the same values; either may come first.
#ifndef TRUE
inline constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
inline constexpr BOOL FALSE = 0;
#endif

// The name buffers' size. A Linux file name has at most NAME_MAX (255)
// bytes, so one name always fits; whole paths have no such limit here.
inline constexpr DWORD MAX_PATH = 260;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// 100-nanosecond intervals since 1 January 1601, UTC (or local time after
// FileTimeToLocalFileTime), split into two 32-bit halves.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

inline std::uint64_t FileTimeToUInt64(const FILETIME& t)
{
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

inline FILETIME UInt64ToFileTime(std::uint64_t v)
{
    return FILETIME{static_cast<DWORD>(v & 0xFFFFFFFF), static_cast<DWORD>(v >> 32)};
}

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    char cFileName[MAX_PATH];
    char cAlternateFileName[14];   // no 8.3 names on Linux: always empty
    // Linux only: the identity of what the entry is (after following a link),
    // so that a walk can tell a directory it has reached before.
    std::uint64_t ullDevice;
    std::uint64_t ullInode;
};
