#include "platform/os/FileMask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(FileMaskTest, MatchTable)
{
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        {"photo.jpg", "*.jpg", true},
        {"PHOTO.JPG", "*.jpg", true},
        {"photo.Jpg", "*.JPG", true},
        {"photo.jpeg", "*.jpg", false},
        {"x.jpgx", "*.jpg", false},
        {"trip.jpg", "*.jpg", true},
        {"noext", "*.*", true},
        {".", "*.*", true},
        {"noext", "*", true},
        {"", "*", true},
        {"a.txt", "?.txt", true},
        {"ab.txt", "?.txt", false},
        {"旅.txt", "?.txt", true},        // one character, three bytes
        {"旅行.txt", "?.txt", false},
        {"写真.JPG", "写*.jpg", true},
        {"abcbc", "a*bc", true},
        {"abcbd", "a*bc", false},
        {"aXbYc", "a*b*c", true},
        {"a", "a**", true},
        {"ab", "a", false},
        {"a", "ab", false},
        {"..", "??", true},
        {"Ä.txt", "ä.txt", false},        // only ASCII letters fold
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
    EXPECT_FALSE(HasWildcards("photo.jpg"));
    EXPECT_TRUE(HasWildcards("p?oto"));
}

TEST(FileMaskTest, OrderFoldsAsciiLettersThenComparesBytes)
{
    std::vector<std::string> names = {"b", "_x", "a", "[", "A", "C", "a1", "\xE3\x81\x82", "Z"};
    std::sort(names.begin(), names.end(), FileNameLess);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "a1", "b", "C", "Z", "[", "_x", "\xE3\x81\x82"}));
}

}
