// The program with its real window, under an X server (the test command runs
// these under Xvfb); skipped without a display.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/app/SheetFiles.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempDir.h"

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

}
