#pragma once
// Builds BMP files byte by byte for the graphics tests, so that every header
// kind, bit depth and compression can be made without any other tool.

#include <cstdint>
#include <string>
#include <vector>

struct BmpSpec {
    int HeaderSize = 40;                      // 12, 40, 108 or 124
    std::int32_t Width = 0;
    std::int32_t Height = 0;                  // negative: top-down
    int Bits = 24;
    std::uint32_t Compression = 0;            // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields
    std::vector<std::uint32_t> Palette;       // 0x00RRGGBB
    std::vector<std::uint32_t> Masks;         // red, green, blue: after a 40-byte header, inside later ones
    std::uint32_t ColorsUsed = 0xFFFFFFFF;    // default: the palette's size
    std::string Pixels;                       // the pixel data exactly as stored
    int Planes = 1;
    bool WrongOffBits = false;                // offBits 0, as some writers leave it
};

inline void PutLE(std::string& s, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

inline std::string MakeBmp(const BmpSpec& spec)
{
    std::string info;
    PutLE(info, static_cast<std::uint32_t>(spec.HeaderSize), 4);
    if (spec.HeaderSize == 12) {
        PutLE(info, static_cast<std::uint32_t>(spec.Width), 2);
        PutLE(info, static_cast<std::uint32_t>(spec.Height), 2);
        PutLE(info, static_cast<std::uint32_t>(spec.Planes), 2);
        PutLE(info, static_cast<std::uint32_t>(spec.Bits), 2);
    } else {
        PutLE(info, static_cast<std::uint32_t>(spec.Width), 4);
        PutLE(info, static_cast<std::uint32_t>(spec.Height), 4);
        PutLE(info, static_cast<std::uint32_t>(spec.Planes), 2);
        PutLE(info, static_cast<std::uint32_t>(spec.Bits), 2);
        PutLE(info, spec.Compression, 4);
        PutLE(info, static_cast<std::uint32_t>(spec.Pixels.size()), 4);
        PutLE(info, 2835, 4);
        PutLE(info, 2835, 4);
        PutLE(info, spec.ColorsUsed == 0xFFFFFFFF ? static_cast<std::uint32_t>(spec.Palette.size()) : spec.ColorsUsed, 4);
        PutLE(info, 0, 4);
        if (spec.HeaderSize > 40) {
            for (int i = 0; i < 4; ++i)
                PutLE(info, i < static_cast<int>(spec.Masks.size()) ? spec.Masks[static_cast<std::size_t>(i)] : 0, 4);
            info.resize(static_cast<std::size_t>(spec.HeaderSize), '\0');
        } else {
            for (std::uint32_t m : spec.Masks)
                PutLE(info, m, 4);
        }
    }
    std::string palette;
    for (std::uint32_t c : spec.Palette) {
        PutLE(palette, c & 0xFF, 1);
        PutLE(palette, c >> 8 & 0xFF, 1);
        PutLE(palette, c >> 16 & 0xFF, 1);
        if (spec.HeaderSize != 12)
            PutLE(palette, 0, 1);
    }
    std::uint32_t offBits = static_cast<std::uint32_t>(14 + info.size() + palette.size());
    std::string file = "BM";
    PutLE(file, static_cast<std::uint32_t>(offBits + spec.Pixels.size()), 4);
    PutLE(file, 0, 4);
    PutLE(file, spec.WrongOffBits ? 0 : offBits, 4);
    return file + info + palette + spec.Pixels;
}

// Bytes of a string literal with embedded zeros: Bytes({0x12, 0x00}).
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}
