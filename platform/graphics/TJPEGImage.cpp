#include "platform/graphics/TJPEGImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jerror.h>

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/JpegDecoder.h"
#include "platform/graphics/JpegEncoder.h"
#include "platform/graphics/StretchMap.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/os/ReadWholeFile.h"
#include "platform/os/SafeFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

struct TJPEGImage::TImageData {
    std::string Stream;   // the JPEG file's bytes; empty for pixels assigned from a bitmap
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 24;   // of the full pixels: 8 for greyscale files
};

namespace {

// Decodes a JPEG stream into pixels: 8-bit with the grey palette for
// greyscale files, 24-bit blue-green-red for everything else.
void Decode(const std::string& stream, TBitmap& pixels)
{
    JpegDecoder decoder(stream);
    decoder.Start();
    if (decoder.Indexed()) {
        pixels.SetPixelFormat(pf8bit);
        pixels.SetPalette(decoder.Palette());
    } else {
        pixels.SetPixelFormat(pf24bit);
    }
    pixels.SetSize(decoder.Width(), decoder.Height());
    for (int y = 0; y < decoder.Height(); ++y) {
        auto* row = static_cast<std::uint8_t*>(pixels.ScanLine(y));
        decoder.ReadRow(row);
        if (!decoder.Indexed())
            for (int x = 0; x < decoder.Width(); ++x, row += 3)
                std::swap(row[0], row[2]);
    }
}

// The picture stretched to width × height, pixel for pixel as a canvas
// stretches it: in the same format and palette, each target pixel the
// source pixel the stretch rule picks. Only for formats of whole bytes.
std::shared_ptr<TBitmap> Fit(const TBitmap& full, int width, int height)
{
    auto fitted = std::make_shared<TBitmap>();
    fitted->SetPixelFormat(full.PixelFormat());
    if (!full.Palette().empty())
        fitted->SetPalette(full.Palette());
    fitted->SetSize(width, height);
    const std::size_t bytes = static_cast<std::size_t>(full.BitsPerPixel() / 8);
    std::vector<std::size_t> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = static_cast<std::size_t>(StretchSourceIndex(x, width, full.Width())) * bytes;
    for (int y = 0; y < height; ++y) {
        const auto* in = static_cast<const std::uint8_t*>(full.ScanLine(StretchSourceIndex(y, height, full.Height())));
        auto* out = static_cast<std::uint8_t*>(fitted->ScanLine(y));
        for (std::size_t column : columns) {
            std::memcpy(out, in + column, bytes);
            out += bytes;
        }
    }
    return fitted;
}

// Stretches all of pixels into rect with the canvas's copy mode, as an
// opaque bitmap draws itself.
void DrawPixels(TCanvas* canvas, const TRect& rect, const TBitmap& pixels)
{
    canvas->StretchSurface(rect, pixels.Surface(), {0, 0, pixels.Width(), pixels.Height()}, canvas->CopyMode());
}

}   // namespace

const TClassInfo& TJPEGImage::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TJPEGImage>("TJPEGImage", TGraphic::StaticClassInfo()).Build();
    return info;
}

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return FImage ? FImage->Width : 0; }
int TJPEGImage::Height() const { return FImage ? FImage->Height : 0; }
bool TJPEGImage::Empty() const { return !FImage || FImage->Width == 0 || FImage->Height == 0; }

void TJPEGImage::SetWidth(int value)
{
    if (value != Width())
        throw EInvalidGraphic(SChangeJPEGSize);
}

void TJPEGImage::SetHeight(int value)
{
    if (value != Height())
        throw EInvalidGraphic(SChangeJPEGSize);
}

void TJPEGImage::SetCompressionQuality(int value)
{
    FCompressionQuality = std::clamp(value, 1, 100);
}

std::shared_ptr<TBitmap> TJPEGImage::FullPixels() const
{
    if (FPixels)
        return FPixels;
    // Released: decode again. The stream decoded once at load, and libjpeg
    // decodes the same bytes to the same pixels.
    auto pixels = std::make_shared<TBitmap>();
    Decode(FImage->Stream, *pixels);
    return pixels;
}

// A fitted copy is worth making only when it takes less memory than the full
// pixels it lets the image release; a picture without a stream could not get
// them back. (Sides are bounded first, which also keeps the products below in
// range.)
bool TJPEGImage::WantsFittedCopy(std::int64_t width, std::int64_t height) const
{
    if (FTransparent || FImage->Stream.empty() || width > JpegDecoder::MaxSide || height > JpegDecoder::MaxSide)
        return false;
    return PaddedRowBytes(width, FImage->BitsPerPixel) * height <
           PaddedRowBytes(FImage->Width, FImage->BitsPerPixel) * FImage->Height;
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect)
{
    if (!canvas || Empty())
        return;
    const std::int64_t width = std::llabs(std::int64_t{rect.Right} - rect.Left);
    const std::int64_t height = std::llabs(std::int64_t{rect.Bottom} - rect.Top);
    if (width == 0 || height == 0)
        return;   // nothing to draw, and no reason to decode
    if (!WantsFittedCopy(width, height)) {
        DrawPixels(canvas, rect, *FullPixels());
        return;
    }
    if (!FFitted || FFitted->Width() != width || FFitted->Height() != height) {
        FFitted = Fit(*FullPixels(), static_cast<int>(width), static_cast<int>(height));
        FPixels.reset();
    }
    DrawPixels(canvas, rect, *FFitted);
}

void TJPEGImage::LoadStream(std::string&& stream)
{
    auto image = std::make_shared<TImageData>();
    image->Stream = std::move(stream);
    auto pixels = std::make_shared<TBitmap>();
    Decode(image->Stream, *pixels);
    image->Width = pixels->Width();
    image->Height = pixels->Height();
    image->BitsPerPixel = pixels->BitsPerPixel();
    FImage = std::move(image);
    FPixels = std::move(pixels);
    FFitted.reset();
    Changed(this);
}

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    // Read here rather than through TGraphic, so that the only copy of the
    // file's bytes is the stream the image keeps.
    std::string stream;
    if (!ReadWholeFile(fileName, MaxStreamBytes, stream))
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
    LoadStream(std::move(stream));
}

void TJPEGImage::LoadFromBytes(std::string_view bytes)
{
    if (bytes.size() > MaxStreamBytes)
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
    LoadStream(std::string(bytes));
}

std::string TJPEGImage::Encode() const
{
    if (Empty()) {
        // libjpeg's own verdict on an image without pixels.
        RaiseJpegError(JERR_EMPTY_IMAGE);
    }
    const std::shared_ptr<TBitmap> held = FullPixels();
    const TBitmap& pixels = *held;
    const TPixelSurface surface = pixels.Surface();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(pixels.Width()) * 3);
    JpegEncoder encoder;
    return encoder.Encode(pixels.Width(), pixels.Height(), FCompressionQuality, [&](int y) {
        std::uint8_t* out = rgb.data();
        if (surface.BitsPerPixel == 24) {
            const std::uint8_t* in = surface.Row(y);
            for (int x = 0; x < surface.Width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        } else {
            for (int x = 0; x < surface.Width; ++x, out += 3) {
                std::uint32_t word = ReadPixelWord(surface, x, y);
                out[0] = static_cast<std::uint8_t>(word >> 16);
                out[1] = static_cast<std::uint8_t>(word >> 8);
                out[2] = static_cast<std::uint8_t>(word);
            }
        }
        return static_cast<const std::uint8_t*>(rgb.data());
    });
}

std::string TJPEGImage::SaveToBytes()
{
    if (FImage && !FImage->Stream.empty())
        return FImage->Stream;
    return Encode();
}

void TJPEGImage::SaveToFile(const std::string& fileName)
{
    // The whole file is made in memory first: a failure to encode never
    // touches the disk.
    if (FImage && !FImage->Stream.empty())
        WriteFileSafely(fileName, FImage->Stream);
    else
        WriteFileSafely(fileName, Encode());
    SetModified(false);
}

void TJPEGImage::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        FImage.reset();
        FPixels.reset();
        FFitted.reset();
        Changed(this);
        return;
    }
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
        FImage = jpeg->FImage;
        FPixels = jpeg->FPixels;
        FFitted = jpeg->FFitted;
        FCompressionQuality = jpeg->FCompressionQuality;
        Changed(this);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        auto pixels = std::make_shared<TBitmap>();
        pixels->Assign(bitmap);
        pixels->SetPixelFormat(pf24bit);
        pixels->SetTransparent(false);
        auto image = std::make_shared<TImageData>();
        image->Width = pixels->Width();
        image->Height = pixels->Height();
        FImage = std::move(image);
        FPixels = std::move(pixels);
        FFitted.reset();
        Changed(this);
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(Empty() ? nullptr : FullPixels().get());
        return;
    }
    TGraphic::AssignTo(dest);
}
