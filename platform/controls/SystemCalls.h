#pragma once
// The platform calls of sound, shell drop targets and input state, as the
// programs and components call them. They go through the display back end
// and the application object; none of them raises.
//
// MessageBeep(type): the desktop's beep (any type); true.
// DragAcceptFiles(window, accept): registers the window as a drop target for
//   files from the desktop (drops are then accepted by the cursor and ignored).
// GetCursorPos: the cursor in screen coordinates (see TApplication).
// GetCapture: the window of the form whose control holds the mouse capture;
//   0 when nobody holds it.
// GetKeyState(vk): negative (top bit set) while the key or mouse button is down.
// FindDragTarget(pos, allowDisabled): the control under a screen point.

#include "platform/controls/DisplayBackEnd.h"
#include "platform/graphics/Types.h"

class TControl;

inline constexpr unsigned MB_ICONHAND = 0x0010;
inline constexpr unsigned MB_ICONASTERISK = 0x0040;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;

bool MessageBeep(unsigned type);
void DragAcceptFiles(TWindowId window, bool accept);
bool GetCursorPos(TPoint& point);
TWindowId GetCapture();
short GetKeyState(int virtualKey);
TControl* FindDragTarget(TPoint screen, bool allowDisabled);
