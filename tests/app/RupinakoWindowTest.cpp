// The program with its real window, under an X server (the test command runs
// these under Xvfb); skipped without a display.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "tests/app/SheetFiles.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::string Program = RUPINAKO_BINARY_DIR "/app/rupinako";
const std::string Probe = RUPINAKO_BINARY_DIR "/tests/window-probe";
const std::string Prefix = "１：１ルピナ ～ ";
const std::string FirstCaption = "ルピナコ１：１ - 処理中はパソコンに触らないでネ！";

class RupinakoWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            GTEST_SKIP() << "no X display (the test command runs this under Xvfb)";
        if (!fs::exists(Probe))
            GTEST_SKIP() << "window-probe was not built (no X11 development files)";
        // The opener runs while the window is still open: it records the
        // windows on the display, then what it was asked to open.
        FOpener = FWork.WriteFile("opener.sh", "#!/bin/sh\n\"" + Probe + "\" \"$0.windows\"\nprintf '%s\\n' \"$*\" >> \"$0.log\"\n");
        fs::permissions(FOpener, fs::perms::owner_all);
    }

    ProcessResult RunProgram(const std::string& folder, bool headless)
    {
        std::vector<std::string> env = {"RUPINAKO_OPENER=" + FOpener, "RUPINAKO_TEST_AUTOANSWER=yes"};
        env.push_back(headless ? "RUPINAKO_HEADLESS=1" : "RUPINAKO_HEADLESS=");
        return RunProcess(Program, {folder}, env);
    }

    std::string Windows() const { return ReadFileBytes(FOpener + ".windows"); }
    std::string Opened() const { return ReadFileBytes(FOpener + ".log"); }

    TempDir Dir;

private:
    TempDir FWork;
    std::string FOpener;
};

void MakePictures(const TempDir& dir, const std::string& folder, int count)
{
    for (int i = 1; i <= count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/p%02d.bmp", i);
        dir.WriteFile(folder + name, SolidBmp({(i * 37) % 256, (i * 91) % 256, (i * 53) % 200}, 30 + i, 20 + i));
    }
}

TEST_F(RupinakoWindowTest, WindowShowsTheFirstCaptionAtTheClientSizeOfTheSheet)
{
    MakePictures(Dir, "W/A", 13);
    ProcessResult run = RunProgram(Dir / "W/A", false);
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_NE(Windows().find(FirstCaption + "\t600\t600\n"), std::string::npos) << Windows();
    EXPECT_EQ(Opened(), Dir / "W" + "/\n");
}

TEST_F(RupinakoWindowTest, WindowRunWritesTheSheetsOfAHeadlessRunAndShowsTheSheetNumber)
{
    MakePictures(Dir, "win/A", 37);
    MakePictures(Dir, "headless/A", 37);
    ProcessResult windowRun = RunProgram(Dir / "win/A", false);
    ASSERT_EQ(windowRun.ExitStatus, 0) << windowRun.Err;
    EXPECT_NE(Windows().find("ルピナコ１：１ - 2 枚目を処理中です...\t600\t600\n"), std::string::npos) << Windows();
    ProcessResult headlessRun = RunProgram(Dir / "headless/A", true);
    ASSERT_EQ(headlessRun.ExitStatus, 0) << headlessRun.Err;
    for (int n : {1, 2}) {
        Sheet shown = ReadSheet(Dir / "win" + "/" + Prefix + "A_" + std::to_string(n) + ".jpg");
        Sheet drawn = ReadSheet(Dir / "headless" + "/" + Prefix + "A_" + std::to_string(n) + ".jpg");
        ASSERT_TRUE(shown.Loaded && drawn.Loaded) << "sheet " << n;
        EXPECT_TRUE(shown.Pixels == drawn.Pixels) << "sheet " << n;
    }
}

// Waits up to timeoutMs for the child to end; its exit status, or -1 while it still runs.
int WaitFor(pid_t pid, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

TEST_F(RupinakoWindowTest, AfterAFailureTheWindowStaysOpenUntilClosed)
{
    MakePictures(Dir, "E/A", 3);
    Dir.WriteFile("E/A/zz.bmp", "BM not a bitmap");
    std::string folder = Dir / "E/A";
    std::vector<char*> argv{const_cast<char*>(Program.c_str()), folder.data(), nullptr};
    std::vector<std::string> env{"RUPINAKO_TEST_AUTOANSWER=yes"};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "RUPINAKO_", 9) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, Program.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);

    // The error box answers itself; the window must still be there afterwards.
    std::string windows;
    for (int i = 0; i < 250 && windows.find(FirstCaption) == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::string file = Dir / "windows.txt";
        std::filesystem::remove(file);
        RunProcess(Probe, {file});
        windows = ReadFileBytes(file);
    }
    EXPECT_NE(windows.find(FirstCaption), std::string::npos) << "the window never showed";
    EXPECT_EQ(WaitFor(pid, 500), -1) << "the program ended by itself after the failure";

    RunProcess(Probe, {"--close", FirstCaption});
    int status = WaitFor(pid, 10000);
    if (status == -1)
        kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    EXPECT_EQ(status, 1) << "closing the window ends the program with the failure status";
    EXPECT_FALSE(fs::exists(Dir / "E" + "/" + Prefix + "A_1.jpg"));
}

}
