#pragma once
// Picture files for the program's end-to-end tests, and reading its sheets.

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int R = 0, G = 0, B = 0;
};

// A w × h BMP (24 bits, bottom-up) or baseline JPEG of quality 95 filled with one colour.
std::string SolidBmp(Rgb colour, int w = 40, int h = 30);
std::string SolidJpeg(Rgb colour, int w = 40, int h = 30);

// A decoded sheet and what its header says.
struct Sheet {
    bool Loaded = false;
    int Width = 0, Height = 0, Components = 0;
    bool Progressive = false, Jfif = false, Baseline = true;
    int YH = 0, YV = 0, CbH = 0, CbV = 0, CrH = 0, CrV = 0;
    std::vector<std::uint16_t> LumaTable, ChromaTable;   // quantisation tables, natural order
    std::vector<std::uint8_t> Pixels;                    // RGB, rows top to bottom
    Rgb At(int x, int y) const;
};
Sheet ReadSheet(const std::string& path);

// The quantisation tables libjpeg makes for a colour image at `quality` (baseline forced).
void ExpectedTables(int quality, std::vector<std::uint16_t>& luma, std::vector<std::uint16_t>& chroma);

// Encodes 600 × 600 RGB pixels exactly as the program encodes a sheet, and decodes the result.
std::vector<std::uint8_t> EncodeDecodeLikeSheet(const std::vector<std::uint8_t>& rgb, int width, int height);

// True when two colours differ by at most `tolerance` in each channel.
bool Near(Rgb a, Rgb b, int tolerance = 12);
