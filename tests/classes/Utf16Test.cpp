#include "platform/classes/Utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf16Test, ConvertsBothWaysIncludingSurrogatePairs)
{
    const std::string text = "aß\xE3\x83\xAB\xF0\x9F\x98\x80";   // a, ß, ル, U+1F600
    std::u16string units;
    ASSERT_TRUE(Utf8ToUtf16(text, units));
    EXPECT_EQ(units, (std::u16string{u'a', 0x00DF, 0x30EB, 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(units), text);
    // A lone surrogate cannot be UTF-8: it becomes U+FFFD instead of bad bytes.
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', 0xD800, u'y', 0xDC00}), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Utf16Test, RefusesMalformedUtf8)
{
    const char* const bad[] = {
        "\x80",                 // continuation without a lead byte
        "\xC3",                 // truncated
        "\xE3\x83",             // truncated
        "\xC0\xAF",             // overlong '/'
        "\xE0\x80\xAF",         // overlong '/'
        "\xED\xA0\x80",         // a surrogate
        "\xF4\x90\x80\x80",     // beyond U+10FFFF
        "\xFF",
        "\xC3\x28",             // lead byte followed by ASCII
    };
    for (const char* s : bad) {
        std::u16string units;
        EXPECT_FALSE(Utf8ToUtf16(s, units)) << s;
    }
}

}
