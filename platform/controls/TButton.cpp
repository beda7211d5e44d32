#include "platform/controls/TButton.h"

#include "platform/controls/Accelerators.h"
#include "platform/graphics/TCanvas.h"

const TClassInfo& TButton::StaticClassInfo()
{
    using B = TButton;
    static const TClassInfo info =
        TClassBuilder<B>("TButton", TWinControl::StaticClassInfo())
            .Creatable()
            .Bool("Cancel", &B::Cancel, [](B& b, std::int64_t v) { b.SetCancel(v != 0); }, false)
            .WStr("Caption", &B::Caption, [](B& b, const std::string& v) { b.SetCaption(v); })
            .Bool("Default", &B::Default, [](B& b, std::int64_t v) { b.SetDefault(v != 0); }, false)
            .Bool("Enabled", &B::Enabled, [](B& b, std::int64_t v) { b.SetEnabled(v != 0); }, true)
            .Int("ModalResult", &B::ModalResult, [](B& b, std::int64_t v) { b.SetModalResult(static_cast<int>(v)); }, 0)
            .Int("TabOrder", &B::TabOrder, [](B& b, std::int64_t v) { b.SetTabOrder(static_cast<int>(v)); })
            .Bool("Visible", &B::Visible, [](B& b, std::int64_t v) { b.SetVisible(v != 0); }, true)
            .Event<TNotifyEvent>("OnClick", &B::OnClick)
            .Event<TMouseEvent>("OnMouseDown", &B::OnMouseDown)
            .Event<TMouseMoveEvent>("OnMouseMove", &B::OnMouseMove)
            .Event<TMouseEvent>("OnMouseUp", &B::OnMouseUp)
            .Build();
    return info;
}

const TMessageMap& TButton::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TButton>(TWinControl::StaticMessageMap())
                                       .On(CM_DIALOGCHAR, &TButton::CMDialogChar)
                                       .On(CM_DIALOGKEY, &TButton::CMDialogKey)
                                       .On(CM_TEXTCHANGED, &TButton::CMTextChanged)
                                       .Build();
    return map;
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value)
{
    if (value == FDefault)
        return;
    FDefault = value;
    Invalidate();
}

void TButton::CMDialogChar(TMessage& m)
{
    if (CanClick() && IsAccel(static_cast<char32_t>(m.WParam), Caption())) {
        Click();
        m.Result = 1;
        return;
    }
    InheritedMessage(StaticMessageMap(), m);
}

void TButton::CMDialogKey(TMessage& m)
{
    const bool key = (FDefault && m.WParam == VK_RETURN) || (FCancel && m.WParam == VK_ESCAPE);
    if (key && CanClick()) {
        Click();
        m.Result = 1;
        return;
    }
    InheritedMessage(StaticMessageMap(), m);
}

void TButton::CMTextChanged(TMessage&)
{
    Invalidate();
}

void TButton::PaintWindow(TCanvas& canvas)
{
    TRect r = ClientRect();
    if (FDefault) {
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(r);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(r);
    if (r.Width() < 2 || r.Height() < 2)
        return;
    // Raised edge: light top and left, shadow bottom and right.
    canvas.Brush()->SetColor(clBtnHighlight);
    canvas.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}
