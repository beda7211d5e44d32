#pragma once
// The display back end with real windows, over GTK 3.
//
// Every form window is a top-level GTK window holding one drawing area: the
// caption is its title (UTF-8), it is kept above ordinary windows, a utility
// window, of fixed size and centred, as the options ask. The drawing area is
// exactly ClientWidth × ClientHeight device pixels whatever the display's
// scale factor, and shows the last presented buffer 1 : 1 (one buffer pixel
// is one device pixel). Present copies the buffer and draws it before it
// returns, so the pixels are on the screen when the caller goes on.
//
// Input is queued by GTK's handlers and handed out by NextInput:
//   - mouse moves, downs (DoubleClick set on the second press of a double
//     click, within the desktop's double-click time and distance) and ups, in
//     client pixels; when the pointer leaves the client area a MouseMove with
//     a position outside it tells so;
//   - KeyDown/KeyUp with virtual key codes (WindowKeys.h), and a Char event
//     after a KeyDown that types a character (Ctrl+letter gives its control
//     code, as on the original desktop);
//   - CloseRequest when the window's close box is pressed: the window is not
//     closed; the controls layer decides;
//   - Expose when the window is mapped, FocusIn/FocusOut.
// AnswerDesktop and Present let GTK run its pending events (input is only
// queued meanwhile); NextInput does the same, and waits for input when asked.
//
// Boxes are modal GTK dialogs, centred on the screen and kept above (see
// WindowDialogs.h, including the RUPINAKO_TEST_AUTOANSWER test hook). Beep is
// the desktop's beep. Drop targets accept text/uri-list drags; the drop is
// then refused politely and ignored (nothing happens to the dragged files).
//
// Open() initialises GTK on the default display and returns null when that
// cannot be done. Calls do not throw; unknown window ids are ignored.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/controls/DisplayBackEnd.h"

class WindowDisplay : public DisplayBackEnd {
public:
    static std::unique_ptr<WindowDisplay> Open();
    ~WindowDisplay() override;
    WindowDisplay(const WindowDisplay&) = delete;
    WindowDisplay& operator=(const WindowDisplay&) = delete;

    bool IsHeadless() const override { return false; }

    TWindowId CreateFormWindow(const TWindowOptions& options) override;
    void DestroyFormWindow(TWindowId window) override;
    void SetCaption(TWindowId window, const std::string& caption) override;
    void ShowFormWindow(TWindowId window, bool visible) override;
    void Present(TWindowId window, const std::uint32_t* pixels, int width, int height) override;
    void AcceptDroppedFiles(TWindowId window, bool accept) override;

    void AnswerDesktop() override;
    bool NextInput(TInputEvent& event, int timeoutMs) override;

    void MessageBox(const std::string& caption, const std::string& text) override;
    int Confirm(const std::string& caption, const std::string& text) override;
    void ErrorBox(const std::string& caption, const std::string& text) override;
    void Beep() override;

    // For tests: the window's GtkWindow* and its drawing area's GtkWidget*
    // (as untyped pointers, so this header needs no GTK); null when unknown.
    void* NativeToplevel(TWindowId window) const;
    void* NativeClientArea(TWindowId window) const;

    struct Impl;

private:
    WindowDisplay();
    std::unique_ptr<Impl> FImpl;
};
