// How the application's loop routes the mouse and the keyboard to controls.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/TypeInfo.h"
#include "platform/controls/SystemCalls.h"
#include "platform/controls/TApplication.h"
#include "platform/controls/TButton.h"
#include "platform/controls/TForm.h"
#include "platform/controls/TGraphicControl.h"
#include "platform/rtl/Format.h"
#include "tests/controls/FakeDisplay.h"

namespace {

// A windowless control that writes down what reaches it.
class TProbe : public TGraphicControl {
    RUPINAKO_CLASS(TProbe)
    RUPINAKO_MESSAGES(TProbe)
public:
    TProbe(TComponent* owner, std::string name, std::vector<std::string>* log)
        : TGraphicControl(owner), FLabel(std::move(name)), FLog(log)
    {
        auto put = [this](const std::string& what) { FLog->push_back(FLabel + " " + what); };
        OnMouseDown = TMouseEvent::FromFunction([put](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            put(std::string(s & ssDouble ? "double" : "down") + (b == mbRight ? "R " : " ") + IntToStr(x) + "," +
                IntToStr(y));
        });
        OnMouseMove = TMouseMoveEvent::FromFunction(
            [put](TObject*, TShiftState, int x, int y) { put("move " + IntToStr(x) + "," + IntToStr(y)); });
        OnMouseUp = TMouseEvent::FromFunction([put](TObject*, TMouseButton, TShiftState, int x, int y) {
            put("up " + IntToStr(x) + "," + IntToStr(y));
        });
        OnClick = TNotifyEvent::FromFunction([put](TObject*) { put("click"); });
        OnDblClick = TNotifyEvent::FromFunction([put](TObject*) { put("dblclick"); });
    }

private:
    void CMMouseEnter(TMessage& m)
    {
        EXPECT_EQ(m.LParam, reinterpret_cast<std::intptr_t>(this));
        FLog->push_back(FLabel + " enter");
    }
    void CMMouseLeave(TMessage&) { FLog->push_back(FLabel + " leave"); }

    std::string FLabel;
    std::vector<std::string>* FLog;
};

}

const TClassInfo& TProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TProbe>("TProbe", TGraphicControl::StaticClassInfo()).Build();
    return info;
}

const TMessageMap& TProbe::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TProbe>(TGraphicControl::StaticMessageMap())
                                       .On(CM_MOUSEENTER, &TProbe::CMMouseEnter)
                                       .On(CM_MOUSELEAVE, &TProbe::CMMouseLeave)
                                       .Build();
    return map;
}

namespace {

using Log = std::vector<std::string>;

class MouseRouting : public ::testing::Test {
protected:
    ControlsTestScope scope;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    Log log;
    TProbe* a = nullptr;
    TProbe* b = nullptr;
    TWindowId window = 0;

    void SetUp() override
    {
        form->SetBounds(50, 30, 0, 0);
        form->SetClientWidth(200);
        form->SetClientHeight(100);
        a = Add("a", 10, 10, 40, 40);
        b = Add("b", 40, 10, 40, 40);   // overlaps a's right part, on top of it
        form->Show();
        window = form->Handle();
    }

    TProbe* Add(const std::string& name, int left, int top, int w, int h)
    {
        auto* p = new TProbe(form.get(), name, &log);
        p->SetParent(form.get());
        p->SetBounds(left, top, w, h);
        return p;
    }

    void Mouse(TInputKind kind, int x, int y, int button = 1) { scope.Fake->Push(kind, window, x, y, button); }
    Log Take()
    {
        Application->ProcessMessages();
        Log taken;
        taken.swap(log);
        return taken;
    }
    Log Idle()
    {
        Application->HandleMessage();
        Log taken;
        taken.swap(log);
        return taken;
    }
};

TEST_F(MouseRouting, EnterAndLeaveFollowTheInjectedCursorFromTheIdleStep)
{
    scope.UseCursor();
    scope.Cursor = form->ClientToScreen({20, 20});
    EXPECT_EQ(Idle(), (Log{"a enter"}));
    EXPECT_EQ(Idle(), Log{});   // still there: nothing new
    scope.Cursor = form->ClientToScreen({45, 20});
    EXPECT_EQ(Idle(), (Log{"a leave", "b enter"}));
    b->SetEnabled(false);   // disabled controls are still under the cursor
    EXPECT_EQ(Idle(), Log{});
    scope.Cursor = form->ClientToScreen({150, 80});
    EXPECT_EQ(Idle(), (Log{"b leave"}));
    EXPECT_EQ(Application->MouseControl(), form.get());
}

TEST_F(MouseRouting, AClickInsideReachesTheTopmostControlInItsOwnCoordinates)
{
    Mouse(TInputKind::MouseDown, 15, 25);
    Mouse(TInputKind::MouseUp, 16, 25);
    Mouse(TInputKind::MouseDown, 45, 12);   // where a and b overlap: b is on top
    Mouse(TInputKind::MouseUp, 45, 12);
    EXPECT_EQ(Take(), (Log{"a down 5,15", "a click", "a up 6,15", "b down 5,2", "b click", "b up 5,2"}));
}

TEST_F(MouseRouting, TheCaptureHolderGetsTheMouseUntilRelease)
{
    Mouse(TInputKind::MouseDown, 15, 15);
    Application->ProcessMessages();
    EXPECT_EQ(CaptureControl(), a);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    Mouse(TInputKind::MouseMove, 150, 80);
    Mouse(TInputKind::MouseUp, 150, 80);
    Mouse(TInputKind::MouseMove, 20, 20);   // no capture any more: to whatever lies below
    EXPECT_EQ(Take(), (Log{"a down 5,5", "a move 140,70", "a up 140,70", "a move 10,10"}));
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
}

TEST_F(MouseRouting, QuickSecondPressIsADoubleClickOnlyForControlsThatAskForIt)
{
    Mouse(TInputKind::MouseDown, 15, 15);
    Mouse(TInputKind::MouseUp, 15, 15);
    Mouse(TInputKind::MouseDown, 15, 15);
    Mouse(TInputKind::MouseUp, 15, 15);
    EXPECT_EQ(Take(), (Log{"a down 5,5", "a click", "a up 5,5", "a dblclick", "a double 5,5", "a up 5,5"}));

    // Too late for a double click.
    Mouse(TInputKind::MouseDown, 15, 15);
    Mouse(TInputKind::MouseUp, 15, 15);
    Take();
    scope.Now += TApplication::DoubleClickTime + 1;
    Mouse(TInputKind::MouseDown, 15, 15);
    EXPECT_EQ(Take(), (Log{"a down 5,5"}));
    Mouse(TInputKind::MouseUp, 15, 15);
    Take();

    a->SetControlStyle(a->ControlStyle() & ~csDoubleClicks);
    Mouse(TInputKind::MouseDown, 15, 15);
    Mouse(TInputKind::MouseUp, 15, 15);
    Mouse(TInputKind::MouseDown, 15, 15);
    Mouse(TInputKind::MouseUp, 15, 15);
    EXPECT_EQ(Take(), (Log{"a down 5,5", "a click", "a up 5,5", "a down 5,5", "a click", "a up 5,5"}));
}

TEST_F(MouseRouting, HiddenAndDisabledControlsLetTheMouseThrough)
{
    b->SetVisible(false);
    Mouse(TInputKind::MouseDown, 45, 12, 3);   // right button, now on a
    Mouse(TInputKind::MouseUp, 45, 12, 3);
    EXPECT_EQ(Take(), (Log{"a downR 35,2", "a up 35,2"}));
    a->SetEnabled(false);
    Mouse(TInputKind::MouseDown, 15, 15);   // the form's own now
    Mouse(TInputKind::MouseUp, 15, 15);
    EXPECT_EQ(Take(), Log{});
}

TEST_F(MouseRouting, AcceleratorCharactersAndDialogKeysReachButtons)
{
    auto* open = new TButton(form.get());
    open->SetParent(form.get());
    open->SetCaption("&Open");
    open->SetDefault(true);
    auto* quit = new TButton(form.get());
    quit->SetParent(form.get());
    quit->SetCaption("Quit");
    quit->SetCancel(true);
    int opens = 0, quits = 0;
    open->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++opens; });
    quit->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++quits; });

    scope.Fake->PushChar(window, "o");
    scope.Fake->PushChar(window, "q");   // Quit has no hot key
    TInputEvent key;
    key.Kind = TInputKind::KeyDown;
    key.Window = window;
    key.Key = VK_RETURN;
    scope.Fake->Input.push_back(key);
    key.Key = VK_ESCAPE;
    scope.Fake->Input.push_back(key);
    Take();
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(quits, 1);

    open->SetVisible(false);
    scope.Fake->PushChar(window, "O");
    Take();
    EXPECT_EQ(opens, 2);
}

TEST_F(MouseRouting, DestroyedControlsAreForgotten)
{
    scope.UseCursor();
    scope.Cursor = form->ClientToScreen({20, 20});
    Idle();
    Mouse(TInputKind::MouseDown, 15, 15);
    Application->ProcessMessages();
    log.clear();
    delete a;
    EXPECT_EQ(CaptureControl(), nullptr);
    EXPECT_EQ(Application->MouseControl(), nullptr);
    Mouse(TInputKind::MouseUp, 15, 15);
    EXPECT_EQ(Take(), Log{});
    EXPECT_EQ(form->ControlCount(), 1);
}

}
