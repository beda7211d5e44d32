#pragma once
// TImage: a windowless control that shows a picture.
//
// Picture is owned by the image; assigning one copies it in. Any change of
// the picture invalidates the image (and, with AutoSize, sizes it to the
// picture first). The picture's graphic takes the image's Transparent.
//
// Drawing: the whole picture is drawn into the client rectangle:
//   Stretch      scaled to the client size, width and height apart (with
//                Proportional: as large as fits, keeping the aspect ratio);
//   otherwise    at its own size (Proportional shrinks a picture that is too
//                large, keeping the aspect), at the top left, or centred
//                with Center.
// Bitmaps are stretched colour on colour (columns and rows repeated or
// dropped). An empty picture draws nothing: what lies below shows.
//
// Canvas: the image's own drawing surface, which is its picture's bitmap.
// The first use on an image without a picture gives it a new bitmap of the
// control's width and height (white); an image that holds another kind of
// picture (a JPEG image) raises EInvalidOperation, since only a bitmap can
// be drawn on.

#include <memory>

#include "platform/controls/TGraphicControl.h"

class TCanvas;
class TPicture;

class TImage : public TGraphicControl {
    RUPINAKO_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value);
    TCanvas* Canvas();

    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // Where the picture goes, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* sender);
    void ApplyTransparent();
    void ApplyAutoSize();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FApplying = false;
};
