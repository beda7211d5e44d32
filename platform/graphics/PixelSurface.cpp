#include "platform/graphics/PixelSurface.h"

#include <cstring>
#include <limits>

std::uint32_t ReadPixelWord(const TPixelSurface& surface, int x, int y)
{
    const std::uint8_t* row = surface.Row(y);
    int index;
    switch (surface.BitsPerPixel) {
    case 32: {
        std::uint32_t word;
        std::memcpy(&word, row + 4 * static_cast<std::ptrdiff_t>(x), 4);
        return word & 0xFFFFFF;
    }
    case 24: {
        const std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16;
    }
    case 8:
        index = row[x];
        break;
    default:
        index = (row[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    }
    return index < surface.PaletteSize ? surface.Palette[index] & 0xFFFFFF : 0;
}

void WritePixelWord(const TPixelSurface& surface, int x, int y, std::uint32_t word)
{
    std::uint8_t* row = surface.Row(y);
    switch (surface.BitsPerPixel) {
    case 32:
        word &= 0xFFFFFF;
        std::memcpy(row + 4 * static_cast<std::ptrdiff_t>(x), &word, 4);
        return;
    case 24: {
        std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
        p[0] = static_cast<std::uint8_t>(word);
        p[1] = static_cast<std::uint8_t>(word >> 8);
        p[2] = static_cast<std::uint8_t>(word >> 16);
        return;
    }
    case 8:
        row[x] = static_cast<std::uint8_t>(NearestPaletteIndex(surface.Palette, surface.PaletteSize, word));
        return;
    default: {
        int bit = NearestPaletteIndex(surface.Palette, surface.PaletteSize, word) & 1;
        std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        row[x >> 3] = static_cast<std::uint8_t>(bit ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask));
        return;
    }
    }
}

int NearestPaletteIndex(const std::uint32_t* palette, int size, std::uint32_t word)
{
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    int r = (word >> 16) & 0xFF, g = (word >> 8) & 0xFF, b = word & 0xFF;
    for (int i = 0; i < size; ++i) {
        int dr = static_cast<int>((palette[i] >> 16) & 0xFF) - r;
        int dg = static_cast<int>((palette[i] >> 8) & 0xFF) - g;
        int db = static_cast<int>(palette[i] & 0xFF) - b;
        long distance = static_cast<long>(dr) * dr + static_cast<long>(dg) * dg + static_cast<long>(db) * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0)
                break;
        }
    }
    return best;
}

std::int64_t PaddedRowBytes(std::int64_t width, int bitsPerPixel)
{
    if (width < 0 || width > std::numeric_limits<std::int32_t>::max())
        return -1;
    std::int64_t bytes = (width * bitsPerPixel + 31) / 32 * 4;
    return bytes > std::numeric_limits<std::int32_t>::max() ? -1 : bytes;
}
