#include "platform/graphics/TBrush.h"

#include "platform/classes/TypeInfo.h"

const TIdentTable& BrushStyleIdents()
{
    static const TIdentTable table = {{bsSolid, "bsSolid"}, {bsClear, "bsClear"}};
    return table;
}

const TClassInfo& TBrush::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", TPersistent::StaticClassInfo())
                                       .Int("Color", &TBrush::Color, &TBrush::SetColor, clWhite, &ColorIdents())
                                       .Enum("Style", BrushStyleIdents(), &TBrush::Style, &TBrush::SetStyle, bsSolid)
                                       .Build();
    return info;
}

void TBrush::SetColor(TColor value)
{
    if (value == FColor && FStyle != bsClear)
        return;
    FColor = value;
    FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TBrush::Assign(TPersistent* source)
{
    if (auto* brush = dynamic_cast<TBrush*>(source)) {
        if (brush->FColor == FColor && brush->FStyle == FStyle)
            return;
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::Changed()
{
    if (Assigned(OnChange))
        OnChange(this);
}
