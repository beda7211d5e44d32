// End-to-end runs of the real program, headless, on folders the tests make.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/app/SheetFiles.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string Program = RUPINAKO_BINARY_DIR "/app/rupinako";
const std::string Prefix = "１：１ルピナ ～ ";
const std::string Title = "ルピナコ１：１";
const std::string NothingFound = "フォルダの中に画像ファイルは存在しませんでした。";
const Rgb White{255, 255, 255};

// Distinct flat colours, far apart in every channel, none of them white.
Rgb ColourOf(int picture)
{
    static const int levels[] = {0, 80, 160, 240};
    int i = picture - 1;
    return {levels[i % 4], levels[(i / 4) % 4], levels[(i / 16) % 3]};
}

// Top-left corner of tile k on the sheet.
std::pair<int, int> TileOrigin(int k)
{
    static const std::pair<int, int> firstRows[] = {
        {0, 0},     {100, 0},   {200, 0},   {300, 0},   {400, 0},   {500, 0},
        {0, 100},   {100, 100}, {200, 100}, {300, 100}, {0, 200},   {100, 200},
        {200, 200}, {500, 100}, {400, 100}, {300, 200}, {400, 200}, {500, 200}};
    if (k <= 18)
        return firstRows[k - 1];
    return {((k - 19) % 6) * 100, 300 + ((k - 19) / 6) * 100};
}

Rgb TileCentre(const Sheet& sheet, int k)
{
    auto [x, y] = TileOrigin(k);
    return sheet.At(x + 50, y + 50);
}

std::string SheetPath(const std::string& parent, const std::string& name, int n)
{
    return parent + "/" + Prefix + name + "_" + std::to_string(n) + ".jpg";
}

// Makes `count` flat BMP pictures p01.bmp … in folder, coloured first, first + 1, ...
void MakePictures(const TempDir& dir, const std::string& folder, int count, int first = 1)
{
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/p%02d.bmp", first + i);
        dir.WriteFile(folder + name, SolidBmp(ColourOf(first + i)));
    }
}

struct ProgramRun {
    ProcessResult Result;
    std::string Opened;   // what the opener received, one line per call
};

class RupinakoRunTest : public ::testing::Test {
protected:
    RupinakoRunTest()
    {
        FOpener = FWork.WriteFile("opener.sh", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$0.log\"\n");
        fs::permissions(FOpener, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }

    ProgramRun RunProgram(const std::vector<std::string>& args, const std::string* input = nullptr, int uid = -1)
    {
        ProgramRun run;
        run.Result = RunProcess(Program, args,
                                {"RUPINAKO_HEADLESS=1", "RUPINAKO_OPENER=" + FOpener, "DISPLAY=", "WAYLAND_DISPLAY="},
                                Dir.Str(), input, uid);
        run.Opened = ReadFileBytes(FOpener + ".log");
        fs::remove(FOpener + ".log");
        return run;
    }

    TempDir Dir;     // the user's folders

private:
    TempDir FWork;   // the opener script and its log
    std::string FOpener;
};

std::string Summary(int sheets)
{
    return "計 " + std::to_string(sheets) + " 枚のファイルが作成されました。保存したフォルダを開きます。\n";
}

int FileCount(const fs::path& dir)
{
    int n = 0;
    for (auto& e : fs::recursive_directory_iterator(dir))
        n += e.is_regular_file() ? 1 : 0;
    return n;
}

TEST_F(RupinakoRunTest, TilesFillInTileOrderAndTheRestStaysWhite)
{
    for (int count : {13, 15}) {
        SCOPED_TRACE(count);
        std::string folder = "set" + std::to_string(count);
        MakePictures(Dir, folder, count);
        ProgramRun run = RunProgram({Dir / folder});
        ASSERT_EQ(run.Result.ExitStatus, 0) << run.Result.Err;
        EXPECT_EQ(run.Result.Out, Summary(1));
        EXPECT_EQ(run.Opened, Dir.Str() + "/\n");
        Sheet sheet = ReadSheet(SheetPath(Dir.Str(), folder, 1));
        ASSERT_TRUE(sheet.Loaded);
        for (int k = 1; k <= 36; ++k) {
            Rgb want = k <= count ? ColourOf(k) : White;
            Rgb got = TileCentre(sheet, k);
            EXPECT_TRUE(Near(got, want)) << "tile " << k << ": " << got.R << "," << got.G << "," << got.B;
        }
    }
}

TEST_F(RupinakoRunTest, ThirtySeventhPictureStartsTheSecondSheet)
{
    MakePictures(Dir, "full/A", 36);
    ProgramRun one = RunProgram({Dir / "full/A"});
    EXPECT_EQ(one.Result.Out, Summary(1));
    EXPECT_TRUE(fs::exists(SheetPath(Dir / "full", "A", 1)));
    EXPECT_FALSE(fs::exists(SheetPath(Dir / "full", "A", 2)));

    MakePictures(Dir, "more/B", 37);
    ProgramRun two = RunProgram({Dir / "more/B"});
    EXPECT_EQ(two.Result.Out, Summary(2));
    EXPECT_EQ(two.Opened, Dir / "more" + "/\n");
    Sheet first = ReadSheet(SheetPath(Dir / "more", "B", 1));
    Sheet second = ReadSheet(SheetPath(Dir / "more", "B", 2));
    ASSERT_TRUE(first.Loaded && second.Loaded);
    for (int k = 1; k <= 36; ++k) {
        EXPECT_TRUE(Near(TileCentre(first, k), ColourOf(k))) << "sheet 1 tile " << k;
        EXPECT_TRUE(Near(TileCentre(second, k), k == 1 ? ColourOf(37) : White)) << "sheet 2 tile " << k;
    }
}

TEST_F(RupinakoRunTest, PatternsComeBeforeNamesAndSubFoldersAndCapitalsAreFound)
{
    Dir.WriteFile("mix/z.bmp", SolidBmp(ColourOf(1)));
    Dir.WriteFile("mix/y.jpg", SolidJpeg(ColourOf(2)));
    Dir.WriteFile("mix/x.jpeg", SolidJpeg(ColourOf(3)));
    Dir.WriteFile("mix/deep/er/W.BMP", SolidBmp(ColourOf(4)));
    Dir.WriteFile("mix/deep/V.JPG", SolidJpeg(ColourOf(5)));
    ProgramRun run = RunProgram({Dir / "mix"});
    ASSERT_EQ(run.Result.ExitStatus, 0) << run.Result.Err;
    Sheet sheet = ReadSheet(SheetPath(Dir.Str(), "mix", 1));
    ASSERT_TRUE(sheet.Loaded);
    // bmp of every level first (breadth first), then jpg, then jpeg
    const Rgb want[] = {ColourOf(1), ColourOf(4), ColourOf(2), ColourOf(5), ColourOf(3), White};
    for (int k = 1; k <= 6; ++k)
        EXPECT_TRUE(Near(TileCentre(sheet, k), want[k - 1])) << "tile " << k;
}

TEST_F(RupinakoRunTest, SheetsFollowTheFolderBeingSearchedAtEachSave)
{
    MakePictures(Dir, "P/A", 40);
    Dir.MakeDir("P/B");
    ProgramRun run = RunProgram({Dir / "P/A", Dir / "P/B"});
    EXPECT_EQ(run.Result.Out, Summary(2));
    EXPECT_EQ(run.Opened, Dir / "P" + "/\n");
    Sheet a1 = ReadSheet(SheetPath(Dir / "P", "A", 1));
    Sheet b2 = ReadSheet(SheetPath(Dir / "P", "B", 2));
    ASSERT_TRUE(a1.Loaded && b2.Loaded);
    EXPECT_TRUE(Near(TileCentre(b2, 4), ColourOf(40)));
    EXPECT_TRUE(Near(TileCentre(b2, 5), White));
    EXPECT_EQ(FileCount(Dir / "P"), 42);

    MakePictures(Dir, "Q1/C", 37);
    MakePictures(Dir, "Q2/D", 1, 38);
    ProgramRun apart = RunProgram({Dir / "Q1/C", Dir / "Q2/D"});
    EXPECT_EQ(apart.Result.Out, Summary(2));
    EXPECT_TRUE(fs::exists(SheetPath(Dir / "Q1", "C", 1)));
    EXPECT_TRUE(fs::exists(SheetPath(Dir / "Q2", "D", 2)));
    EXPECT_EQ(apart.Opened, Dir / "Q2" + "/\n");
}

TEST_F(RupinakoRunTest, ArgumentsWithoutPicturesWriteNothing)
{
    std::string file = Dir.WriteFile("lone.bmp", SolidBmp(ColourOf(1)));
    Dir.MakeDir("empty");
    const std::vector<std::vector<std::string>> cases = {
        {file}, {Dir / "missing"}, {"/"}, {Dir / "empty"}, {""}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        ProgramRun run = RunProgram(args);
        EXPECT_EQ(run.Result.ExitStatus, 0);
        EXPECT_EQ(run.Result.Out, NothingFound + "\n");
        EXPECT_EQ(run.Opened, "");
        EXPECT_EQ(FileCount(Dir.Path()), 1);
    }
}

TEST_F(RupinakoRunTest, TrailingSlashOnAFolderWorksLikeTheFolder)
{
    MakePictures(Dir, "T/Trip", 2);
    ProgramRun run = RunProgram({Dir / "T/Trip/"});
    EXPECT_EQ(run.Result.Out, Summary(1));
    EXPECT_TRUE(fs::exists(SheetPath(Dir / "T", "Trip", 1)));
}

TEST_F(RupinakoRunTest, WithoutArgumentsItExplainsAndAsks)
{
    ProgramRun run = RunProgram({});
    EXPECT_EQ(run.Result.ExitStatus, 0);
    EXPECT_EQ(run.Result.Out.rfind("アイコン（実行ファイル）上にフォルダをドロップしてください。\n", 0), 0u) << run.Result.Out;
    EXPECT_NE(run.Result.Out.find("インフォメーションを参照しますか？"), std::string::npos);
    EXPECT_EQ(run.Opened, "");   // not a terminal: answered No
}

// Runs the program on a terminal (standard input, output and error), typing
// `answer` when it asks; returns everything the terminal showed.
std::string RunOnTerminal(const std::string& opener, const std::string& answer,
                          const std::vector<std::string>& args = {})
{
    std::vector<char*> argv{const_cast<char*>(Program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int master = -1;
    pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        setenv("RUPINAKO_HEADLESS", "1", 1);
        setenv("RUPINAKO_OPENER", opener.c_str(), 1);
        unsetenv("DISPLAY");
        execv(Program.c_str(), argv.data());
        _exit(127);
    }
    std::string seen;
    char buffer[4096];
    bool answered = false;
    for (;;) {
        ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, static_cast<std::size_t>(n));
        if (!answered && seen.find("(y/n)") != std::string::npos) {
            (void)!write(master, answer.data(), answer.size());
            answered = true;
        }
    }
    close(master);
    int status = 0;
    waitpid(pid, &status, 0);
    return seen;
}

TEST_F(RupinakoRunTest, AnsweringYesOpensTheInformationPage)
{
    TempDir work;
    std::string opener = work.WriteFile("opener.sh", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$0.log\"\n");
    fs::permissions(opener, fs::perms::owner_all);
    RunOnTerminal(opener, "y\n");
    std::string opened = ReadFileBytes(opener + ".log");
    EXPECT_EQ(opened.rfind("http://", 0), 0u) << opened;
    EXPECT_NE(opened.find("/info.php?pf=w&sn=rupinako\n"), std::string::npos) << opened;

    fs::remove(opener + ".log");
    RunOnTerminal(opener, "n\n");
    EXPECT_FALSE(fs::exists(opener + ".log"));
}

TEST_F(RupinakoRunTest, ProgressLineShowsOnATerminalOnly)
{
    MakePictures(Dir, "G/A", 3);
    TempDir work;
    std::string opener = work.WriteFile("opener.sh", "#!/bin/sh\nexit 0\n");
    fs::permissions(opener, fs::perms::owner_all);
    std::string screen = RunOnTerminal(opener, "", {Dir / "G/A"});
    // Drawn in place, cleared before the summary starts its line.
    EXPECT_NE(screen.find("\r\033[K" + Dir / "G/A" + ": 3 枚の画像, 0 枚のシート"), std::string::npos) << screen;
    // The beep (BEL on a terminal) comes before the summary.
    EXPECT_NE(screen.find("\r\033[K\a" + Summary(1).substr(0, Summary(1).size() - 1)), std::string::npos) << screen;

    ProgramRun piped = RunProgram({Dir / "G/A"});
    EXPECT_EQ(piped.Result.Err, "");
    EXPECT_EQ(piped.Result.Out, Summary(1));
}

struct FailureCase {
    const char* Label;
    std::function<std::string(const TempDir&)> Make;   // makes the bad entry, returns the message
};

TEST_F(RupinakoRunTest, FailuresEndTheRunWithTheMessageAndKeepEarlierSheets)
{
    const FailureCase cases[] = {
        {"folder named like a picture",
         [](const TempDir& d) { return "ファイル " + d.MakeDir("F/A/trip.jpg") + " は開けません."; }},
        {"corrupt bitmap",
         [](const TempDir& d) {
             d.WriteFile("F/A/zz.bmp", "BM this is not a bitmap at all");
             return std::string("ビットマップイメージが不正です.");
         }},
        {"JPEG named .bmp",
         [](const TempDir& d) {
             d.WriteFile("F/A/zz.bmp", SolidJpeg(ColourOf(1)));
             return std::string("ビットマップイメージが不正です.");
         }},
        {"text named .jpg",
         [](const TempDir& d) {
             d.WriteFile("F/A/notes.jpg", "just some text\n");
             return std::string("JPEG エラー #");
         }},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.Label);
        fs::remove_all(Dir / "F");
        MakePictures(Dir, "F/A", 37);
        std::string message = c.Make(Dir);
        int before = FileCount(Dir / "F");
        ProgramRun run = RunProgram({Dir / "F/A"});
        EXPECT_EQ(run.Result.ExitStatus, 1);
        EXPECT_EQ(run.Result.Out, "");
        EXPECT_NE(run.Result.Err.find(Title + ": " + message), std::string::npos) << run.Result.Err;
        EXPECT_EQ(run.Opened, "");
        Sheet first = ReadSheet(SheetPath(Dir / "F", "A", 1));
        ASSERT_TRUE(first.Loaded);
        EXPECT_TRUE(Near(TileCentre(first, 36), ColourOf(36)));
        EXPECT_FALSE(fs::exists(SheetPath(Dir / "F", "A", 2)));
        EXPECT_EQ(FileCount(Dir / "F"), before + 1);   // sheet 1 and nothing half-written
    }
}

TEST_F(RupinakoRunTest, UnwritableParentFolderFailsWithTheSheetName)
{
    MakePictures(Dir, "R/A", 3);
    fs::permissions(Dir.Path(), fs::perms::all, fs::perm_options::add);
    fs::permissions(Dir / "R/A", fs::perms::all, fs::perm_options::add);
    fs::permissions(Dir / "R", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    for (auto& e : fs::directory_iterator(Dir / "R/A"))
        fs::permissions(e.path(), fs::perms::all, fs::perm_options::add);
    int uid = geteuid() == 0 ? 65534 : -1;   // root writes anywhere: run as nobody
    std::string wrote = SheetPath(Dir / "R", "A", 1);
    ProgramRun run = RunProgram({Dir / "R/A"}, nullptr, uid);
    fs::permissions(Dir / "R", fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(run.Result.ExitStatus, 1);
    EXPECT_NE(run.Result.Err.find(Title + ": ファイル " + wrote + " を作成できません."), std::string::npos)
        << run.Result.Err;
    EXPECT_EQ(run.Result.Out, "");
    EXPECT_EQ(FileCount(Dir / "R"), 3);
}

TEST_F(RupinakoRunTest, SecondRunReplacesTheSheetsAndDoubleByteNamesStayWhole)
{
    std::string folder = "表示";
    MakePictures(Dir, folder, 2);
    RunProgram({Dir / folder});
    MakePictures(Dir, folder, 2, 10);   // p10.bmp, p11.bmp sort after p01, p02
    ProgramRun again = RunProgram({Dir / folder});
    EXPECT_EQ(again.Result.Out, Summary(1));
    Sheet sheet = ReadSheet(SheetPath(Dir.Str(), folder, 1));
    ASSERT_TRUE(sheet.Loaded);
    EXPECT_TRUE(Near(TileCentre(sheet, 3), ColourOf(10)));
    EXPECT_TRUE(Near(TileCentre(sheet, 4), ColourOf(11)));
    EXPECT_EQ(FileCount(Dir.Path()), 5);
}

TEST_F(RupinakoRunTest, SheetIsTheWindowEncodedAsBaselineJfifOfQuality80)
{
    MakePictures(Dir, "S/A", 13);
    ProgramRun run = RunProgram({Dir / "S/A"});
    ASSERT_EQ(run.Result.ExitStatus, 0) << run.Result.Err;
    Sheet sheet = ReadSheet(SheetPath(Dir / "S", "A", 1));
    ASSERT_TRUE(sheet.Loaded);
    EXPECT_EQ(sheet.Width, 600);
    EXPECT_EQ(sheet.Height, 600);
    EXPECT_EQ(sheet.Components, 3);
    EXPECT_TRUE(sheet.Jfif);
    EXPECT_TRUE(sheet.Baseline);
    EXPECT_EQ((std::vector<int>{sheet.YH, sheet.YV, sheet.CbH, sheet.CbV, sheet.CrH, sheet.CrV}),
              (std::vector<int>{2, 2, 1, 1, 1, 1}));
    std::vector<std::uint16_t> luma, chroma;
    ExpectedTables(80, luma, chroma);
    EXPECT_EQ(sheet.LumaTable, luma);
    EXPECT_EQ(sheet.ChromaTable, chroma);

    // The window: white, with each flat picture filling its tile.
    std::vector<std::uint8_t> window(600 * 600 * 3, 255);
    for (int k = 1; k <= 13; ++k) {
        auto [x0, y0] = TileOrigin(k);
        Rgb c = ColourOf(k);
        for (int y = y0; y < y0 + 100; ++y)
            for (int x = x0; x < x0 + 100; ++x) {
                std::size_t i = (static_cast<std::size_t>(y) * 600 + x) * 3;
                window[i] = static_cast<std::uint8_t>(c.R);
                window[i + 1] = static_cast<std::uint8_t>(c.G);
                window[i + 2] = static_cast<std::uint8_t>(c.B);
            }
    }
    EXPECT_TRUE(sheet.Pixels == EncodeDecodeLikeSheet(window, 600, 600));
}

TEST_F(RupinakoRunTest, HelpAndVersionAreTheOnlyArgument)
{
    ProgramRun help = RunProgram({"--help"});
    EXPECT_EQ(help.Result.ExitStatus, 0);
    EXPECT_NE(help.Result.Out.find("Usage: rupinako"), std::string::npos);
    ProgramRun version = RunProgram({"--version"});
    EXPECT_EQ(version.Result.ExitStatus, 0);
    EXPECT_EQ(version.Result.Out.rfind("rupinako ", 0), 0u);
    EXPECT_EQ(FileCount(Dir.Path()), 0);
}

}
