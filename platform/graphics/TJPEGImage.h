#pragma once
// TJPEGImage: a JPEG picture, decoded and encoded with libjpeg.
//
// Loading (LoadFromFile, LoadFromBytes) keeps the JPEG stream and decodes it
// at once: colour files as 24 bits, greyscale files as 8 bits with libjpeg's
// palette of 236 greys, CMYK and YCCK files converted to 24-bit RGB
// (JpegDecoder.h has the parameters and the conversion). Decoding at load
// instead of at the first draw puts every failure where the picture is
// loaded, so a picture that cannot be shown never replaces one that can. A
// failure raises EJPEG "JPEG エラー #<code>" with libjpeg's message code
// (EFOpenError "ファイル %s は開けません" when the file cannot be read, a
// folder included) and leaves the image as it was. Streams above
// MaxStreamBytes are refused unread (EJPEG, JERR_IMAGE_TOO_BIG). libjpeg's
// warnings never raise: a truncated file shows what it holds.
//
// Memory: what a loaded image holds over its life.
//   - The stream, always: it is what SaveToFile writes and what the pixels
//     are decoded from again.
//   - The full decoded pixels (W × H × 3 bytes, or × 1 for greyscale), from
//     loading until the first opaque draw that can be served by a fitted
//     copy. HasFullPixels() tells whether they are held now.
//   - A fitted copy: the picture already stretched to the size of the last
//     opaque draw's rectangle, in the full pixels' own format and palette.
//     It is made only when it is smaller than the full pixels; making it
//     releases them. An opaque draw of that size then copies it 1 : 1, and
//     since target pixel i of a run of n takes source pixel
//     (2i + 1) × W / (2n) whatever the rectangle's position, the canvas's
//     origin or its clip, the pixels are exactly those a stretch of the full
//     pixels gives (mirrored rectangles included).
//   - Everything else that needs the full pixels after they were released (an
//     opaque draw of another size, which makes a new fitted copy; a draw while
//     Transparent; a draw larger than the picture; AssignTo a TBitmap)
//     decodes the stream again for that one call. Decoding is deterministic,
//     so the pixels are the same as at load; it costs the time of a decode and
//     the full pixels' memory for the length of the call, and can fail only
//     for lack of memory (std::bad_alloc).
// A tile of 100 × 100 showing a 12-megapixel photo thus holds the photo's
// file and 30 KB of pixels instead of 36 MB.
// An image assigned from a bitmap has no stream: it keeps its pixels for its
// whole life and draws from them.
//
// Saving: a loaded image writes its stream unchanged, so saving never loses
// quality. An image assigned from a bitmap is encoded on every save as a
// baseline JFIF file at CompressionQuality (1..100, default 90; see
// JpegEncoder.h). SaveToFile writes through WriteFileSafely: on any failure
// EFCreateError names the file, no temporary file is left and an existing
// file is untouched. An empty image raises EJPEG (JERR_EMPTY_IMAGE).
//
// Assign takes another JPEG image (sharing its stream, pixels and fitted
// copy, none of which is ever changed once made: releasing or refitting in
// one image drops only that image's reference), a TBitmap (a copy of its
// pixels as 24 bits), or nullptr (empty). AssignTo gives a TBitmap a copy of
// the full decoded pixels. Draw stretches the pixels as a bitmap draws
// itself, with the canvas's CopyMode; a JPEG is opaque, Transparent or not.
// The size is the picture's own, known from the header: setting another
// raises EInvalidGraphic.

#include <cstddef>
#include <cstdint>
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

    // True while the image holds its full decoded pixels (see Memory above).
    bool HasFullPixels() const { return FPixels != nullptr; }

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
    std::shared_ptr<TBitmap> FullPixels() const;
    bool WantsFittedCopy(std::int64_t width, std::int64_t height) const;
    std::string Encode() const;

    // Each is null or shared and never changed once made.
    std::shared_ptr<const TImageData> FImage;   // stream and size; null while empty
    std::shared_ptr<TBitmap> FPixels;           // the full pixels, while held
    std::shared_ptr<TBitmap> FFitted;           // the picture at the last opaque draw's size
    int FCompressionQuality = 90;
};
