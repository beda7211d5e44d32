#pragma once
// The vocabulary that controls, forms and the application share: shift
// states, mouse buttons, control styles, modal results and the event types.

#include "platform/classes/TEvent.h"

// The keys and buttons held during an input event, as a bit set. ssShift,
// ssAlt and ssCtrl have the bit values the display back end reports.
using TShiftState = unsigned;
enum TShiftStateFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// ControlStyle: how a control wants the layer to treat it, as a bit set.
using TControlStyle = unsigned;
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,    // the mouse is captured while a button is held on it
    csDesignInteractive = 1u << 2,
    csClickEvents = 1u << 3,     // a press and release inside clicks it (OnClick, OnDblClick)
    csFramed = 1u << 4,
    csSetCaption = 1u << 5,
    csOpaque = 1u << 6,          // it paints every pixel of its rectangle
    csDoubleClicks = 1u << 7,    // a quick second press arrives as a double-click message
    csFixedWidth = 1u << 8,
    csFixedHeight = 1u << 9,
    csNoDesignVisible = 1u << 10,
    csReplicatable = 1u << 11,
    csNoStdEvents = 1u << 12,
    csDisplayDragImage = 1u << 13,
    csReflector = 1u << 14,
    csActionClient = 1u << 15,
    csMenuEvents = 1u << 16,
};

// Kept for the components that test it; this layer has no dragging.
enum TDragMode { dmManual, dmAutomatic };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// (Sender, Button, Shift, X, Y) and (Sender, Shift, X, Y), X and Y in client coordinates.
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
