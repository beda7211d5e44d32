#pragma once
// TBitmap: a picture held as one buffer of pixels in memory.
//
// Pixels: rows top to bottom, each padded to a multiple of 4 bytes, in the
// layout of PixelFormat (see PixelSurface.h): pf32bit and pfDevice one
// 0x00RRGGBB word per pixel (pfDevice is the display's own format, 32 bits),
// pf24bit blue-green-red bytes, pf8bit and pf1bit palette indices (Palette()
// holds pixel words; a 1-bit bitmap starts black/white, an 8-bit one with a
// 256-colour default palette). ScanLine(row) points at a row; writing through
// it fires no OnChange. The bitmap owns its buffer and keeps exactly one.
//
// HandleType: bmDDB goes with pfDevice (and with a monochrome bitmap, which
// the display can hold as it is), bmDIB with every other format; setting one
// sets the other (bmDIB turns pfDevice into pf32bit, bmDDB turns any format
// but monochrome into pfDevice). A new bitmap is empty, pfDevice / bmDDB.
// Changing the format converts the pixels; colours that a palette format
// cannot hold take the nearest palette entry.
//
// Size: SetWidth / SetHeight / SetSize keep the pixels that still fit; new
// pixels are white. Each side is at most 32768 and the area at most 256 M
// pixels; other sizes raise EInvalidGraphic "イメージのサイズが不正です".
// FreeImage releases the pixel memory: the bitmap becomes empty (0 x 0).
//
// Transparency (Draw with Transparent true skips the transparent colour):
// tmAuto takes the colour of the bottom-left pixel (clNone while empty);
// SetTransparentColor fixes a colour (tmFixed), clDefault returns to tmAuto.
//
// Canvas() is the bitmap's own canvas, created on first use and owned by the
// bitmap; drawing on it fires the bitmap's OnChange.
//
// BMP: LoadFromBytes/LoadFromFile read core, info, v4 and v5 headers with 1,
// 4, 8, 16, 24 or 32 bits, uncompressed, RLE4, RLE8 or bit fields, bottom-up
// or top-down (1 bit loads as pf1bit, 4 and 8 as pf8bit, 16 and 24 as
// pf24bit, 32 as pf32bit). Anything else, truncated or too large raises
// EInvalidGraphic "ビットマップイメージが不正です" and leaves the bitmap as it was.
// SaveToBytes/SaveToFile write a bottom-up BMP with an info header: 1, 8, 24
// or 32 bits as the format is (pfDevice as 32).
//
// Assign takes another bitmap's pixels, format, palette and transparency (or
// becomes empty for nullptr); other sources go to their AssignTo.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/PixelSurface.h"
#include "platform/graphics/TGraphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf8bit, pf24bit, pf32bit };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
    RUPINAKO_CLASS(TBitmap)
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    void SetWidth(int value) override;
    int Height() const override { return FHeight; }
    void SetHeight(int value) override;
    void SetSize(int width, int height);
    bool Empty() const override { return FWidth == 0 || FHeight == 0; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    TBitmapHandleType HandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType value);
    // 1, 8, 24 or 32.
    int BitsPerPixel() const;
    // pf1bit with a black/white palette; setting false turns a 1-bit bitmap into pfDevice.
    bool Monochrome() const;
    void SetMonochrome(bool value);

    // Row 0 is the top row; raises EInvalidGraphic for a row outside the bitmap.
    void* ScanLine(int row);
    const void* ScanLine(int row) const;
    // Bytes from one row to the next.
    std::ptrdiff_t RowBytes() const { return FRowBytes; }
    // The pixels as a surface (empty when the bitmap is).
    TPixelSurface Surface() const;

    // Palette of 1- and 8-bit bitmaps, as pixel words; empty for other formats.
    const std::vector<std::uint32_t>& Palette() const { return FPalette; }
    // Replaces the palette (at most 2 entries for 1 bit, 256 for 8); pixels keep their indices.
    void SetPalette(std::vector<std::uint32_t> palette);

    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    TCanvas* Canvas();
    // Releases the pixel memory; the bitmap is empty afterwards.
    void FreeImage();

    void Draw(TCanvas* canvas, const TRect& rect) override;
    void LoadFromBytes(std::string_view bytes) override;
    std::string SaveToBytes() override;
    void Assign(TPersistent* source) override;

private:
    friend class TBitmapCanvas;
    void Resize(int width, int height);
    void ConvertTo(TPixelFormat format);
    void CanvasChanged();

    int FWidth = 0;
    int FHeight = 0;
    std::ptrdiff_t FRowBytes = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TBitmapHandleType FHandleType = bmDDB;
    std::unique_ptr<std::uint8_t[]> FBits;
    std::vector<std::uint32_t> FPalette;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TCanvas> FCanvas;
};
