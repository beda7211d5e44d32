#include "platform/os/ShellExecute.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <thread>

#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace {

// An opener that records its arguments, one per line, and the folder it ran in.
std::string WriteRecorder(const TempDir& dir)
{
    std::string script = dir.WriteFile("opener.sh",
                                       "#!/bin/sh\n"
                                       "log=\"$RECORD\"\n"
                                       "echo \"count=$#\" >> \"$log\"\n"
                                       "for a in \"$@\"; do echo \"arg=$a\" >> \"$log\"; done\n"
                                       "echo \"cwd=$(pwd)\" >> \"$log\"\n");
    chmod(script.c_str(), 0755);
    return script;
}

TEST(ShellExecuteTest, OpenerReceivesExactlyTheTargetAndHasRunOnReturn)
{
    TempDir dir;
    std::string record = dir / "record.txt";
    ScopedEnv opener("RUPINAKO_OPENER", WriteRecorder(dir));
    ScopedEnv recordPath("RECORD", record);

    struct Case {
        const char* Verb;
        std::string Target;
    } cases[] = {
        {"OPEN", "http://example.invalid/info.php?pf=w&sn=rupinako"},
        {"open", dir.MakeDir("写真 2024") + "/"},   // blanks and Japanese stay one argument
        {"Open", "$(touch injected) `x` ;|*"},      // nothing is interpreted by a shell
    };
    for (const Case& c : cases) {
        std::filesystem::remove(record);
        std::intptr_t result = ShellExecuteA(std::uintptr_t(0), c.Verb, c.Target, "", "", SW_SHOW);
        EXPECT_GT(result, 32);
        EXPECT_EQ(ReadFileBytes(record), "count=1\narg=" + c.Target + "\ncwd=" + std::filesystem::current_path().string() + "\n")
            << c.Target;
    }
    EXPECT_FALSE(std::filesystem::exists("injected"));

    // The working folder, when given, is where the opener runs.
    std::filesystem::remove(record);
    std::string work = dir.MakeDir("work");
    EXPECT_GT(ShellExecuteA(std::uintptr_t(0), "OPEN", "x", "ignored parameters", work, SW_SHOW), 32);
    EXPECT_EQ(ReadFileBytes(record), "count=1\narg=x\ncwd=" + work + "\n");
}

TEST(ShellExecuteTest, OtherVerbsAndEmptyTargetsDoNothing)
{
    TempDir dir;
    std::string record = dir / "record.txt";
    ScopedEnv opener("RUPINAKO_OPENER", WriteRecorder(dir));
    ScopedEnv recordPath("RECORD", record);
    for (const char* verb : {"EXPLORE", "print", "edit", "OPENX", "OPE"})
        EXPECT_LE(ShellExecuteA(std::uintptr_t(0), verb, dir.Str(), "", "", SW_SHOW), 32) << verb;
    EXPECT_LE(ShellExecuteA(std::uintptr_t(0), "OPEN", "", "", "", SW_SHOW), 32);
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST(ShellExecuteTest, FailuresAreReportedNotThrown)
{
    TempDir dir;
    {
        ScopedEnv opener("RUPINAKO_OPENER", dir / "no-such-opener");
        EXPECT_EQ(ShellExecuteA(std::uintptr_t(0), "OPEN", "/", "", "", SW_SHOW), SE_ERR_FNF);
    }
    {
        ScopedEnv opener("RUPINAKO_OPENER", std::string("false"));
        EXPECT_LE(ShellExecuteA(std::uintptr_t(0), "OPEN", "/", "", "", SW_SHOW), 32);
    }
    // No opener: a path that does not exist is not handed to the desktop.
    ScopedEnv opener("RUPINAKO_OPENER", std::nullopt);
    EXPECT_EQ(ShellExecuteA(std::uintptr_t(0), "OPEN", dir / "missing", "", "", SW_SHOW), SE_ERR_FNF);
}

#ifdef RUPINAKO_HAVE_GIO
// The desktop path, with a handler of our own registered the way desktops
// register them (a desktop entry and mimeapps.list), in a child process so
// that the registration is all GIO ever sees there.
TEST(ShellExecuteTest, DesktopHandlerGetsAddressesAsTheyAreAndFoldersAsFileUris)
{
    TempDir dir;
    std::string record = dir / "record.txt";
    std::string script = WriteRecorder(dir);
    dir.WriteFile("data/applications/rupinako-test-opener.desktop",
                  "[Desktop Entry]\nType=Application\nName=Test opener\nExec=" + script +
                      " %u\nMimeType=inode/directory;x-scheme-handler/x-rupinako-test;\nNoDisplay=true\n");
    dir.WriteFile("config/mimeapps.list", "[Default Applications]\n"
                                          "inode/directory=rupinako-test-opener.desktop\n"
                                          "x-scheme-handler/x-rupinako-test=rupinako-test-opener.desktop\n");
    std::string folder = dir.MakeDir("写真 1");

    // A folder travels as a file:// URI; GIO gives a handler of local files
    // the path back.
    struct Case {
        std::string Target;
        std::string Directory;
        std::string Expected;   // what the handler receives
    } cases[] = {
        {"x-rupinako-test://info.php?pf=w&sn=rupinako", "", "x-rupinako-test://info.php?pf=w&sn=rupinako"},
        {folder, "", folder},
        {"写真 1", dir.Str(), folder},   // relative to the working folder given
    };
    for (const Case& c : cases) {
        std::filesystem::remove(record);
        // Forked, not re-executed: the child must see this test's folder.
        // Nothing in this process has touched GIO or started a thread yet.
        GTEST_FLAG_SET(death_test_style, "fast");
        EXPECT_EXIT(
            {
                setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
                setenv("XDG_DATA_DIRS", (dir / "data").c_str(), 1);
                setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
                setenv("XDG_CONFIG_DIRS", (dir / "config").c_str(), 1);
                setenv("XDG_CURRENT_DESKTOP", "", 1);
                unsetenv("RUPINAKO_OPENER");
                setenv("RECORD", record.c_str(), 1);
                std::exit(ShellExecuteA(std::uintptr_t(0), "OPEN", c.Target, "", c.Directory, SW_SHOW) > 32 ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
        // The handler is not waited for: give it a moment to write.
        for (int i = 0; i < 500 && ReadFileBytes(record).find("cwd=") == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::string got = ReadFileBytes(record);
        EXPECT_NE(got.find("count=1\narg=" + c.Expected + "\n"), std::string::npos) << got;
    }
}
#endif

}  // namespace
