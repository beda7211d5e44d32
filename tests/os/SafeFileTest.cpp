#include "platform/os/SafeFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "platform/rtl/Exception.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

int EntryCount(const fs::path& dir)
{
    int n = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir))
        ++n;
    return n;
}

TEST(SafeFileTest, WritesNewFileAndReplacesOldOne)
{
    TempDir dir;
    std::string path = dir / "sheet.jpg";
    WriteFileSafely(path, "first");
    EXPECT_EQ(ReadFileBytes(path), "first");
    WriteFileSafely(path, std::string(100000, 'x'));
    EXPECT_EQ(ReadFileBytes(path), std::string(100000, 'x'));
    EXPECT_EQ(EntryCount(dir.Path()), 1);
}

TEST(SafeFileTest, FailureLeavesNoTemporaryFileAndTheOldFileIntact)
{
    TempDir dir;
    std::string folder = dir.MakeDir("sheet.jpg");   // a folder where the file should go
    try {
        WriteFileSafely(folder, "data");
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "ファイル " + folder + " を作成できません");
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(EntryCount(dir.Path()), 1);

    EXPECT_THROW(WriteFileSafely(dir / "missing/sheet.jpg", "data"), EFCreateError);
    EXPECT_EQ(EntryCount(dir.Path()), 1);
}

TEST(SafeFileTest, WriteThatFailsHalfWayKeepsTheEarlierFile)
{
    // A write that stops half-way, as on a full disk: the file size limit
    // makes the kernel refuse the bytes past 1000.
    TempDir dir;
    std::string path = dir / "sheet.jpg";
    WriteFileSafely(path, "old sheet");
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(WriteFileSafely(path, std::string(5000, 'n')), EFCreateError);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(ReadFileBytes(path), "old sheet");
    EXPECT_EQ(EntryCount(dir.Path()), 1);
}

}
