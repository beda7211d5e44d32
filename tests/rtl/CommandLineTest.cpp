#include "platform/rtl/CommandLine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace {

TEST(CommandLineTest, ArgumentsAreKeptAsGivenAndParamStr0IsTheRunningProgram)
{
    const char* argv[] = {"tests_rtl", "/photos/trip/", "two words", "", nullptr};
    SetCommandLine(4, argv);
    EXPECT_EQ(ParamCount(), 3);
    EXPECT_EQ(ParamStr(1), "/photos/trip/");
    EXPECT_EQ(ParamStr(2), "two words");
    EXPECT_EQ(ParamStr(3), "");
    EXPECT_EQ(ParamStr(4), "");
    EXPECT_EQ(ParamStr(-1), "");

    std::vector<char> exe(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
    ASSERT_GT(n, 0);
    EXPECT_EQ(ParamStr(0), std::string(exe.data(), static_cast<std::size_t>(n)));
    EXPECT_EQ(ParamStr(0).front(), '/');

    SetCommandLine(0, nullptr);
    EXPECT_EQ(ParamCount(), 0);
}

}
