#include "platform/rtl/CodePage.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

unsigned gCodePage = CP_UTF8;

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

std::size_t Utf8Length(const std::string& s, std::size_t i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (b >= 0xC2 && b <= 0xDF)
        n = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        n = 3;
    else if (b >= 0xF0 && b <= 0xF4)
        n = 4;
    if (n == 1 || s.size() - i < n)
        return 1;
    for (std::size_t k = 1; k < n; ++k)
        if (!IsContinuation(static_cast<unsigned char>(s[i + k])))
            return 1;
    return n;
}

bool IsShiftJisLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsLeadByte(const std::string& s, std::size_t i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    if (gCodePage == CP_SHIFT_JIS)
        return IsShiftJisLead(b);
    return Utf8Length(s, i) > 1;
}

}

unsigned ActiveCodePage()
{
    return gCodePage;
}

void SetActiveCodePage(unsigned codePage)
{
    if (codePage != CP_UTF8 && codePage != CP_SHIFT_JIS)
        throw EConvertError(Format(SUnknownCodePage, {static_cast<std::int64_t>(codePage)}));
    gCodePage = codePage;
}

std::size_t CharLength(const std::string& s, std::size_t index)
{
    if (index >= s.size())
        return 0;
    if (gCodePage == CP_SHIFT_JIS)
        return IsShiftJisLead(static_cast<unsigned char>(s[index])) && index + 1 < s.size() ? 2 : 1;
    return Utf8Length(s, index);
}

TMbcsByteType ByteType(const std::string& s, std::size_t index)
{
    if (index >= s.size())
        return mbSingleByte;
    // Character boundaries are only known from the start of the text: in code
    // page 932 a trail byte can look like any other byte.
    std::size_t start = 0;
    for (;;) {
        const std::size_t length = CharLength(s, start);
        if (index < start + length)
            break;
        start += length;
    }
    if (index > start)
        return mbTrailByte;
    // A lead byte at the very end keeps its kind, although no trail follows.
    return IsLeadByte(s, start) ? mbLeadByte : mbSingleByte;
}

std::size_t AnsiLastChar(const std::string& s)
{
    if (s.empty())
        return std::string::npos;
    std::size_t start = 0;
    for (std::size_t next = 0; next < s.size(); next += CharLength(s, next))
        start = next;
    return start;
}

std::size_t LastDelimiter(const std::string& delimiters, const std::string& s)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = CharLength(s, i);
        if (length == 1 && !IsLeadByte(s, i) && delimiters.find(s[i]) != std::string::npos)
            found = i;
        i += length;
    }
    return found;
}
