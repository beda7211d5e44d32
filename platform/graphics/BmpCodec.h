#pragma once
// The BMP file format, read and written (private to the graphics layer;
// TBitmap is its user).
//
// DecodeBmp reads a whole BMP file image: core (12-byte), info (40), v2/v3
// (52, 56), v4 (108) and v5 (124) headers; 1, 4, 8, 16, 24 and 32 bits;
// uncompressed, RLE4, RLE8 and bit fields; bottom-up and top-down rows. The
// result holds top-down rows padded to 4 bytes in the layout of its
// BitsPerPixel (1, 8, 24 or 32; 4-bit files become 8, 16-bit files 24).
// Every size is checked before anything is allocated: at most 32768 pixels a
// side and 256 M pixels in all. Anything invalid or truncated raises
// EInvalidGraphic "ビットマップイメージが不正です".
//
// EncodeBmp writes top-down rows of 1, 8, 24 or 32 bits as a bottom-up BMP
// with an info header (and the palette for 1 and 8 bits).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TBmpImage {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 32;
    std::ptrdiff_t RowBytes = 0;
    std::unique_ptr<std::uint8_t[]> Bits;   // Height rows of RowBytes, top row first
    std::vector<std::uint32_t> Palette;     // pixel words, for 1 and 8 bits
};

constexpr int MaxBitmapSide = 32768;
constexpr std::int64_t MaxBitmapPixels = std::int64_t{256} * 1024 * 1024;

TBmpImage DecodeBmp(std::string_view bytes);
std::string EncodeBmp(int width, int height, int bitsPerPixel, const std::uint8_t* bits, std::ptrdiff_t rowBytes,
                      const std::vector<std::uint32_t>& palette);
