#include "components/search/SearchPaths.h"

#include <gtest/gtest.h>

#include "platform/rtl/CodePage.h"

namespace {

TEST(SearchPathsTest, WithTrailingBackslashAppendsOneDelimiter)
{
    EXPECT_EQ(WithTrailingBackslash("/"), "/");
    EXPECT_EQ(WithTrailingBackslash("/photos"), "/photos/");
    EXPECT_EQ(WithTrailingBackslash("/photos/"), "/photos/");
    EXPECT_EQ(WithTrailingBackslash("/写真"), "/写真/");
    EXPECT_EQ(WithTrailingBackslash("relative"), "relative/");
}

TEST(SearchPathsTest, WithTrailingBackslashReadsDoubleByteCharactersWhole)
{
    const unsigned saved = ActiveCodePage();
    SetActiveCodePage(CP_SHIFT_JIS);
    // 表 is 95 5C: its second byte is no delimiter, so one is added.
    const std::string hyo = "/\x95\x5C";
    const std::string a = WithTrailingBackslash(hyo);
    // A lead byte followed by "/" forms one character in this code page.
    const std::string b = WithTrailingBackslash("/x\x81/");
    const std::string c = WithTrailingBackslash("/x\x81//");
    SetActiveCodePage(saved);
    EXPECT_EQ(a, hyo + "/");
    EXPECT_EQ(b, "/x\x81//");
    EXPECT_EQ(c, "/x\x81//");
    // In UTF-8 the same bytes are no character: the "/" stands alone.
    EXPECT_EQ(WithTrailingBackslash("/x\x81/"), "/x\x81/");
}

TEST(SearchPathsTest, SystemDirectoriesAsReported)
{
    EXPECT_EQ(GetWindowsDirectory(), "/");
    EXPECT_EQ(GetSystemDirectory(), "/usr/lib");
}

}
