#pragma once
// The pen a canvas draws lines and outlines with.
//
// Color (default clBlack), Width in pixels (default 1; values below 1 draw as
// 1) and Style. psClear draws nothing; psInsideFrame draws like psSolid. The
// dashed styles repeat their pattern along each line (width-1 pens only; a
// wider dashed pen draws solid). Every change fires OnChange once; writing the
// current value changes nothing. Assign takes another pen's three values.

#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"
#include "platform/graphics/Colors.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

const TIdentTable& PenStyleIdents();

class TPen : public TPersistent {
    RUPINAKO_CLASS(TPen)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};
