#pragma once
// TApplication: the program's application object (the global Application)
// and its message loop.
//
//   Application->Initialize();
//   Application->SetTitle("...");
//   Application->CreateForm<TMainForm1>(MainForm1);   // the first form is MainForm
//   Application->Run();                              // until the main form closes
//
// Run shows the main form (which activates it), then loops until Terminate:
// each step takes one input event from the display back end and routes it,
// and when none is waiting runs the idle step. Routing:
//   mouse      to the capture holder, or else to the deepest visible, enabled
//              control under the cursor (the form itself when none), as WM_
//              mouse messages in its client coordinates; a second left press
//              within DoubleClickTime on the same control becomes
//              WM_LBUTTONDBLCLK for controls with csDoubleClicks;
//   characters as CM_DIALOGCHAR (WParam: the code point) to the form, which
//              broadcasts it to its controls; Enter and Esc as CM_DIALOGKEY;
//   close box  Close on the form; focus in: the activation rule of
//              TCustomForm; expose: the form presents its buffer again.
// The idle step sends CM_MOUSELEAVE / CM_MOUSEENTER (LParam: the control)
// when the control under the cursor (disabled ones included) changed, fires
// due timers, paints what was invalidated, and waits for input at most until
// the next timer is due.
//
// Tests and tools can inject the clock (milliseconds) and the cursor
// position (screen coordinates); by default the clock is the system's steady
// clock and the cursor is where the last mouse event put it.
//
// Failure: an exception that leaves a message handler, an event handler or
// the activation goes to HandleException, and the loop goes on. EAbort is
// silent. Other exceptions of the Exception family are shown by
// ShowException (an error box captioned with the title; the text is the
// message, with "." appended when its last character sorts after ".");
// other C++ exceptions are shown by their text, unknown ones with an empty
// message. OnException, when assigned, replaces the display.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/classes/TComponent.h"
#include "platform/classes/TEvent.h"
#include "platform/controls/DisplayBackEnd.h"
#include "platform/graphics/Types.h"

class TControl;
class TCustomForm;

class TApplicationClock {
public:
    virtual ~TApplicationClock() = default;
    virtual std::int64_t Now() = 0;   // milliseconds, never going back
};

class TCursorSource {
public:
    virtual ~TCursorSource() = default;
    virtual TPoint CursorPos() = 0;   // screen coordinates
};

using TExceptionEvent = TEvent<TObject*, const Exception&>;

class TApplication : public TComponent {
    RUPINAKO_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner = nullptr);
    ~TApplication() override;

    void Initialize() {}
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }

    // Creates a form owned by the application into ref; the first form created
    // becomes MainForm. Exceptions of the form's constructor pass on, ref stays null.
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = nullptr;
        T* form = new T(this);
        ref = form;
        if (!FMainForm)
            FMainForm = form;
    }
    TCustomForm* MainForm() const { return FMainForm; }

    void Run();
    // Handles every waiting input event, fires due timers and paints.
    void ProcessMessages();
    // One step of the loop: one event, or the idle step when none waits.
    void HandleMessage();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }

    // Call inside a catch block: shows (or drops, for EAbort) the exception in flight.
    void HandleException(TObject* sender);
    void ShowException(const Exception& e);
    // The text ShowException shows for a message.
    static std::string ExceptionText(const std::string& message);

    // A box captioned caption (the title when empty): flags MB_ICONSTOP or
    // MB_ICONERROR make it the error box, MB_YESNO the question (IDYES/IDNO),
    // anything else the plain box (IDOK).
    int MessageBox(const std::string& text, const std::string& caption = {}, unsigned flags = 0);

    std::int64_t Now();
    void SetClock(std::unique_ptr<TApplicationClock> clock) { FClock = std::move(clock); }
    TPoint CursorPos();
    // null returns to the position of the last mouse event.
    void SetCursorSource(std::unique_ptr<TCursorSource> cursor) { FCursor = std::move(cursor); }
    // The top bit (result < 0) is set while the key or mouse button is down.
    short KeyState(int virtualKey) const;
    static constexpr std::int64_t DoubleClickTime = 500;

    // The control under the cursor as the idle step last saw it.
    TControl* MouseControl() const { return FMouseControl; }
    // The deepest visible control of a shown form under a screen point (the
    // form itself when no control is there), enabled unless allowDisabled.
    static TControl* FindControlAt(TPoint screen, bool allowDisabled);

    // Called by controls and forms as they go away.
    void ControlDestroying(TControl* control);
    void FormDestroying(TCustomForm* form);

    TExceptionEvent OnException;

private:
    bool ProcessMessage();
    void Idle();
    void Route(const TInputEvent& event);
    void RouteMouse(TCustomForm* form, const TInputEvent& event);
    void UpdateMouseControl();
    void PaintInvalidatedForms();
    void FireTimers();
    void TrackKeys(const TInputEvent& event);
    std::uintptr_t MouseKeyFlags() const;

    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    std::unique_ptr<TApplicationClock> FClock;
    std::unique_ptr<TCursorSource> FCursor;
    TPoint FLastCursor;
    bool FCursorKnown = false;
    std::array<bool, 256> FKeys{};
    TControl* FMouseControl = nullptr;
    TControl* FLastDownControl = nullptr;
    std::int64_t FLastDownTime = 0;
    TPoint FLastDownPos;
    int FLastDownButton = 0;
};

// The application object; it lives as long as the program.
extern TApplication* Application;

inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_YESNO = 0x0004;
inline constexpr unsigned MB_ICONSTOP = 0x0010;
inline constexpr unsigned MB_ICONERROR = MB_ICONSTOP;
inline constexpr unsigned MB_ICONQUESTION = 0x0020;
inline constexpr int IDOK = 1;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
