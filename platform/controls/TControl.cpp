#include "platform/controls/TControl.h"

#include <algorithm>

#include "platform/controls/SystemCalls.h"
#include "platform/controls/TApplication.h"
#include "platform/controls/TWinControl.h"
#include "platform/graphics/TFont.h"
#include "platform/rtl/Messages.h"

namespace {

TControl* gCaptureControl = nullptr;

TShiftState ShiftOfMouseMessage(const TMessage& m)
{
    TShiftState shift = 0;
    if (m.WParam & MK_SHIFT)
        shift |= ssShift;
    if (m.WParam & MK_CONTROL)
        shift |= ssCtrl;
    if (m.WParam & MK_LBUTTON)
        shift |= ssLeft;
    if (m.WParam & MK_RBUTTON)
        shift |= ssRight;
    if (m.WParam & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

}

TControl* CaptureControl()
{
    return gCaptureControl;
}

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TControl>("TControl", TComponent::StaticClassInfo())
                                       .Int("Left", &TControl::Left, &TControl::SetLeft)
                                       .Int("Top", &TControl::Top, &TControl::SetTop)
                                       .Int("Width", &TControl::Width, &TControl::SetWidth)
                                       .Int("Height", &TControl::Height, &TControl::SetHeight)
                                       .Build();
    return info;
}

const TMessageMap& TControl::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TControl>()
                                       .On(WM_MOUSEMOVE, &TControl::WMMouseMove)
                                       .On(WM_LBUTTONDOWN, &TControl::WMLButtonDown)
                                       .On(WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk)
                                       .On(WM_LBUTTONUP, &TControl::WMLButtonUp)
                                       .On(WM_RBUTTONDOWN, &TControl::WMRButtonDown)
                                       .On(WM_RBUTTONDBLCLK, &TControl::WMRButtonDown)
                                       .On(WM_RBUTTONUP, &TControl::WMRButtonUp)
                                       .On(WM_MBUTTONDOWN, &TControl::WMMButtonDown)
                                       .On(WM_MBUTTONDBLCLK, &TControl::WMMButtonDown)
                                       .On(WM_MBUTTONUP, &TControl::WMMButtonUp)
                                       .On(CM_ENABLEDCHANGED, &TControl::CMEnabledChanged)
                                       .Build();
    return map;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl()
{
    FDestroying = true;
    if (gCaptureControl == this)
        gCaptureControl = nullptr;
    if (Application)
        Application->ControlDestroying(this);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    InvalidateOnParent();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    InvalidateOnParent();
}

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return {FLeft, FTop};
    TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint point) const
{
    TPoint o = ClientOrigin();
    return {point.X + o.X, point.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const
{
    TPoint o = ClientOrigin();
    return {point.X - o.X, point.Y - o.Y};
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    // Hidden now or shown now: either way the area changes.
    InvalidateOnParent(true);
}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::IsShowing() const
{
    if (!FVisible)
        return false;
    if (const auto* self = dynamic_cast<const TWinControl*>(this))
        return self->Showing();
    return FParent && FParent->Showing();
}

void TControl::SetCaption(const std::string& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Perform(CM_COLORCHANGED, 0, 0);
    Invalidate();
}

void TControl::SetFont(TFont* value)
{
    if (value)
        FFont->Assign(value);
}

void TControl::FontChanged(TObject*)
{
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this)
        throw EInvalidOperation(SControlParentSelf);
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const
{
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* p = dynamic_cast<TWinControl*>(parent))
        SetParent(p);
}

bool TControl::MouseCapture() const
{
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (value)
        gCaptureControl = this;
    else if (gCaptureControl == this)
        gCaptureControl = nullptr;
}

bool TControl::RectOnForm(TRect& rect) const
{
    if (!FParent)
        return false;
    TPixelSurface surface;
    TPoint origin;
    if (!FParent->ClientSurface(surface, origin))
        return false;
    rect = Bounds(origin.X + FLeft, origin.Y + FTop, FWidth, FHeight);
    return true;
}

bool TControl::DrawingSurface(TPixelSurface& surface, TPoint& origin) const
{
    if (!FParent || !FParent->ClientSurface(surface, origin))
        return false;
    origin.X += FLeft;
    origin.Y += FTop;
    return true;
}

void TControl::InvalidateOnParent(bool evenHidden)
{
    // A hidden control leaves no pixels, so its changes need no painting.
    if (FParent && !FParent->FDestroying && (FVisible || evenHidden))
        FParent->InvalidateArea(BoundsRect());
}

void TControl::Invalidate()
{
    if (!FDestroying)
        InvalidateOnParent();
}

void TControl::Repaint()
{
    if (FDestroying || !FParent || !IsShowing())
        return;
    FParent->PaintAreaNow(BoundsRect());
}

std::intptr_t TControl::Perform(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam)
{
    TMessage m;
    m.Msg = msg;
    m.WParam = wparam;
    m.LParam = lparam;
    Dispatch(m);
    return m.Result;
}

void TControl::Dispatch(TMessage& message)
{
    if (!DispatchThroughMap(&MessageMap(), this, message))
        DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::InheritedMessage(const TMessageMap& ownMap, TMessage& message)
{
    if (!DispatchThroughMap(ownMap.Parent, this, message))
        DefaultHandler(message);
}

void TControl::Click()
{
    if (Assigned(OnClick))
        OnClick(this);
}

void TControl::DblClick()
{
    if (Assigned(OnDblClick))
        OnDblClick(this);
}

void TControl::PaintOnSurface(const TPixelSurface&, TPoint, const TRect&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (Assigned(OnMouseDown))
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (Assigned(OnMouseMove))
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (Assigned(OnMouseUp))
        OnMouseUp(this, button, shift, x, y);
}

void TControl::WMMouseMove(TMessage& m)
{
    MouseMove(ShiftOfMouseMessage(m), MouseX(m), MouseY(m));
}

void TControl::WMLButtonDown(TMessage& m)
{
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    if (FControlStyle & csClickEvents)
        FClicked = true;
    MouseDown(mbLeft, ShiftOfMouseMessage(m), MouseX(m), MouseY(m));
}

void TControl::WMLButtonDblClk(TMessage& m)
{
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    if (FControlStyle & csClickEvents)
        DblClick();
    MouseDown(mbLeft, ShiftOfMouseMessage(m) | ssDouble, MouseX(m), MouseY(m));
}

void TControl::WMLButtonUp(TMessage& m)
{
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(false);
    const int x = MouseX(m), y = MouseY(m);
    if (FClicked) {
        FClicked = false;
        if (ClientRect().Contains({x, y}))
            Click();
    }
    MouseUp(mbLeft, ShiftOfMouseMessage(m), x, y);
}

void TControl::WMRButtonDown(TMessage& m)
{
    MouseDown(mbRight, ShiftOfMouseMessage(m) | (m.Msg == WM_RBUTTONDBLCLK ? TShiftState{ssDouble} : 0u), MouseX(m), MouseY(m));
}

void TControl::WMRButtonUp(TMessage& m)
{
    MouseUp(mbRight, ShiftOfMouseMessage(m), MouseX(m), MouseY(m));
}

void TControl::WMMButtonDown(TMessage& m)
{
    MouseDown(mbMiddle, ShiftOfMouseMessage(m) | (m.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : 0u), MouseX(m), MouseY(m));
}

void TControl::WMMButtonUp(TMessage& m)
{
    MouseUp(mbMiddle, ShiftOfMouseMessage(m), MouseX(m), MouseY(m));
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}
