#include "platform/rtl/FilePath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/TempDir.h"

namespace {

TEST(FilePathTest, ExtractParts)
{
    struct Case {
        const char* path;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"/a/b/c.jpg", "/a/b/", "c.jpg", ".jpg"},
        {"/a/b.d/c", "/a/b.d/", "c", ""},
        {"c.tar.gz", "", "c.tar.gz", ".gz"},
        {"/a/b/", "/a/b/", "", ""},
        {"/", "/", "", ""},
        {"", "", "", ""},
        {".hidden", "", ".hidden", ".hidden"},
        {"/写真/旅行.JPG", "/写真/", "旅行.JPG", ".JPG"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.dir) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    }
}

TEST(FilePathTest, FoldsDotsAndRepeatedDelimitersLexically)
{
    struct Case {
        const char* path;
        const char* folded;
    } cases[] = {
        {"/a/./b//c", "/a/b/c"},
        {"/a/b/../c/", "/a/c/"},
        {"/a/b/..", "/a"},
        {"/a/b/.", "/a/b"},
        {"/..", "/"},
        {"/../../x", "/x"},
        {"//", "/"},
        {"/", "/"},
        {"x", "/cwd/x"},
        {"./x/", "/cwd/x/"},
        {"..", "/"},
        {"../..//y", "/y"},
        {".", "/cwd"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FoldPathName(c.path, "/cwd"), c.folded) << c.path;
    EXPECT_EQ(FoldPathName("x", ""), "");
    EXPECT_EQ(FoldPathName("x", "relative"), "");
}

TEST(FilePathTest, ExpandFileNameUsesTheCurrentDirectoryAndKeepsLinks)
{
    TempDir tmp;
    tmp.MakeDir("real/sub");
    ASSERT_EQ(symlink((tmp / "real/sub").c_str(), (tmp / "link").c_str()), 0);
    const std::string saved = GetCurrentDir();
    ASSERT_EQ(chdir(tmp.Str().c_str()), 0);
    EXPECT_EQ(GetCurrentDir(), tmp.Str());
    EXPECT_EQ(ExpandFileName("real//sub/"), tmp.Str() + "/real/sub/");
    // ".." after a link folds the text, not the link's target.
    EXPECT_EQ(ExpandFileName("link/.."), tmp.Str());
    EXPECT_EQ(ExpandFileName(""), "");
    EXPECT_EQ(ExpandFileName("/abs/./x"), "/abs/x");
    ASSERT_EQ(chdir(saved.c_str()), 0);
}

}
