#pragma once
// TPicture: holds one graphic, a TBitmap or a TJPEGImage, or none, and owns it.
//
// LoadFromFile picks the class by the file's extension, compared without
// regard to case: "bmp" gives a TBitmap, "jpg" and "jpeg" a TJPEGImage; any
// other (or none) raises EInvalidGraphic "拡張子 .%s の画像形式は処理できません"
// with the extension as written, without its dot. The new graphic reads the
// whole file at once (EFOpenError "ファイル %s は開けません" for a folder, a
// missing or an unreadable file; then the graphic's own errors, EInvalidGraphic
// for bitmaps, EJPEG for JPEG files). Only a successful load replaces the
// picture; on any failure the old graphic stays as it was. The file's class
// goes by its name alone: a JPEG file named .bmp fails as a bitmap.
//
// SetGraphic(g) and Assign(g) store a copy of g in a new graphic of g's
// class (JPEG images share their immutable data, so that copy is cheap);
// nullptr clears the picture. Only the classes LoadFromFile knows can be
// copied in; another raises EInvalidGraphic. Assign also takes a TPicture.
// AssignTo gives a TGraphic (a TBitmap, say) this picture's graphic.
// Bitmap() returns the graphic as a TBitmap; a picture that holds anything
// else, or nothing, first gets a new empty TBitmap in its place.
//
// SaveToFile saves the graphic in its own format; an empty picture raises
// EInvalidGraphic instead of pretending to have written something.
//
// OnChange (sender: the picture) fires after the graphic was replaced or
// cleared, and whenever the graphic itself changes.

#include <memory>
#include <string>

#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"

class TBitmap;
class TGraphic;

class TPicture : public TPersistent {
    RUPINAKO_CLASS(TPicture)
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* value);
    TBitmap* Bitmap();
    int Width() const;
    int Height() const;

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;
    // Fires OnChange with this picture as the sender.
    virtual void Changed(TObject* sender);

private:
    void GraphicChanged(TObject* sender);
    void Replace(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
