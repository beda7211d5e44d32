#include "platform/controls/Accelerators.h"

namespace {

char32_t FoldAscii(char32_t c)
{
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// Decodes the UTF-8 character at text[i]; 0 when it is malformed.
char32_t DecodeAt(const std::string& text, std::size_t i)
{
    if (i >= text.size())
        return 0;
    const auto b0 = static_cast<unsigned char>(text[i]);
    int length = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
        return 0;
    if (length == 1)
        return b0;
    char32_t c = b0 & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    return c;
}

}

char32_t FirstCodePoint(const std::string& text)
{
    return DecodeAt(text, 0);
}

char32_t GetHotkey(const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;   // "&&" is a plain ampersand
            continue;
        }
        return DecodeAt(caption, i + 1);
    }
    return 0;
}

bool IsAccel(char32_t charCode, const std::string& caption)
{
    const char32_t hotkey = GetHotkey(caption);
    return hotkey != 0 && FoldAscii(hotkey) == FoldAscii(charCode);
}
