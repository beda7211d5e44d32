#include "platform/graphics/TPen.h"

#include "platform/classes/TypeInfo.h"

const TIdentTable& PenStyleIdents()
{
    static const TIdentTable table = {{psSolid, "psSolid"},           {psDash, "psDash"},   {psDot, "psDot"},
                                      {psDashDot, "psDashDot"},       {psDashDotDot, "psDashDotDot"},
                                      {psClear, "psClear"},           {psInsideFrame, "psInsideFrame"}};
    return table;
}

const TClassInfo& TPen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPen>("TPen", TPersistent::StaticClassInfo())
                                       .Int("Color", &TPen::Color, &TPen::SetColor, clBlack, &ColorIdents())
                                       .Enum("Style", PenStyleIdents(), &TPen::Style, &TPen::SetStyle, psSolid)
                                       .Int("Width", &TPen::Width, &TPen::SetWidth, 1)
                                       .Build();
    return info;
}

void TPen::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value == FWidth)
        return;
    FWidth = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TPen::Assign(TPersistent* source)
{
    if (auto* pen = dynamic_cast<TPen*>(source)) {
        if (pen->FColor == FColor && pen->FWidth == FWidth && pen->FStyle == FStyle)
            return;
        FColor = pen->FColor;
        FWidth = pen->FWidth;
        FStyle = pen->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::Changed()
{
    if (Assigned(OnChange))
        OnChange(this);
}
