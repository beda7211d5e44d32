#include "platform/graphics/TBitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/TCanvas.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Messages.h"

const TClassInfo& TBitmap::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", TGraphic::StaticClassInfo()).Build();
    return info;
}

// The canvas of a bitmap: it draws on the bitmap's current buffer and tells
// the bitmap after every operation.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}

protected:
    void RequireSurface() override { SetSurface(FBitmap->Surface()); }
    void Changed() override
    {
        TCanvas::Changed();
        FBitmap->CanvasChanged();
    }

private:
    TBitmap* FBitmap;
};

namespace {

int FormatBits(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
    }
}

const std::vector<std::uint32_t>& BlackWhitePalette()
{
    static const std::vector<std::uint32_t> palette{0x000000, 0xFFFFFF};
    return palette;
}

// The 8-bit default: a 6 x 6 x 6 colour cube, then a ramp of 40 greys.
const std::vector<std::uint32_t>& DefaultPalette256()
{
    static const std::vector<std::uint32_t> palette = [] {
        std::vector<std::uint32_t> p;
        p.reserve(256);
        for (std::uint32_t r = 0; r < 6; ++r)
            for (std::uint32_t g = 0; g < 6; ++g)
                for (std::uint32_t b = 0; b < 6; ++b)
                    p.push_back((r * 51) << 16 | (g * 51) << 8 | (b * 51));
        for (std::uint32_t i = 0; i < 40; ++i) {
            std::uint32_t v = i * 255 / 39;
            p.push_back(v << 16 | v << 8 | v);
        }
        return p;
    }();
    return palette;
}

const std::vector<std::uint32_t>& DefaultPalette(TPixelFormat format)
{
    static const std::vector<std::uint32_t> none;
    return format == pf1bit ? BlackWhitePalette() : format == pf8bit ? DefaultPalette256() : none;
}

std::ptrdiff_t RowBytesFor(int width, int bits) { return static_cast<std::ptrdiff_t>(PaddedRowBytes(width, bits)); }

void CheckSize(int width, int height)
{
    if (width < 0 || height < 0 || width > MaxBitmapSide || height > MaxBitmapSide ||
        static_cast<std::int64_t>(width) * height > MaxBitmapPixels)
        throw EInvalidGraphic(SInvalidImageSize);
}

// Fills a whole surface with the pixel nearest to word.
void FillSurface(const TPixelSurface& s, std::uint32_t word)
{
    if (s.IsEmpty())
        return;
    for (int x = 0; x < s.Width; ++x)
        WritePixelWord(s, x, 0, word);
    std::size_t bytes = static_cast<std::size_t>((static_cast<std::int64_t>(s.Width) * s.BitsPerPixel + 7) / 8);
    for (int y = 1; y < s.Height; ++y)
        std::memcpy(s.Row(y), s.Row(0), bytes);
}

}   // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

int TBitmap::BitsPerPixel() const { return FormatBits(FPixelFormat); }

TPixelSurface TBitmap::Surface() const
{
    TPixelSurface s;
    if (!FBits)
        return s;
    s.Bits = FBits.get();
    s.Width = FWidth;
    s.Height = FHeight;
    s.Stride = FRowBytes;
    s.BitsPerPixel = BitsPerPixel();
    s.Palette = FPalette.data();
    s.PaletteSize = static_cast<int>(FPalette.size());
    return s;
}

void TBitmap::Resize(int width, int height)
{
    CheckSize(width, height);
    if (width == FWidth && height == FHeight)
        return;
    int bits = BitsPerPixel();
    std::ptrdiff_t rowBytes = RowBytesFor(width, bits);
    std::unique_ptr<std::uint8_t[]> buffer;
    if (width > 0 && height > 0) {
        buffer = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(rowBytes) * height);
        std::memset(buffer.get(), 0, static_cast<std::size_t>(rowBytes) * height);
        TPixelSurface target{buffer.get(), width, height, rowBytes, bits, FPalette.data(), static_cast<int>(FPalette.size())};
        FillSurface(target, 0xFFFFFF);
        if (FBits) {
            int keepW = std::min(width, FWidth), keepH = std::min(height, FHeight);
            std::size_t fullBytes = static_cast<std::size_t>(static_cast<std::int64_t>(keepW) * bits / 8);
            int restBits = static_cast<int>(static_cast<std::int64_t>(keepW) * bits % 8);
            for (int y = 0; y < keepH; ++y) {
                std::uint8_t* to = target.Row(y);
                const std::uint8_t* from = FBits.get() + y * FRowBytes;
                std::memcpy(to, from, fullBytes);
                if (restBits) {
                    auto mask = static_cast<std::uint8_t>(0xFF00 >> restBits);
                    to[fullBytes] = static_cast<std::uint8_t>((from[fullBytes] & mask) | (to[fullBytes] & ~mask));
                }
            }
        }
    }
    FBits = std::move(buffer);
    FWidth = width;
    FHeight = height;
    FRowBytes = FBits ? rowBytes : 0;
}

void TBitmap::SetWidth(int value)
{
    if (value == FWidth)
        return;
    Resize(value, FHeight);
    Changed(this);
}

void TBitmap::SetHeight(int value)
{
    if (value == FHeight)
        return;
    Resize(FWidth, value);
    Changed(this);
}

void TBitmap::SetSize(int width, int height)
{
    if (width == FWidth && height == FHeight)
        return;
    Resize(width, height);
    Changed(this);
}

void TBitmap::ConvertTo(TPixelFormat format)
{
    int fromBits = BitsPerPixel(), toBits = FormatBits(format);
    const std::vector<std::uint32_t>& newPalette = DefaultPalette(format);
    if (FBits && fromBits != toBits) {
        std::ptrdiff_t rowBytes = RowBytesFor(FWidth, toBits);
        auto buffer = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(rowBytes) * FHeight);
        TPixelSurface from = Surface();
        TPixelSurface to{buffer.get(), FWidth, FHeight, rowBytes, toBits, newPalette.data(), static_cast<int>(newPalette.size())};
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                WritePixelWord(to, x, y, ReadPixelWord(from, x, y));
        FBits = std::move(buffer);
        FRowBytes = rowBytes;
    }
    if (fromBits != toBits || (toBits <= 8 && FPalette.empty()))
        FPalette = newPalette;
    FPixelFormat = format;
    FHandleType = format == pfDevice ? bmDDB : bmDIB;
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == FPixelFormat)
        return;
    ConvertTo(value);
    Changed(this);
}

void TBitmap::SetHandleType(TBitmapHandleType value)
{
    if (value == FHandleType)
        return;
    // The display holds a monochrome bitmap as it is, so only the handle
    // type changes; everything else takes the display's format or leaves it.
    if (FPixelFormat == pf1bit && (value == bmDIB || Monochrome())) {
        FHandleType = value;
        Changed(this);
        return;
    }
    SetPixelFormat(value == bmDDB ? pfDevice : pf32bit);
}

bool TBitmap::Monochrome() const { return FPixelFormat == pf1bit && FPalette == BlackWhitePalette(); }

void TBitmap::SetMonochrome(bool value)
{
    if (value == Monochrome())
        return;
    if (value) {
        TBitmapHandleType handleType = FHandleType;
        if (FPixelFormat == pf1bit)
            ConvertTo(pf32bit);   // another 1-bit palette: through colour, to keep the look
        ConvertTo(pf1bit);
        FHandleType = handleType;
    } else {
        ConvertTo(pfDevice);
    }
    Changed(this);
}

void* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= FHeight || !FBits)
        throw EInvalidGraphic(SScanLineIndex);
    return FBits.get() + row * FRowBytes;
}

const void* TBitmap::ScanLine(int row) const { return const_cast<TBitmap*>(this)->ScanLine(row); }

void TBitmap::SetPalette(std::vector<std::uint32_t> palette)
{
    std::size_t limit = FPixelFormat == pf1bit ? 2 : FPixelFormat == pf8bit ? 256 : 0;
    if (palette.empty() || palette.size() > limit)
        throw EInvalidGraphic(SInvalidPalette);
    for (auto& word : palette)
        word &= 0xFFFFFF;
    if (palette == FPalette)
        return;
    FPalette = std::move(palette);
    if (FPixelFormat == pf1bit && !Monochrome())
        FHandleType = bmDIB;   // only a black and white bitmap is held by the display
    Changed(this);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    if (Empty() || !FBits)
        return clNone;
    return PixelWordToColor(ReadPixelWord(Surface(), 0, FHeight - 1));
}

void TBitmap::SetTransparentColor(TColor value)
{
    TTransparentMode mode = value == clDefault ? tmAuto : tmFixed;
    if (value == FTransparentColor && mode == FTransparentMode)
        return;
    FTransparentColor = value;
    FTransparentMode = mode;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value == FTransparentMode)
        return;
    if (value == tmFixed) {
        FTransparentColor = TransparentColor();
    } else {
        FTransparentColor = clDefault;
    }
    FTransparentMode = value;
    Changed(this);
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TBitmapCanvas>(this);
    return FCanvas.get();
}

void TBitmap::CanvasChanged() { Changed(this); }

void TBitmap::FreeImage()
{
    if (!FBits && FWidth == 0 && FHeight == 0)
        return;
    FBits.reset();
    FWidth = FHeight = 0;
    FRowBytes = 0;
    Changed(this);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect)
{
    if (!canvas || Empty() || !FBits)
        return;
    TPixelSurface source = Surface();
    if (FTransparent)
        canvas->StretchSurface(rect, source, {0, 0, FWidth, FHeight}, cmSrcCopy, ColorToPixelWord(TransparentColor()));
    else
        canvas->StretchSurface(rect, source, {0, 0, FWidth, FHeight}, canvas->CopyMode());
}

void TBitmap::LoadFromBytes(std::string_view bytes)
{
    TBmpImage image = DecodeBmp(bytes);
    switch (image.BitsPerPixel) {
    case 1: FPixelFormat = pf1bit; break;
    case 8: FPixelFormat = pf8bit; break;
    case 24: FPixelFormat = pf24bit; break;
    default: FPixelFormat = pf32bit; break;
    }
    FHandleType = bmDIB;
    FWidth = image.Width;
    FHeight = image.Height;
    FRowBytes = image.Bits ? image.RowBytes : 0;
    FBits = std::move(image.Bits);
    FPalette = std::move(image.Palette);
    if (FPixelFormat == pf1bit || FPixelFormat == pf8bit) {
        if (FPalette.empty())
            FPalette = DefaultPalette(FPixelFormat);
    } else {
        FPalette.clear();
    }
    Changed(this);
}

std::string TBitmap::SaveToBytes()
{
    return EncodeBmp(FWidth, FHeight, BitsPerPixel(), FBits.get(), FRowBytes, FPalette);
}

void TBitmap::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        FBits.reset();
        FWidth = FHeight = 0;
        FRowBytes = 0;
        Changed(this);
        return;
    }
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    std::unique_ptr<std::uint8_t[]> buffer;
    if (other->FBits) {
        std::size_t bytes = static_cast<std::size_t>(other->FRowBytes) * other->FHeight;
        buffer = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        std::memcpy(buffer.get(), other->FBits.get(), bytes);
    }
    FBits = std::move(buffer);
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    FRowBytes = other->FRowBytes;
    FPixelFormat = other->FPixelFormat;
    FHandleType = other->FHandleType;
    FPalette = other->FPalette;
    FTransparent = other->FTransparent;
    FTransparentColor = other->FTransparentColor;
    FTransparentMode = other->FTransparentMode;
    Changed(this);
}
