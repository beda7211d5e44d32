#include "platform/controls/TGraphicControl.h"

#include "platform/graphics/TCanvas.h"

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TGraphicControl>("TGraphicControl", TControl::StaticClassInfo()).Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas()
{
    if (!FPainting) {
        TPixelSurface surface;
        TPoint origin;
        if (!DrawingSurface(surface, origin))
            surface = TPixelSurface{};
        FCanvas->SetSurface(surface);
        FCanvas->SetOrigin(origin);
        FCanvas->SetClipRect(ClientRect());
    }
    return FCanvas.get();
}

void TGraphicControl::PaintOnSurface(const TPixelSurface& surface, TPoint origin, const TRect& clip)
{
    TRect local = clip;
    OffsetRect(local, -origin.X, -origin.Y);
    local = IntersectRects(local, ClientRect());
    if (local.IsEmpty())
        return;
    FCanvas->SetSurface(surface);
    FCanvas->SetOrigin(origin);
    FCanvas->SetClipRect(local);
    FPainting = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FPainting};
    Paint();
}
