#pragma once
// UTF-8 <-> UTF-16 for wide strings in form streams.
// Utf8ToUtf16 refuses malformed UTF-8 (false, out unspecified): overlong
// forms, surrogates, code points beyond U+10FFFF, truncated sequences.
// Utf16ToUtf8 never fails: a lone surrogate becomes U+FFFD.

#include <string>
#include <string_view>

bool Utf8ToUtf16(std::string_view utf8, std::u16string& out);
std::string Utf16ToUtf8(std::u16string_view utf16);
void AppendUtf8(std::string& out, char32_t codePoint);
// True when every byte is below 0x80.
bool IsAscii(std::string_view text);
