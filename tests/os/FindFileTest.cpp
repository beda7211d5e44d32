#include "platform/os/FindFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/FileAttributes.h"
#include "platform/os/ScopedFind.h"
#include "platform/rtl/FilePath.h"
#include "tests/support/RunUnprivileged.h"
#include "tests/support/TempDir.h"

namespace {

std::vector<std::string> Names(const std::string& pattern)
{
    std::vector<std::string> names;
    ScopedFind find;
    WIN32_FIND_DATAA entry;
    for (bool ok = find.First(pattern, entry); ok; ok = find.Next(entry))
        names.push_back(entry.cFileName);
    return names;
}

WIN32_FIND_DATAA Entry(const std::string& path)
{
    WIN32_FIND_DATAA entry {};
    HANDLE h = FindFirstFileA(path.c_str(), &entry);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
    if (h != INVALID_HANDLE_VALUE) {
        WIN32_FIND_DATAA more;
        EXPECT_FALSE(FindNextFileA(h, &more)) << "a plain name finds one entry";
        EXPECT_TRUE(FindClose(h));
    }
    return entry;
}

std::uint64_t Size(const WIN32_FIND_DATAA& e)
{
    return static_cast<std::uint64_t>(e.nFileSizeHigh) << 32 | e.nFileSizeLow;
}

TEST(FindFileTest, EntriesComeSortedWithDotsFirstAndMasksApplied)
{
    TempDir tmp;
    for (const char* n : {"b.jpg", "A.JPG", "a.jpg", "C.jpeg", "_x.jpg", "trip.jpg/inner", "x.jpgx", "noext"})
        tmp.WriteFile(n, "");
    const std::string dir = tmp.Str() + "/";
    EXPECT_EQ(Names(dir + "*"), (std::vector<std::string>{".", "..", "A.JPG", "a.jpg", "b.jpg", "C.jpeg", "noext",
                                                           "trip.jpg", "x.jpgx", "_x.jpg"}));
    EXPECT_EQ(Names(dir + "*.*"), Names(dir + "*"));
    EXPECT_EQ(Names(dir + "*.jpg"), (std::vector<std::string>{"A.JPG", "a.jpg", "b.jpg", "trip.jpg", "_x.jpg"}));
    EXPECT_EQ(Names(dir + "?.JPG"), (std::vector<std::string>{"A.JPG", "a.jpg", "b.jpg"}));
    EXPECT_EQ(Names(dir + "??"), (std::vector<std::string>{".."}));
    EXPECT_TRUE(Names(dir + "*.gif").empty());
}

TEST(FindFileTest, PlainNamesMissingEntriesAndTrailingDelimiters)
{
    TempDir tmp;
    tmp.WriteFile("sub/f.txt", "12345");
    tmp.WriteFile("a*b", "literal");
    tmp.WriteFile("aXb", "");
    EXPECT_STREQ(Entry(tmp / "sub").cFileName, "sub");
    EXPECT_EQ(Size(Entry(tmp / "sub/f.txt")), 5u);
    WIN32_FIND_DATAA e;
    // A plain name ignores ASCII case too, but prefers the exact spelling.
    EXPECT_STREQ(Entry(tmp / "sub/F.TXT").cFileName, "f.txt");
    tmp.WriteFile("sub/F.txt", "");
    EXPECT_STREQ(Entry(tmp / "sub/f.txt").cFileName, "f.txt");
    EXPECT_STREQ(Entry(tmp / "sub/f.TXT").cFileName, "F.txt");
    EXPECT_EQ(FindFirstFileA((tmp / "missing").c_str(), &e), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA((tmp / "missing/*").c_str(), &e), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA((tmp / "sub/").c_str(), &e), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA((tmp / "sub/f.txt/*").c_str(), &e), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA("", &e), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
    // A wildcard in a real name: the pattern matches both, the literal lookup one.
    EXPECT_EQ(Names(tmp / "a*b"), (std::vector<std::string>{"a*b", "aXb"}));
    ASSERT_TRUE(GetFileEntryA((tmp / "a*b").c_str(), &e));
    EXPECT_EQ(Size(e), 7u);
    EXPECT_FALSE(GetFileEntryA((tmp / "sub/").c_str(), &e));
}

TEST(FindFileTest, RelativePatternsAndTheRootHaveNoDotEntriesThere)
{
    TempDir tmp;
    tmp.WriteFile("one.txt", "");
    const std::string saved = GetCurrentDir();
    ASSERT_EQ(chdir(tmp.Str().c_str()), 0);
    EXPECT_EQ(Names("*.txt"), (std::vector<std::string>{"one.txt"}));
    EXPECT_EQ(Names("one.txt"), (std::vector<std::string>{"one.txt"}));
    ASSERT_EQ(chdir(saved.c_str()), 0);

    const std::vector<std::string> root = Names("/*");
    ASSERT_FALSE(root.empty());
    EXPECT_NE(root.front(), ".");
    EXPECT_EQ(std::count(root.begin(), root.end(), ".."), 0);
    EXPECT_EQ(std::count(root.begin(), root.end(), "tmp"), 1);
}

TEST(FindFileTest, AttributesFollowWhatTheEntryIs)
{
    TempDir tmp;
    tmp.MakeDir("dir");
    tmp.WriteFile("plain", "x");
    tmp.WriteFile(".hidden", "");
    tmp.WriteFile("readonly", "");
    ASSERT_EQ(chmod((tmp / "readonly").c_str(), 0444), 0);
    ASSERT_EQ(mkfifo((tmp / "fifo").c_str(), 0644), 0);
    ASSERT_EQ(symlink("dir", (tmp / "dirlink").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (tmp / "broken").c_str()), 0);
    struct Case {
        const char* name;
        DWORD attributes;
    } cases[] = {
        {"dir", FILE_ATTRIBUTE_DIRECTORY},
        {"plain", FILE_ATTRIBUTE_ARCHIVE},
        {".hidden", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
        {"readonly", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
        {"fifo", FILE_ATTRIBUTE_SYSTEM},
        {"dirlink", FILE_ATTRIBUTE_DIRECTORY},
        {"broken", FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Entry(tmp / c.name).dwFileAttributes, c.attributes) << c.name;
        EXPECT_EQ(GetFileAttributesA((tmp / c.name).c_str()), c.attributes) << c.name;
    }
    EXPECT_EQ(Size(Entry(tmp / "broken")), 0u);
    EXPECT_STREQ(Entry(tmp / "plain").cAlternateFileName, "");
    // The same entries through a listing.
    ScopedFind find;
    WIN32_FIND_DATAA e;
    int seen = 0;
    for (bool ok = find.First(tmp.Str() + "/*", e); ok; ok = find.Next(e))
        for (const Case& c : cases)
            if (std::string(e.cFileName) == c.name) {
                EXPECT_EQ(e.dwFileAttributes, c.attributes) << c.name;
                ++seen;
            }
    EXPECT_EQ(seen, 7);
}

TEST(FindFileTest, GetFileAttributesFailures)
{
    TempDir tmp;
    tmp.WriteFile("f", "");
    EXPECT_EQ(GetFileAttributesA((tmp / "missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(""), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((tmp / "f/").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((tmp.Str() + "/").c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("/"), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FindFileTest, SizesAreSixtyFourBitAndTimesComeFromTheInode)
{
    TempDir tmp;
    const std::string big = tmp.WriteFile("big", "");
    ASSERT_EQ(truncate(big.c_str(), (1LL << 32) + 7), 0);   // sparse: no disk space used
    const WIN32_FIND_DATAA e = Entry(big);
    EXPECT_EQ(e.nFileSizeHigh, 1u);
    EXPECT_EQ(e.nFileSizeLow, 7u);

    // 2001-09-09 01:46:40 UTC = 1000000000 s after 1970.
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 500000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, big.c_str(), times, 0), 0);
    const WIN32_FIND_DATAA t = Entry(big);
    const std::uint64_t epoch = 11644473600ULL * 10000000ULL;
    EXPECT_EQ(FileTimeToUInt64(t.ftLastAccessTime), epoch + 1000000000ULL * 10000000ULL);
    EXPECT_EQ(FileTimeToUInt64(t.ftLastWriteTime), epoch + 1000000000ULL * 10000000ULL + 5000000ULL);

    struct statx sx {};
    ASSERT_EQ(statx(AT_FDCWD, big.c_str(), 0, STATX_BTIME, &sx), 0);
    if (sx.stx_mask & STATX_BTIME)
        EXPECT_EQ(FileTimeToUInt64(t.ftCreationTime),
                  epoch + static_cast<std::uint64_t>(sx.stx_btime.tv_sec) * 10000000ULL + sx.stx_btime.tv_nsec / 100);
    else
        EXPECT_EQ(FileTimeToUInt64(t.ftCreationTime), 0u);
}

TEST(FindFileTest, DeviceAndInodeIdentifyWhatALinkPointsTo)
{
    TempDir tmp;
    tmp.MakeDir("dir");
    ASSERT_EQ(symlink((tmp / "dir").c_str(), (tmp / "link").c_str()), 0);
    const WIN32_FIND_DATAA a = Entry(tmp / "dir");
    const WIN32_FIND_DATAA b = Entry(tmp / "link");
    EXPECT_EQ(a.ullInode, b.ullInode);
    EXPECT_EQ(a.ullDevice, b.ullDevice);
    std::uint64_t dev = 0, ino = 0;
    ASSERT_TRUE(GetFileIdentityA((tmp / "link").c_str(), &dev, &ino));
    EXPECT_EQ(ino, a.ullInode);
    EXPECT_EQ(dev, a.ullDevice);
    EXPECT_FALSE(GetFileIdentityA((tmp / "missing").c_str(), &dev, &ino));
}

TEST(FindFileTest, ADirectoryThatCannotBeListedFindsNothing)
{
    TempDir tmp;
    tmp.WriteFile("locked/inside.txt", "");
    ASSERT_EQ(chmod(tmp.Str().c_str(), 0755), 0);
    ASSERT_EQ(chmod((tmp / "locked").c_str(), 0), 0);
    const std::string locked = tmp / "locked";
    const int status = RunUnprivileged([&] {
        WIN32_FIND_DATAA e;
        // The folder itself is still seen; its contents are not.
        return FindFirstFileA((locked + "/*").c_str(), &e) == INVALID_HANDLE_VALUE &&
               (GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    if (status < 0)
        GTEST_SKIP() << "cannot drop root privileges here, so permissions would not apply";
    EXPECT_EQ(status, 0);
}

}
