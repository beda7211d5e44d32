#pragma once
// TJPEGImage: a JPEG picture, decoded and encoded with libjpeg.
//
// Loading (LoadFromFile, LoadFromBytes) keeps the JPEG stream and decodes it
// at once into a bitmap that every later draw uses: colour files as 24 bits,
// greyscale files as 8 bits with libjpeg's palette of 236 greys, CMYK and
// YCCK files converted to 24-bit RGB (JpegDecoder.h has the parameters and
// the conversion). Decoding at load instead of at the first draw puts every
// failure where the picture is loaded, so a picture that cannot be shown
// never replaces one that can. A failure raises EJPEG "JPEG エラー #<code>"
// with libjpeg's message code (EFOpenError "ファイル %s は開けません" when the
// file cannot be read, a folder included) and leaves the image as it was.
// Streams above MaxStreamBytes are refused unread (EJPEG, JERR_IMAGE_TOO_BIG).
// libjpeg's warnings never raise: a truncated file shows what it holds.
//
// Saving: a loaded image writes its stream unchanged, so saving never loses
// quality. An image assigned from a bitmap is encoded on every save as a
// baseline JFIF file at CompressionQuality (1..100, default 90; see
// JpegEncoder.h). SaveToFile writes through WriteFileSafely: on any failure
// EFCreateError names the file, no temporary file is left and an existing
// file is untouched. An empty image raises EJPEG (JERR_EMPTY_IMAGE).
//
// Assign takes another JPEG image (sharing its stream and pixels, which
// neither ever changes), a TBitmap (a copy of its pixels as 24 bits), or
// nullptr (empty). AssignTo gives a TBitmap a copy of the decoded pixels.
// Draw stretches the pixels as a bitmap draws itself; a JPEG is opaque.
// The size is the picture's own: setting another raises EInvalidGraphic.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/TGraphic.h"

class TBitmap;

class TJPEGImage : public TGraphic {
    RUPINAKO_CLASS(TJPEGImage)
public:
    static constexpr std::size_t MaxStreamBytes = std::size_t{1} << 30;

    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override;
    void SetWidth(int value) override;
    int Height() const override;
    void SetHeight(int value) override;
    bool Empty() const override;

    int CompressionQuality() const { return FCompressionQuality; }
    // Clamped to 1..100. Only changes how the next encoding is done.
    void SetCompressionQuality(int value);

    void Draw(TCanvas* canvas, const TRect& rect) override;

    void LoadFromFile(const std::string& fileName) override;
    void SaveToFile(const std::string& fileName) override;
    void LoadFromBytes(std::string_view bytes) override;
    std::string SaveToBytes() override;

    void Assign(TPersistent* source) override;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    struct TImageData;

    void LoadStream(std::string&& stream);
    std::string Encode() const;

    std::shared_ptr<TImageData> FImage;   // null while empty; never changed once made
    int FCompressionQuality = 90;
};
