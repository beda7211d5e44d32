#pragma once
// The active ANSI code page and the double-byte-aware scanning built on it.
//
// Strings are 8-bit std::string in the active code page. The default is
// UTF-8 (65001), the encoding of Linux file names; code page 932 (lead bytes
// 0x81-0x9F and 0xE0-0xFC, each taking the byte after it as its trail byte)
// can be selected, mainly by tests. Path code must never take a trail byte
// for a delimiter: in code page 932 a trail byte can be 0x5C ("\").
//
// Indexes are 0-based byte positions. A byte that starts no valid multi-byte
// character (a stray UTF-8 continuation byte, a truncated sequence) counts as
// a single-byte character, so every string can be scanned and nothing reads
// past its end.
//
// Failure: SetActiveCodePage raises EConvertError for a code page it does
// not know; everything else is total.

#include <cstddef>
#include <string>

inline constexpr unsigned CP_UTF8 = 65001;
inline constexpr unsigned CP_SHIFT_JIS = 932;

enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };

unsigned ActiveCodePage();
// Selects CP_UTF8 or CP_SHIFT_JIS for the whole process (one thread only).
void SetActiveCodePage(unsigned codePage);

// Byte count of the character that starts at index (1 at least; 0 past the end).
std::size_t CharLength(const std::string& s, std::size_t index);

// What the byte at index is within its character; mbSingleByte past the end.
TMbcsByteType ByteType(const std::string& s, std::size_t index);

// Where the last character of s begins; std::string::npos for an empty s.
std::size_t AnsiLastChar(const std::string& s);

// The position of the last single-byte character of s that is one of
// delimiters (a byte of a multi-byte character never counts); npos when none.
std::size_t LastDelimiter(const std::string& delimiters, const std::string& s);
