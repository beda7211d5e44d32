#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exception.h"

namespace {

// Selects a code page for one test and restores the one before.
class CodePageScope {
public:
    explicit CodePageScope(unsigned cp) : FSaved(ActiveCodePage()) { SetActiveCodePage(cp); }
    ~CodePageScope() { SetActiveCodePage(FSaved); }

private:
    unsigned FSaved;
};

TEST(CodePageTest, DefaultIsUtf8AndUnknownCodePagesAreRefused)
{
    EXPECT_EQ(ActiveCodePage(), CP_UTF8);
    EXPECT_THROW(SetActiveCodePage(1252), EConvertError);
    EXPECT_EQ(ActiveCodePage(), CP_UTF8);
}

TEST(CodePageTest, ShiftJisByteTypes)
{
    CodePageScope cp(CP_SHIFT_JIS);
    // "a" 表 (95 5C) "\" ソ (83 5C) and a lead byte left alone at the end.
    const std::string s = "a\x95\x5C\\\x83\x5C\x81";
    const TMbcsByteType expected[] = {mbSingleByte, mbLeadByte, mbTrailByte, mbSingleByte,
                                      mbLeadByte,   mbTrailByte, mbLeadByte};
    for (std::size_t i = 0; i < s.size(); ++i)
        EXPECT_EQ(ByteType(s, i), expected[i]) << "byte " << i;
    EXPECT_EQ(ByteType(s, 99), mbSingleByte);
    // A trail byte that is itself a lead byte value (0x81 0x81) stays a trail.
    EXPECT_EQ(ByteType("\x81\x81\x81\x81", 3), mbTrailByte);
    EXPECT_EQ(ByteType("\x81\x81\x81\x81", 2), mbLeadByte);
}

TEST(CodePageTest, ShiftJisLastCharAndLastDelimiter)
{
    CodePageScope cp(CP_SHIFT_JIS);
    struct Case {
        std::string s;
        std::size_t lastChar;
        std::size_t lastBackslash;
    } cases[] = {
        {"C:\\\x95\x5C", 3, 2},         // ends in 表: its 5C is no delimiter
        {"C:\\\x95\x5C\\", 5, 5},       // a real one after it
        {"\x83\x5C\x83\x5C", 2, std::string::npos},
        {"abc", 2, std::string::npos},
        {"x\x81", 1, std::string::npos}, // lone lead byte at the end
        {"", std::string::npos, std::string::npos},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnsiLastChar(c.s), c.lastChar) << c.s;
        EXPECT_EQ(LastDelimiter("\\", c.s), c.lastBackslash) << c.s;
    }
    EXPECT_EQ(LastDelimiter(".\\", "a.b\\\x95\x5C"), 3u);
}

TEST(CodePageTest, Utf8CharactersAndInvalidBytes)
{
    // "あ" is E3 81 82; the same bytes read as code page 932 would pair E3 81.
    const std::string s = "/\xE3\x81\x82/x";
    EXPECT_EQ(ByteType(s, 1), mbLeadByte);
    EXPECT_EQ(ByteType(s, 2), mbTrailByte);
    EXPECT_EQ(ByteType(s, 3), mbTrailByte);
    EXPECT_EQ(ByteType(s, 4), mbSingleByte);
    EXPECT_EQ(AnsiLastChar("/\xE3\x81\x82"), 1u);
    EXPECT_EQ(CharLength(s, 1), 3u);
    // Stray continuation bytes and a truncated sequence are single bytes.
    const std::string bad = "\x82\xE3\x81";
    EXPECT_EQ(ByteType(bad, 0), mbSingleByte);
    EXPECT_EQ(ByteType(bad, 1), mbSingleByte);
    EXPECT_EQ(ByteType(bad, 2), mbSingleByte);
    EXPECT_EQ(AnsiLastChar(bad), 2u);
    EXPECT_EQ(LastDelimiter("/", s), 4u);
}

}
