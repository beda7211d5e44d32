#pragma once
// TGraphic: the abstract picture (bitmap, JPEG image) that pictures, images
// and canvases handle alike.
//
// Contract for subclasses:
//  - Width, Height and Empty describe the picture; an empty one draws nothing.
//  - Draw(canvas, rect) paints the whole picture stretched into rect of the
//    canvas (the canvas's Draw and StretchDraw call it). A Transparent
//    picture leaves the pixels of its transparent colour undrawn.
//  - LoadFromBytes reads a whole file image and replaces the picture only
//    when it was read completely; on failure it raises (EInvalidGraphic,
//    EJPEG...) and the picture is as it was. SaveToBytes returns the file image.
//  - OnChange fires once after every change made from outside (loading,
//    resizing, drawing on it, assigning, changing a property); writing a
//    property's current value fires nothing. Subclasses call Changed(this).
//
// Files: LoadFromFile reads the whole file (EFOpenError "ファイル %s は開けません"
// when it cannot be opened or read, a folder included) and hands it to
// LoadFromBytes. SaveToFile writes SaveToBytes() through WriteFileSafely:
// on failure EFCreateError is raised and an existing file stays as it was.

#include <string>
#include <string_view>

#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"
#include "platform/graphics/Types.h"

class TCanvas;

class TGraphic : public TPersistent {
    RUPINAKO_CLASS(TGraphic)
public:
    virtual int Width() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int value) = 0;
    virtual bool Empty() const = 0;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // True once the picture changed since it was loaded or saved.
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName);
    virtual void LoadFromBytes(std::string_view bytes) = 0;
    virtual std::string SaveToBytes() = 0;

    TNotifyEvent OnChange;

protected:
    // Marks the picture modified and fires OnChange (sender: this picture).
    virtual void Changed(TObject* sender);

    bool FTransparent = false;
    bool FModified = false;
};
