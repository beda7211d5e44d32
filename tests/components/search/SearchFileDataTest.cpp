#include "components/search/SearchFileData.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/os/FindFile.h"
#include "platform/rtl/DateTimeText.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "tests/support/UtcFileTime.h"

namespace {

WIN32_FIND_DATAA MakeEntry(const char* name, DWORD attributes, const char* alternate = "")
{
    WIN32_FIND_DATAA e;
    std::memset(&e, 0, sizeof e);
    std::strcpy(e.cFileName, name);
    std::strcpy(e.cAlternateFileName, alternate);
    e.dwFileAttributes = attributes;
    return e;
}

TEST(SearchFileDataTest, NamesSizesAndFlags)
{
    TSearchFileData d;
    FillSearchFileData(MakeEntry("photo.jpeg", 0x21, "PHOTO~1.JPE"), d);
    EXPECT_EQ(d.FileName, "photo.jpeg");
    EXPECT_EQ(d.ShortName, "PHOTO~1.JPE");
    FillSearchFileData(MakeEntry("short.jpg", 0x21), d);
    EXPECT_EQ(d.ShortName, "short.jpg");

    struct Case {
        DWORD attributes;
        bool dir, ro, hidden, system, archive;
    } cases[] = {
        {0x21, false, true, false, false, true},
        {0x80, false, false, false, false, false},
        {0x10, true, false, false, false, false},
        {0x06, false, false, true, true, false},
        {0xFFFFFFC0, false, false, false, false, false},   // bits the record does not carry
    };
    for (const Case& c : cases) {
        FillSearchFileData(MakeEntry("x", c.attributes), d);
        EXPECT_EQ(d.IsDirectory, c.dir) << c.attributes;
        EXPECT_EQ(d.IsReadOnly, c.ro) << c.attributes;
        EXPECT_EQ(d.IsHidden, c.hidden) << c.attributes;
        EXPECT_EQ(d.IsSystem, c.system) << c.attributes;
        EXPECT_EQ(d.IsArchive, c.archive) << c.attributes;
    }

    WIN32_FIND_DATAA e = MakeEntry("big", 0x20);
    e.nFileSizeHigh = 1;
    FillSearchFileData(e, d);
    EXPECT_EQ(d.Size, 1LL << 32);
    e.nFileSizeHigh = 0;
    e.nFileSizeLow = 0xFFFFFFFF;
    FillSearchFileData(e, d);
    EXPECT_EQ(d.Size, 4294967295LL);

    // A name buffer without a NUL is read to its end and no further.
    std::memset(e.cFileName, 'n', sizeof e.cFileName);
    std::memset(e.cAlternateFileName, 'S', sizeof e.cAlternateFileName);
    FillSearchFileData(e, d);
    EXPECT_EQ(d.FileName, std::string(MAX_PATH, 'n'));
    EXPECT_EQ(d.ShortName, std::string(14, 'S'));
}

TEST(SearchFileDataTest, TimesAreLocalEvenSecondsAndInvalidOnesKeepTheirField)
{
    ScopedTimeZone utc("UTC0");
    WIN32_FIND_DATAA e = MakeEntry("t", 0x20);
    e.ftCreationTime = FILETIME {0, 0};
    e.ftLastWriteTime = UtcFileTime(2024, 5, 17, 8, 30, 45, 1234567);
    e.ftLastAccessTime = UtcFileTime(1979, 12, 31, 23, 59, 58);
    TSearchFileData d;
    d.CreationTime = 123.0;
    d.LastAccessTime = 456.0;
    FillSearchFileData(e, d);
    EXPECT_FALSE(d.CreationTimeValid);
    EXPECT_EQ(d.CreationTime, 123.0);
    EXPECT_TRUE(d.LastWriteTimeValid);
    EXPECT_EQ(d.LastWriteTime, EncodeDate(2024, 5, 17) + EncodeTime(8, 30, 44, 0));
    EXPECT_FALSE(d.LastAccessTimeValid);
    EXPECT_EQ(d.LastAccessTime, 456.0);

    TDateTime t = -1;
    EXPECT_TRUE(FileTimeToDateTime(UtcFileTime(2107, 12, 31, 23, 59, 59), t));
    EXPECT_EQ(DateTimeToText(t), "2107-12-31 23:59:58");
    t = -1;
    EXPECT_FALSE(FileTimeToDateTime(UtcFileTime(2108, 1, 1, 0, 0, 0), t));
    EXPECT_EQ(t, -1);
}

TEST(SearchFileDataTest, LocalTimeUsesTheCurrentOffset)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    TDateTime t = 0;
    const bool ok = FileTimeToDateTime(UtcFileTime(2024, 12, 31, 20, 0, 0), t);
    old ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
    ASSERT_TRUE(ok);
    EXPECT_EQ(DateTimeToText(t), "2025-01-01 05:00:00");
}

TEST(SearchFileDataTest, FillFromARealEntry)
{
    ScopedTimeZone utc("UTC0");
    TempDir tmp;
    const std::string f = tmp.WriteFile("Real.txt", "hello");
    const struct timespec times[2] = {{1000000001, 0}, {1000000001, 0}};   // 2001-09-09 01:46:41
    ASSERT_EQ(utimensat(AT_FDCWD, f.c_str(), times, 0), 0);
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA(f.c_str(), &e);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    TSearchFileData d;
    FillSearchFileData(e, d);
    EXPECT_EQ(d.FileName, "Real.txt");
    EXPECT_EQ(d.ShortName, "Real.txt");
    EXPECT_EQ(d.Size, 5);
    EXPECT_TRUE(d.IsArchive);
    ASSERT_TRUE(d.LastWriteTimeValid);
    EXPECT_EQ(DateTimeToText(d.LastWriteTime), "2001-09-09 01:46:40");
}

}
