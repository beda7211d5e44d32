#pragma once
// TPixelSurface: a view of pixel memory that a canvas draws on or copies from.
//
// Rows lie Stride bytes apart, the top row first (Stride may be negative for
// memory laid out bottom-up). A pixel is, by BitsPerPixel:
//   32  one 0x00RRGGBB word (blue the first byte in memory); bits 24..31 are
//       ignored when read and written as zero;
//   24  three bytes blue, green, red;
//    8  one byte, an index into Palette;
//    1  one bit, the most significant bit of a byte first, an index into Palette.
// Palette holds pixel words; an index at or beyond PaletteSize reads as black.
// The view owns nothing; its owner keeps the memory alive while it is used.

#include <cstddef>
#include <cstdint>

struct TPixelSurface {
    std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0;
    int BitsPerPixel = 32;
    const std::uint32_t* Palette = nullptr;
    int PaletteSize = 0;

    bool IsEmpty() const { return !Bits || Width <= 0 || Height <= 0; }
    std::uint8_t* Row(int y) const { return Bits + y * Stride; }
};

// The pixel word at (x, y), which must lie on the surface.
std::uint32_t ReadPixelWord(const TPixelSurface& surface, int x, int y);
// Stores word at (x, y), which must lie on the surface; a palette surface
// takes the nearest palette entry.
void WritePixelWord(const TPixelSurface& surface, int x, int y, std::uint32_t word);

// The index of the palette entry closest to word (squared distance of the
// channels; the lowest index among equals); 0 for an empty palette.
int NearestPaletteIndex(const std::uint32_t* palette, int size, std::uint32_t word);

// Bytes of one row of width pixels, padded to a multiple of 4 bytes, as
// bitmaps store them; -1 when it would not fit in 32 bits.
std::int64_t PaddedRowBytes(std::int64_t width, int bitsPerPixel);
