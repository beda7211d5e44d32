// GetFullPathNameA and the two system directories: results and buffer rules.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/os/FullPathName.h"
#include "platform/os/SystemDirectories.h"
#include "platform/rtl/FilePath.h"

namespace {

TEST(PathCallsTest, FullPathNameFoldsAndNeverOverruns)
{
    char buffer[16];
    std::memset(buffer, 'X', sizeof buffer);
    LPSTR filePart = nullptr;
    EXPECT_EQ(GetFullPathNameA("/a/./b//../c.jpg", sizeof buffer, buffer, &filePart), 8u);
    EXPECT_STREQ(buffer, "/a/c.jpg");
    EXPECT_EQ(filePart, buffer + 3);
    EXPECT_EQ(GetFullPathNameA("/a/b/", sizeof buffer, buffer, &filePart), 5u);
    EXPECT_EQ(filePart, nullptr);

    // Exactly the path and its NUL fit; one byte less reports the size needed.
    const std::string fifteen = "/0123456789abcd";
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetFullPathNameA(fifteen.c_str(), 16, buffer, nullptr), 15u);
    EXPECT_EQ(GetFullPathNameA(fifteen.c_str(), 15, buffer + 1, nullptr), 16u);
    EXPECT_EQ(GetFullPathNameA(fifteen.c_str(), 0, nullptr, nullptr), 16u);
    EXPECT_EQ(GetFullPathNameA("", sizeof buffer, buffer, nullptr), 0u);

    const std::string cwd = GetCurrentDir();
    std::string big(cwd.size() + 8, '\0');
    const DWORD n = GetFullPathNameA("x/", static_cast<DWORD>(big.size()), big.data(), nullptr);
    EXPECT_EQ(std::string(big.c_str(), n), cwd + "/x/");
}

TEST(PathCallsTest, SystemDirectoriesAreFixedAndCopiedSafely)
{
    char buffer[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectoryA(buffer, MAX_PATH), 1u);
    EXPECT_STREQ(buffer, "/");
    EXPECT_EQ(GetSystemDirectoryA(buffer, MAX_PATH), 8u);
    EXPECT_STREQ(buffer, "/usr/lib");
    char tiny[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(GetSystemDirectoryA(tiny, sizeof tiny), 9u);
    EXPECT_EQ(std::string(tiny, 4), "abcd");
    EXPECT_EQ(access("/usr/lib", F_OK), 0);
}

}
