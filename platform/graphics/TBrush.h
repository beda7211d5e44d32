#pragma once
// The brush a canvas fills areas with.
//
// Color (default clWhite) and Style: bsSolid fills, bsClear leaves the area
// as it is (rectangles keep only their outline). Giving a clear brush a colour
// makes it solid again, as the class library does. Every change fires OnChange
// once; writing the current value changes nothing. Assign takes another
// brush's values.

#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"
#include "platform/graphics/Colors.h"

enum TBrushStyle { bsSolid, bsClear };

const TIdentTable& BrushStyleIdents();

class TBrush : public TPersistent {
    RUPINAKO_CLASS(TBrush)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
