#include "platform/display/HeadlessDisplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::string Contents(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    std::string s;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        s.push_back(char(c));
    return s;
}

// Temporary files stand in for the standard streams: they are not terminals.
struct Streams {
    std::FILE* Out = std::tmpfile();
    std::FILE* Err = std::tmpfile();
    std::FILE* In = std::tmpfile();
    ~Streams()
    {
        std::fclose(Out);
        std::fclose(Err);
        std::fclose(In);
    }
    THeadlessStreams Get() const { return {Out, Err, In}; }
};

// A pseudo-terminal: the display reads its answers from the terminal side.
struct Terminal {
    int Master = -1;
    std::FILE* Slave = nullptr;
    Terminal()
    {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
            return;
        Slave = std::fopen(ptsname(Master), "r+");
    }
    ~Terminal()
    {
        if (Slave)
            std::fclose(Slave);
        if (Master >= 0)
            close(Master);
    }
    void Type(const std::string& keys) const { ASSERT_EQ(write(Master, keys.data(), keys.size()), ssize_t(keys.size())); }
};

class AutoAnswerUnset {
public:
    AutoAnswerUnset() { unsetenv("RUPINAKO_TEST_AUTOANSWER"); }
};

TEST(HeadlessDisplayTest, WindowsAreRecordsThatKeepTheLastPresentedBuffer)
{
    HeadlessDisplay display;
    TWindowOptions options;
    options.Caption = "ルピナコ１：１";
    options.ClientWidth = 3;
    options.ClientHeight = 2;
    TWindowId a = display.CreateFormWindow(options);
    TWindowId b = display.CreateFormWindow(options);
    ASSERT_NE(a, 0u);
    ASSERT_NE(a, b);

    display.SetCaption(a, "１枚目");
    display.ShowFormWindow(a, true);
    display.AcceptDroppedFiles(a, true);
    const std::uint32_t first[6] = {1, 2, 3, 4, 5, 6};
    const std::uint32_t second[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0, 0xFFFFFF, 0x123456};
    display.Present(a, first, 3, 2);
    display.Present(a, second, 3, 2);

    const THeadlessWindow* w = display.FindWindow(a);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Options.Caption, "１枚目");
    EXPECT_TRUE(w->Visible);
    EXPECT_TRUE(w->AcceptsDroppedFiles);
    EXPECT_EQ(w->PresentCount, 2);
    EXPECT_EQ(w->Width, 3);
    EXPECT_EQ(w->Height, 2);
    EXPECT_EQ(w->Pixels, std::vector<std::uint32_t>(second, second + 6));
    EXPECT_EQ(display.FindWindow(b)->PresentCount, 0);

    display.DestroyFormWindow(a);
    EXPECT_EQ(display.FindWindow(a), nullptr);
    // A gone window is ignored, not a crash.
    display.Present(a, first, 3, 2);
    display.SetCaption(a, "x");
    EXPECT_NE(display.FindWindow(b), nullptr);
}

TEST(HeadlessDisplayTest, BoxesWriteOneLineToTheirStreams)
{
    AutoAnswerUnset unset;
    Streams s;
    HeadlessDisplay display(s.Get());
    display.MessageBox("ルピナコ１：１", "アイコン（実行ファイル）上にフォルダをドロップしてください。");
    display.ErrorBox("ルピナコ１：１", "ファイル /a/b.bmp は開けません");
    display.Beep();   // not a terminal: nothing at all
    EXPECT_EQ(Contents(s.Out), "アイコン（実行ファイル）上にフォルダをドロップしてください。\n");
    EXPECT_EQ(Contents(s.Err), "ルピナコ１：１: ファイル /a/b.bmp は開けません\n");
}

TEST(HeadlessDisplayTest, ConfirmationWithoutTerminalPrintsTheQuestionAndAnswersNo)
{
    AutoAnswerUnset unset;
    Streams s;
    std::fputs("yes\n", s.In);   // something to read, which must not be read
    std::rewind(s.In);
    HeadlessDisplay display(s.Get());
    EXPECT_EQ(display.Confirm("確認", "インフォメーションを参照しますか？"), 7);
    EXPECT_EQ(Contents(s.Out), "インフォメーションを参照しますか？ (y/n) \n");
    EXPECT_EQ(std::ftell(s.In), 0);
}

TEST(HeadlessDisplayTest, ConfirmationReadsTheAnswerFromATerminal)
{
    AutoAnswerUnset unset;
    struct Case {
        const char* Typed;
        int Expected;
    } cases[] = {{"y\n", 6}, {"yes\n", 6}, {"Y\n", 6}, {" YES \n", 6}, {"n\n", 7}, {"\n", 7}, {"yess\n", 7}, {"はい\n", 7}};
    for (const Case& c : cases) {
        Terminal tty;
        ASSERT_NE(tty.Slave, nullptr) << "no pseudo-terminal";
        Streams s;
        HeadlessDisplay display({s.Out, s.Err, tty.Slave});
        tty.Type(c.Typed);
        EXPECT_EQ(display.Confirm("確認", "参照しますか？"), c.Expected) << c.Typed;
        EXPECT_EQ(Contents(s.Out), "参照しますか？ (y/n) ");
    }
}

TEST(HeadlessDisplayTest, BeepRingsOnlyOnATerminal)
{
    Terminal tty;
    ASSERT_NE(tty.Slave, nullptr) << "no pseudo-terminal";
    HeadlessDisplay display({stdout, tty.Slave, stdin});
    display.Beep();
    char c = 0;
    ASSERT_EQ(read(tty.Master, &c, 1), 1);
    EXPECT_EQ(c, '\a');
}

TEST(HeadlessDisplayTest, AutoAnswerHookAnswersWithoutReading)
{
    Streams s;
    HeadlessDisplay display(s.Get());
    setenv("RUPINAKO_TEST_AUTOANSWER", "yes", 1);
    EXPECT_EQ(display.Confirm("確認", "Q"), 6);
    setenv("RUPINAKO_TEST_AUTOANSWER", "no", 1);
    EXPECT_EQ(display.Confirm("確認", "Q"), 7);
    unsetenv("RUPINAKO_TEST_AUTOANSWER");
    EXPECT_EQ(Contents(s.Out), "Q (y/n) \nQ (y/n) \n");
}

TEST(HeadlessDisplayTest, OnlyInjectedInputArrivesInOrder)
{
    HeadlessDisplay display;
    TInputEvent e;
    EXPECT_FALSE(display.NextInput(e, 0));
    EXPECT_FALSE(display.NextInput(e, 5));

    TInputEvent down;
    down.Kind = TInputKind::MouseDown;
    down.X = 10;
    down.Button = 1;
    TInputEvent close;
    close.Kind = TInputKind::CloseRequest;
    display.PushInput(down);
    display.PushInput(close);
    ASSERT_TRUE(display.NextInput(e, 0));
    EXPECT_EQ(e.Kind, TInputKind::MouseDown);
    EXPECT_EQ(e.X, 10);
    ASSERT_TRUE(display.NextInput(e, 0));
    EXPECT_EQ(e.Kind, TInputKind::CloseRequest);
    EXPECT_FALSE(display.NextInput(e, 0));

    // An event pushed from elsewhere wakes a waiting NextInput.
    std::thread pusher([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        display.PushInput(down);
    });
    bool got = display.NextInput(e, 10000);
    pusher.join();
    EXPECT_TRUE(got);
}

}  // namespace
