#pragma once
// TGraphicControl: a windowless control. It has no pixels of its own: it
// paints on its parent's surface through its own Canvas, whose origin is the
// control's top-left corner and whose clip is its rectangle (narrowed to the
// area being painted while Paint runs).
//
// Paint() is called whenever the area under the control is painted (by the
// form's immediate repaint, or the application's idle step after
// Invalidate). Using Canvas outside Paint draws straight onto the form's
// client buffer, as a device context of the parent would; it reaches the
// window with the form's next presentation. Without a parent form the canvas
// has no surface and draws nothing.

#include <memory>

#include "platform/controls/TControl.h"

class TCanvas;

class TGraphicControl : public TControl {
    RUPINAKO_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas();

    void PaintOnSurface(const TPixelSurface& surface, TPoint origin, const TRect& clip) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> FCanvas;
    bool FPainting = false;
};
