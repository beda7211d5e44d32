#include "platform/controls/TSpeedButton.h"

#include "platform/controls/TWinControl.h"
#include "platform/graphics/TCanvas.h"

const TClassInfo& TSpeedButton::StaticClassInfo()
{
    using S = TSpeedButton;
    static const TClassInfo info =
        TClassBuilder<S>("TSpeedButton", TGraphicControl::StaticClassInfo())
            .Creatable()
            .Bool("AllowAllUp", &S::AllowAllUp, [](S& s, std::int64_t v) { s.SetAllowAllUp(v != 0); }, false)
            .Int("GroupIndex", &S::GroupIndex, [](S& s, std::int64_t v) { s.SetGroupIndex(static_cast<int>(v)); }, 0)
            .Bool("Down", &S::Down, [](S& s, std::int64_t v) { s.SetDown(v != 0); }, false)
            .WStr("Caption", &S::Caption, [](S& s, const std::string& v) { s.SetCaption(v); })
            .Bool("Enabled", &S::Enabled, [](S& s, std::int64_t v) { s.SetEnabled(v != 0); }, true)
            .Bool("Visible", &S::Visible, [](S& s, std::int64_t v) { s.SetVisible(v != 0); }, true)
            .Event<TNotifyEvent>("OnClick", &S::OnClick)
            .Event<TMouseEvent>("OnMouseDown", &S::OnMouseDown)
            .Event<TMouseMoveEvent>("OnMouseMove", &S::OnMouseMove)
            .Event<TMouseEvent>("OnMouseUp", &S::OnMouseUp)
            .Build();
    return info;
}

const TMessageMap& TSpeedButton::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TSpeedButton>(TGraphicControl::StaticMessageMap())
                                       .On(CM_BUTTONPRESSED, &TSpeedButton::CMButtonPressed)
                                       .On(CM_TEXTCHANGED, &TSpeedButton::CMRepaintOnChange)
                                       .On(CM_FONTCHANGED, &TSpeedButton::CMRepaintOnChange)
                                       .Build();
    return map;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    // It clicks itself on release, so the generic click handling stays off.
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetGroupIndex(int value)
{
    if (value == FGroupIndex)
        return;
    FGroupIndex = value;
    Announce();
}

void TSpeedButton::SetAllowAllUp(bool value)
{
    if (value == FAllowAllUp)
        return;
    FAllowAllUp = value;
    Announce();
}

void TSpeedButton::SetDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    Invalidate();
    if (value)
        Announce();
}

void TSpeedButton::Announce()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    TMessage m;
    m.Msg = CM_BUTTONPRESSED;
    m.WParam = static_cast<std::uintptr_t>(static_cast<std::intptr_t>(FGroupIndex));
    m.LParam = reinterpret_cast<std::intptr_t>(this);
    Parent()->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& m)
{
    if (static_cast<int>(static_cast<std::intptr_t>(m.WParam)) != FGroupIndex || FGroupIndex == 0)
        return;
    auto* sender = reinterpret_cast<TObject*>(m.LParam);
    auto* button = dynamic_cast<TSpeedButton*>(sender);
    if (!button || button == this)
        return;
    if (button->Down() && FDown) {
        FDown = false;
        Invalidate();
    }
    FAllowAllUp = button->AllowAllUp();
}

void TSpeedButton::CMRepaintOnChange(TMessage&)
{
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FPressed)
        return;
    FPressed = false;
    Invalidate();
    if (!ClientRect().Contains({x, y}))
        return;
    if (FGroupIndex != 0)
        SetDown(!FDown);
    Click();
}

void TSpeedButton::Paint()
{
    TCanvas* canvas = TGraphicControl::Canvas();
    const TRect r = ClientRect();
    const bool sunken = FPressed || FDown;
    canvas->Brush()->SetColor(FDown && !FPressed ? clBtnHighlight : clBtnFace);
    canvas->FillRect(r);
    if (r.Width() < 2 || r.Height() < 2)
        return;
    canvas->Brush()->SetColor(sunken ? clBtnShadow : clBtnHighlight);
    canvas->FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
    canvas->FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
    canvas->Brush()->SetColor(sunken ? clBtnHighlight : clBtnShadow);
    canvas->FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas->FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}
