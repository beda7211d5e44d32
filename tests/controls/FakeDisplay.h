#pragma once
// A display back end for the controls tests: it records what the layer asks
// of it and plays back a script of input events. When the script runs dry it
// can ask every shown window to close, so that a Run under test always ends.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/DisplayBackEnd.h"
#include "platform/controls/TApplication.h"

class FakeDisplay final : public DisplayBackEnd {
public:
    struct Box {
        std::string Kind;   // "message", "confirm", "error"
        std::string Caption;
        std::string Text;
    };

    bool IsHeadless() const override { return true; }
    TWindowId CreateFormWindow(const TWindowOptions& options) override
    {
        Created.push_back(options);
        return ++LastWindow;
    }
    void DestroyFormWindow(TWindowId window) override { Destroyed.push_back(window); }
    void SetCaption(TWindowId, const std::string& caption) override { Captions.push_back(caption); }
    void ShowFormWindow(TWindowId window, bool visible) override
    {
        if (visible)
            Shown.push_back(window);
    }
    void Present(TWindowId window, const std::uint32_t* pixels, int width, int height) override
    {
        ++PresentCount;
        PresentedWindow = window;
        Presented.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        PresentedWidth = width;
        PresentedHeight = height;
    }
    void AcceptDroppedFiles(TWindowId window, bool accept) override { DropTargets.push_back({window, accept}); }
    void AnswerDesktop() override { ++Answers; }
    bool NextInput(TInputEvent& event, int) override
    {
        if (Input.empty()) {
            if (!CloseWhenIdle || Shown.empty())
                return false;
            event = {};
            event.Kind = TInputKind::CloseRequest;
            event.Window = Shown.front();
            return true;
        }
        event = Input.front();
        Input.pop_front();
        return true;
    }
    void MessageBox(const std::string& caption, const std::string& text) override
    {
        Boxes.push_back({"message", caption, text});
        if (AfterBox)
            AfterBox();
    }
    int Confirm(const std::string& caption, const std::string& text) override
    {
        Boxes.push_back({"confirm", caption, text});
        if (AfterBox)
            AfterBox();
        return ConfirmAnswer;
    }
    void ErrorBox(const std::string& caption, const std::string& text) override
    {
        Boxes.push_back({"error", caption, text});
        if (AfterBox)
            AfterBox();
    }
    void Beep() override { ++Beeps; }

    // Script helpers.
    void Push(TInputKind kind, TWindowId window, int x = 0, int y = 0, int button = 0)
    {
        TInputEvent e;
        e.Kind = kind;
        e.Window = window;
        e.X = x;
        e.Y = y;
        e.Button = button;
        Input.push_back(e);
    }
    void PushChar(TWindowId window, const std::string& text)
    {
        TInputEvent e;
        e.Kind = TInputKind::Char;
        e.Window = window;
        e.Text = text;
        Input.push_back(e);
    }

    std::vector<TWindowOptions> Created;
    std::vector<TWindowId> Destroyed;
    std::vector<TWindowId> Shown;
    std::vector<std::string> Captions;
    std::vector<std::pair<TWindowId, bool>> DropTargets;
    std::vector<std::uint32_t> Presented;
    int PresentedWidth = 0;
    int PresentedHeight = 0;
    TWindowId PresentedWindow = 0;
    int PresentCount = 0;
    int Answers = 0;
    int Beeps = 0;
    std::vector<Box> Boxes;
    std::deque<TInputEvent> Input;
    std::function<void()> AfterBox;
    int ConfirmAnswer = 7;
    bool CloseWhenIdle = false;
    TWindowId LastWindow = 0;
};

class FakeClock final : public TApplicationClock {
public:
    explicit FakeClock(std::int64_t* now) : FNow(now) {}
    std::int64_t Now() override { return *FNow; }

private:
    std::int64_t* FNow;
};

class FakeCursor final : public TCursorSource {
public:
    explicit FakeCursor(TPoint* pos) : FPos(pos) {}
    TPoint CursorPos() override { return *FPos; }

private:
    TPoint* FPos;
};

// Installs a fresh FakeDisplay and a fresh application object with a
// controllable clock for one test, and puts the defaults back afterwards.
class ControlsTestScope {
public:
    ControlsTestScope()
    {
        auto display = std::make_unique<FakeDisplay>();
        Fake = display.get();
        SetDisplayBackEnd(std::move(display));
        FSaved = Application;
        FApp = std::make_unique<TApplication>(nullptr);
        FApp->SetClock(std::make_unique<FakeClock>(&Now));
        Application = FApp.get();
    }
    ~ControlsTestScope()
    {
        FApp.reset();   // deletes the forms it owns while the fake still records
        Application = FSaved;
        SetDisplayBackEnd(nullptr);
    }
    ControlsTestScope(const ControlsTestScope&) = delete;
    ControlsTestScope& operator=(const ControlsTestScope&) = delete;

    void UseCursor() { Application->SetCursorSource(std::make_unique<FakeCursor>(&Cursor)); }

    FakeDisplay* Fake = nullptr;
    std::int64_t Now = 1000;
    TPoint Cursor;

private:
    TApplication* FSaved = nullptr;
    std::unique_ptr<TApplication> FApp;
};
