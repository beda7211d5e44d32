#include "platform/controls/TForm.h"

#include "platform/controls/TControlScrollBar.h"
#include "platform/graphics/TFont.h"

const TClassInfo& TForm::StaticClassInfo()
{
    using F = TForm;
    static const TClassInfo info =
        TClassBuilder<F>("TForm", TCustomForm::StaticClassInfo())
            .Creatable()
            .Object("HorzScrollBar", [](F& f) { return f.HorzScrollBar(); })
            .Object("VertScrollBar", [](F& f) { return f.VertScrollBar(); })
            .Enum("BorderStyle", BorderStyleIdents(), &F::BorderStyle,
                  [](F& f, std::int64_t v) { f.SetBorderStyle(static_cast<TFormBorderStyle>(v)); }, bsSizeable)
            .WStr("Caption", &F::Caption, [](F& f, const std::string& v) { f.SetCaption(v); })
            .Int("ClientHeight", &F::ClientHeight, [](F& f, std::int64_t v) { f.SetClientHeight(static_cast<int>(v)); })
            .Int("ClientWidth", &F::ClientWidth, [](F& f, std::int64_t v) { f.SetClientWidth(static_cast<int>(v)); })
            .Int("Color", &F::Color, [](F& f, std::int64_t v) { f.SetColor(static_cast<TColor>(v)); }, clBtnFace,
                 &ColorIdents())
            .Object("Font", [](F& f) { return f.Font(); })
            .Enum("FormStyle", FormStyleIdents(), &F::FormStyle,
                  [](F& f, std::int64_t v) { f.SetFormStyle(static_cast<TFormStyle>(v)); }, fsNormal)
            .Bool("OldCreateOrder", &F::OldCreateOrder, [](F& f, std::int64_t v) { f.SetOldCreateOrder(v != 0); })
            .Enum("Position", PositionIdents(), &F::Position,
                  [](F& f, std::int64_t v) { f.SetPosition(static_cast<TPosition>(v)); }, poDesigned)
            .Event<TNotifyEvent>("OnActivate", &F::OnActivate)
            .Event<TNotifyEvent>("OnDeactivate", &F::OnDeactivate)
            .Int("PixelsPerInch", &F::PixelsPerInch, [](F& f, std::int64_t v) { f.SetPixelsPerInch(static_cast<int>(v)); })
            .Int("TextHeight", &F::TextHeight, [](F& f, std::int64_t v) { f.SetTextHeight(static_cast<int>(v)); })
            .Build();
    return info;
}
