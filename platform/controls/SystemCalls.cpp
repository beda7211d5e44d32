#include "platform/controls/SystemCalls.h"

#include "platform/controls/TApplication.h"
#include "platform/controls/TCustomForm.h"

bool MessageBeep(unsigned)
{
    // A beep is a courtesy: a back end that cannot sound one is no error.
    try {
        Display().Beep();
    } catch (...) {
    }
    return true;
}

void DragAcceptFiles(TWindowId window, bool accept)
{
    if (window)
        Display().AcceptDroppedFiles(window, accept);
}

bool GetCursorPos(TPoint& point)
{
    point = Application->CursorPos();
    return true;
}

TWindowId GetCapture()
{
    TControl* holder = CaptureControl();
    if (!holder)
        return 0;
    for (TControl* c = holder; c; c = c->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form->Handle();
    // A control without a form still holds the capture; report a non-zero id.
    return static_cast<TWindowId>(-1);
}

short GetKeyState(int virtualKey)
{
    return Application->KeyState(virtualKey);
}

TControl* FindDragTarget(TPoint screen, bool allowDisabled)
{
    return TApplication::FindControlAt(screen, allowDisabled);
}
