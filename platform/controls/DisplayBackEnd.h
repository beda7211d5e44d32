#pragma once
// The interface between the controls layer and a display back end.
//
// The controls layer draws every form into a 32-bit pixel buffer of its own
// (0x00RRGGBB words, rows top to bottom) and asks the back end to present it;
// the back end never draws controls itself. Two back ends implement this
// (platform/display): "headless", with no window at all, and "window" (GTK 3).
// The program installs one with SetDisplayBackEnd() before Application runs;
// when none is installed, the controls layer behaves as headless would with
// no input at all.
//
// Threads: everything is called on the GUI thread.
// Failure: a back end that cannot open its display is not created (see
// platform/display/DisplayFactory.h); once created, its calls do not throw.

#include <cstdint>
#include <memory>
#include <string>

using TWindowId = std::uintptr_t;   // 0 is no window

struct TWindowOptions {
    std::string Caption;      // UTF-8
    int ClientWidth = 0;      // exact client area in pixels, whatever the scaling
    int ClientHeight = 0;
    bool StayOnTop = false;   // kept above ordinary windows
    bool ToolWindow = false;  // small caption, close box only
    bool FixedSize = false;
    bool Centred = false;     // centred on the desktop when shown
};

enum class TInputKind { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp, Char, CloseRequest, Expose, FocusIn, FocusOut };

struct TInputEvent {
    TInputKind Kind = TInputKind::MouseMove;
    TWindowId Window = 0;
    int X = 0, Y = 0;         // client coordinates (mouse events)
    int Button = 0;           // 1 left, 2 middle, 3 right
    bool DoubleClick = false;
    unsigned Key = 0;         // virtual key code (KeyDown/KeyUp)
    std::string Text;         // UTF-8 character (Char)
    unsigned Shift = 0;       // ssShift 1, ssAlt 2, ssCtrl 4
};

class DisplayBackEnd {
public:
    virtual ~DisplayBackEnd() = default;

    virtual bool IsHeadless() const = 0;

    virtual TWindowId CreateFormWindow(const TWindowOptions& options) = 0;
    virtual void DestroyFormWindow(TWindowId window) = 0;
    virtual void SetCaption(TWindowId window, const std::string& caption) = 0;
    virtual void ShowFormWindow(TWindowId window, bool visible) = 0;
    // Shows these pixels as the window's client area, 1 : 1, now.
    virtual void Present(TWindowId window, const std::uint32_t* pixels, int width, int height) = 0;

    // Registers the window as a drop target for files from the desktop (or
    // withdraws it). Drops are accepted by the cursor and then ignored: no
    // input event reports them.
    virtual void AcceptDroppedFiles(TWindowId window, bool accept) = 0;

    // Lets the back end answer the desktop (so a busy window is not marked as
    // hung) without handing out input: input that arrives waits in the queue.
    virtual void AnswerDesktop() = 0;
    // Takes the next queued input event; false when there is none. With
    // timeoutMs > 0 it waits up to that long for one.
    virtual bool NextInput(TInputEvent& event, int timeoutMs) = 0;

    // Boxes. The plain box and the error box return when closed; Confirm
    // returns 6 (Yes) or 7 (No). Captions and texts are UTF-8.
    virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
    virtual int Confirm(const std::string& caption, const std::string& text) = 0;
    virtual void ErrorBox(const std::string& caption, const std::string& text) = 0;
    virtual void Beep() = 0;
};

// The installed back end; never null (a silent headless stand-in until one is installed).
DisplayBackEnd& Display();
void SetDisplayBackEnd(std::unique_ptr<DisplayBackEnd> backEnd);
