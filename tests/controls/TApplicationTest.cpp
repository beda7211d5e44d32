#include "platform/controls/TApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Dialogs.h"
#include "platform/controls/SystemCalls.h"
#include "platform/controls/TButton.h"
#include "platform/controls/TForm.h"
#include "platform/controls/TTimer.h"
#include "platform/rtl/CodePage.h"
#include "tests/controls/FakeDisplay.h"

namespace {

TNotifyEvent Handler(std::function<void(TObject*)> fn)
{
    return TNotifyEvent::FromFunction(std::move(fn));
}

TEST(Activation, FiresOnceAlsoWhenABoxGivesTheFocusBack)
{
    ControlsTestScope scope;
    Application->SetTitle("ルピナコ１：１");
    TForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_EQ(Application->MainForm(), form);
    int activations = 0;
    form->OnActivate = Handler([&](TObject* sender) {
        EXPECT_EQ(sender, form);
        EXPECT_TRUE(form->Active());
        ++activations;
        ShowMessage("箱");
    });
    // The window system hands the focus to the box and back again.
    scope.Fake->AfterBox = [&] {
        scope.Fake->Push(TInputKind::FocusOut, form->Handle());
        scope.Fake->Push(TInputKind::FocusIn, form->Handle());
    };
    scope.Fake->CloseWhenIdle = true;   // then the user closes the window

    Application->Run();

    EXPECT_EQ(activations, 1);
    ASSERT_EQ(scope.Fake->Boxes.size(), 1u);
    EXPECT_EQ(scope.Fake->Boxes[0].Caption, "ルピナコ１：１");
    EXPECT_EQ(scope.Fake->Boxes[0].Text, "箱");
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(form->Visible());
}

TEST(Activation, FocusFromAnotherFormActivatesAgainFocusFromElsewhereDoesNot)
{
    ControlsTestScope scope;
    TForm first(nullptr), second(nullptr);
    int firstCount = 0, secondCount = 0;
    first.OnActivate = Handler([&](TObject*) { ++firstCount; });
    second.OnActivate = Handler([&](TObject*) { ++secondCount; });

    first.Show();
    second.Show();
    EXPECT_EQ(TCustomForm::ActiveForm(), &second);
    EXPECT_FALSE(first.Active());

    scope.Fake->Push(TInputKind::FocusIn, first.Handle());    // back from the other form
    scope.Fake->Push(TInputKind::FocusOut, first.Handle());   // away to another program...
    scope.Fake->Push(TInputKind::FocusIn, first.Handle());    // ...and back
    Application->ProcessMessages();
    EXPECT_EQ(firstCount, 2);
    EXPECT_EQ(secondCount, 1);
    EXPECT_TRUE(first.Active());
}

TEST(Run, ClosingTheMainFormEndsRunOtherFormsDoNot)
{
    ControlsTestScope scope;
    TForm* main = nullptr;
    TForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    EXPECT_EQ(Application->MainForm(), main);
    other->Show();
    other->Close();
    EXPECT_FALSE(Application->Terminated());

    TTimer closer(nullptr);
    closer.SetInterval(10);
    closer.OnTimer = Handler([&](TObject*) { main->Close(); });
    scope.Now += 10;   // due on the first idle step
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(main->Visible());
}

// Message handlers that raise: every failure is shown, and the loop goes on.
TEST(Run, ExceptionsInHandlersAreShownAndTheLoopGoesOn)
{
    ControlsTestScope scope;
    Application->SetTitle("ルピナコ１：１");
    TForm* form = nullptr;
    Application->CreateForm(form);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetCaption("&OK");
    button->SetBounds(0, 0, 50, 20);
    int clicks = 0;
    form->OnActivate = Handler([](TObject*) { throw EFOpenError("ファイル /x/trip.jpg は開けません"); });
    button->OnClick = Handler([&](TObject*) {
        if (++clicks == 1)
            throw Exception("Stopped.");
        if (clicks == 2)
            Abort();
    });
    scope.Fake->PushChar(form->Handle(), "o");
    scope.Fake->PushChar(form->Handle(), "o");
    scope.Fake->PushChar(form->Handle(), "O");
    scope.Fake->CloseWhenIdle = true;
    Application->Run();

    EXPECT_EQ(clicks, 3);
    ASSERT_EQ(scope.Fake->Boxes.size(), 2u);   // EAbort is silent
    EXPECT_EQ(scope.Fake->Boxes[0].Kind, "error");
    EXPECT_EQ(scope.Fake->Boxes[0].Caption, "ルピナコ１：１");
    EXPECT_EQ(scope.Fake->Boxes[0].Text, "ファイル /x/trip.jpg は開けません.");
    EXPECT_EQ(scope.Fake->Boxes[1].Text, "Stopped.");
}

TEST(ExceptionText, FullStopOnlyAfterACharacterThatSortsAfterIt)
{
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"ビットマップイメージが不正です", "ビットマップイメージが不正です."},
        {"JPEG エラー #42", "JPEG エラー #42."},
        {"done.", "done."},
        {"Stop!", "Stop!"},
        {"(x)", "(x)"},
        {"what?", "what?."},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TApplication::ExceptionText(c.message), c.shown) << c.message;
    // Code page 932: the last character is the double-byte ソ (83 5C).
    SetActiveCodePage(CP_SHIFT_JIS);
    EXPECT_EQ(TApplication::ExceptionText("a\x83\x5c"), "a\x83\x5c.");
    EXPECT_EQ(TApplication::ExceptionText("a\x83\x5c!"), "a\x83\x5c!");
    SetActiveCodePage(CP_UTF8);
}

TEST(Timer, FiresFromTheInjectedClock)
{
    ControlsTestScope scope;
    TTimer timer(nullptr);
    timer.SetInterval(100);   // due at 1100
    int ticks = 0;
    timer.OnTimer = Handler([&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    auto at = [&](std::int64_t now) {
        scope.Now = now;
        Application->HandleMessage();
        return ticks;
    };
    EXPECT_EQ(at(1099), 0);
    EXPECT_EQ(at(1100), 1);
    EXPECT_EQ(at(1150), 1);
    EXPECT_EQ(at(1350), 2);   // an overrun period fires once...
    EXPECT_EQ(at(1400), 2);   // ...and the next starts when it fired
    EXPECT_EQ(at(1450), 3);
    timer.SetEnabled(false);
    EXPECT_EQ(at(2000), 3);
    timer.SetEnabled(true);   // a new period from now
    EXPECT_EQ(at(2099), 3);
    EXPECT_EQ(at(2100), 4);
}

TEST(Timer, AHandlerMayDeleteTimers)
{
    ControlsTestScope scope;
    auto* first = new TTimer(nullptr);
    auto* second = new TTimer(nullptr);
    TTimer third(nullptr);
    for (TTimer* t : {first, second, &third})
        t->SetInterval(10);
    int thirdTicks = 0;
    first->OnTimer = Handler([&](TObject*) {
        delete second;
        delete first;
    });
    second->OnTimer = Handler([&](TObject*) { ADD_FAILURE() << "a deleted timer fired"; });
    third.OnTimer = Handler([&](TObject*) { ++thirdTicks; });
    scope.Now += 10;
    Application->ProcessMessages();
    EXPECT_EQ(thirdTicks, 1);
}

TEST(Boxes, CaptionsAnswersAndBeep)
{
    ControlsTestScope scope;
    Application->SetTitle("題");
    ShowMessage("本文");
    scope.Fake->ConfirmAnswer = 6;
    EXPECT_EQ(MessageDlg("見ますか？", mtConfirmation, {mbYes, mbNo}, 0), mrYes);
    scope.Fake->ConfirmAnswer = 7;
    EXPECT_EQ(MessageDlg("見ますか？", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    ASSERT_EQ(scope.Fake->Boxes.size(), 3u);
    EXPECT_EQ(scope.Fake->Boxes[0].Kind, "message");
    EXPECT_EQ(scope.Fake->Boxes[0].Caption, "題");
    EXPECT_EQ(scope.Fake->Boxes[1].Kind, "confirm");
    EXPECT_EQ(scope.Fake->Boxes[1].Caption, "確認");
    EXPECT_EQ(scope.Fake->Boxes[1].Text, "見ますか？");

    EXPECT_TRUE(MessageBeep(0));
    EXPECT_EQ(scope.Fake->Beeps, 1);
}

}
