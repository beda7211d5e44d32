#pragma once
// TControl: anything that has a place on a form: position, size, visibility,
// caption, colour, font, mouse events and a message map.
//
// Geometry: Left and Top are in the parent's client coordinates, Width and
// Height in pixels (never negative). ClientRect is (0, 0, Width, Height) for
// a plain control; forms report their client area. ClientToScreen and
// ScreenToClient go through the parents up to the form, whose client origin
// on the screen is its Left and Top plus its frame.
//
// Parent: the TWinControl that shows the control (a plain back-pointer; see
// TWinControl.h for who deletes whom). Form reading sets it through the
// streaming hooks (HasParent/SetParentComponent). Changing the parent, the
// bounds, the visibility, the colour or the caption invalidates what changed.
//
// Messages: Perform(msg, wparam, lparam) sends a message synchronously to
// Dispatch and returns its Result. Dispatch looks the number up in the
// class's message map (TMessageMap.h) and falls back to DefaultHandler.
// Mouse messages arrive in client coordinates (MouseX/MouseY); the handlers
// here capture the mouse (csCaptureMouse), click (csClickEvents: a left press
// and release inside the control calls Click) and call the dynamic operations
// MouseDown/MouseMove/MouseUp, which fire OnMouseDown/OnMouseMove/OnMouseUp.
// Changes are announced to the control itself: CM_ENABLEDCHANGED,
// CM_VISIBLECHANGED, CM_TEXTCHANGED, CM_FONTCHANGED, CM_COLORCHANGED.
//
// Painting: Invalidate asks for the control's rectangle to be painted by the
// application's idle step; Repaint paints it now and presents the form. Only
// windowless controls (TGraphicControl) and windowed ones (TWinControl) draw.
//
// Failure: nothing here raises, apart from what event handlers raise.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/classes/TComponent.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/TMessage.h"
#include "platform/controls/TMessageMap.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/PixelSurface.h"
#include "platform/graphics/Types.h"

class TFont;
class TWinControl;

class TControl : public TComponent {
    RUPINAKO_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const TMessageMap& StaticMessageMap();
    virtual const TMessageMap& MessageMap() const { return StaticMessageMap(); }

    int Left() const { return FLeft; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    virtual void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    int Height() const { return FHeight; }
    virtual void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }

    virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    // Screen position of client point (0, 0).
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);
    // Visible, with every parent up to a form that is shown.
    bool IsShowing() const;

    // UTF-8 text; forms store it as a wide string.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFont* Font() const { return FFont.get(); }
    // Copies the given font's attributes; null is ignored.
    void SetFont(TFont* value);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode value) { FDragMode = value; }

    // True while this control holds the mouse capture: every mouse message
    // goes to it, wherever the cursor is.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    virtual void Invalidate();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    std::intptr_t Perform(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Fires OnClick; the click of csClickEvents controls and of the program.
    virtual void Click();
    virtual void DblClick();

    // Draws the control onto a surface: its client point (0, 0) lies at
    // origin, and nothing outside clip (surface coordinates) is touched.
    virtual void PaintOnSurface(const TPixelSurface& surface, TPoint origin, const TRect& clip);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

    // The handling that the map above ownMap's class gives the message.
    void InheritedMessage(const TMessageMap& ownMap, TMessage& message);

    // The surface this control draws on outside painting and where its client
    // point (0, 0) lies on it; false when no form holds it.
    bool DrawingSurface(TPixelSurface& surface, TPoint& origin) const;
    // The control's rectangle on its form's client area; false when no form holds it.
    bool RectOnForm(TRect& rect) const;
    bool Destroying() const { return FDestroying; }
    void MarkDestroying() { FDestroying = true; }

private:
    friend class TWinControl;

    void WMMouseMove(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMRButtonDown(TMessage& m);
    void WMRButtonUp(TMessage& m);
    void WMMButtonDown(TMessage& m);
    void WMMButtonUp(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void FontChanged(TObject* sender);
    void InvalidateOnParent(bool evenHidden = false);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    bool FClicked = false;
    bool FDestroying = false;
    std::string FCaption;
    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TDragMode FDragMode = dmManual;
};

// The control that holds the mouse capture, or null.
TControl* CaptureControl();
