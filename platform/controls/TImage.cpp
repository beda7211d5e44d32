#include "platform/controls/TImage.h"

#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TPicture.h"
#include "platform/rtl/Messages.h"

const TClassInfo& TImage::StaticClassInfo()
{
    using I = TImage;
    auto boolSetter = [](void (I::*set)(bool)) {
        return [set](I& image, std::int64_t v) { (image.*set)(v != 0); };
    };
    static const TClassInfo info =
        TClassBuilder<I>("TImage", TGraphicControl::StaticClassInfo())
            .Creatable()
            .Bool("AutoSize", &I::AutoSize, boolSetter(&I::SetAutoSize), false)
            .Bool("Center", &I::Center, boolSetter(&I::SetCenter), false)
            .Bool("Enabled", &I::Enabled, [](I& i, std::int64_t v) { i.SetEnabled(v != 0); }, true)
            .Object("Picture", [](I& i) { return i.Picture(); })
            .Bool("Proportional", &I::Proportional, boolSetter(&I::SetProportional), false)
            .Bool("Stretch", &I::Stretch, boolSetter(&I::SetStretch), false)
            .Bool("Transparent", &I::Transparent, boolSetter(&I::SetTransparent), false)
            .Bool("Visible", &I::Visible, [](I& i, std::int64_t v) { i.SetVisible(v != 0); }, true)
            .Event<TNotifyEvent>("OnClick", &I::OnClick)
            .Event<TNotifyEvent>("OnDblClick", &I::OnDblClick)
            .Event<TMouseEvent>("OnMouseDown", &I::OnMouseDown)
            .Event<TMouseMoveEvent>("OnMouseMove", &I::OnMouseMove)
            .Event<TMouseEvent>("OnMouseUp", &I::OnMouseUp)
            .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>())
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

TImage::~TImage()
{
    FPicture->OnChange.Clear();
}

void TImage::SetPicture(TPicture* value)
{
    FPicture->Assign(value);
}

TCanvas* TImage::Canvas()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(Width(), Height());
        FPicture->SetGraphic(bitmap.get());
    } else if (!dynamic_cast<TBitmap*>(graphic)) {
        throw EInvalidOperation(SImageCanvasNeedsBitmap);
    }
    return FPicture->Bitmap()->Canvas();
}

void TImage::SetStretch(bool value)
{
    if (value == FStretch)
        return;
    FStretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    if (value == FCenter)
        return;
    FCenter = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    if (value == FProportional)
        return;
    FProportional = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    ApplyTransparent();
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    ApplyAutoSize();
}

void TImage::ApplyTransparent()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Transparent() == FTransparent || FApplying)
        return;
    // Setting it fires the picture's OnChange, which comes back here.
    FApplying = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FApplying};
    graphic->SetTransparent(FTransparent);
}

void TImage::ApplyAutoSize()
{
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
}

void TImage::PictureChanged(TObject*)
{
    ApplyTransparent();
    ApplyAutoSize();
    Invalidate();
}

TRect TImage::DestRect() const
{
    const int cw = Width(), ch = Height();
    int w = FPicture->Width(), h = FPicture->Height();
    if (w <= 0 || h <= 0)
        return {};
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional) {
            // As large as fits: the side that runs out first sets the scale.
            if (static_cast<long long>(cw) * h < static_cast<long long>(ch) * w) {
                h = static_cast<int>(static_cast<long long>(h) * cw / w);
                w = cw;
            } else {
                w = static_cast<int>(static_cast<long long>(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}
