#pragma once
// JPEG files for the graphics tests, made and read back with libjpeg itself.
//
// MakeJpeg encodes a test pattern (smooth ramps with fine detail, so that
// decoding parameters show in the pixels). DecodeReference decodes with
// libjpeg called directly, with the parameters a caller names, so tests can
// compare our decoder against the library. Both abort the test on a libjpeg
// error (they are only given streams that libjpeg accepts).

#include <cstdint>
#include <string>
#include <vector>

#include <cstdio>
#include <jpeglib.h>

struct JpegRecipe {
    int Width = 40;
    int Height = 24;
    J_COLOR_SPACE Input = JCS_RGB;        // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE Stored = JCS_UNKNOWN;   // JCS_YCCK to store CMYK as YCCK; else libjpeg's default
    bool Progressive = false;
    bool AdobeMarker = true;              // libjpeg writes one for CMYK/YCCK unless told not to
    int Quality = 75;
};

// The pattern's value of component c (of components) at (x, y).
std::uint8_t PatternSample(int x, int y, int c);
std::string MakeJpeg(const JpegRecipe& recipe);

struct ReferenceImage {
    int Width = 0;
    int Height = 0;
    int Components = 0;                 // of libjpeg's output
    std::vector<std::uint8_t> Samples;  // libjpeg's rows, back to back
    std::vector<std::uint8_t> Colormap; // quantised output: entry i of component c at c * 256 + i
    bool Adobe = false;
};

struct ReferenceParams {
    J_COLOR_SPACE Out = JCS_RGB;
    J_DCT_METHOD Dct = JDCT_FLOAT;
    bool BlockSmoothing = true;
    bool Quantize = false;
    int Colors = 236;
};

ReferenceImage DecodeReference(const std::string& bytes, const ReferenceParams& params);
// RGB triplets of a reference image: samples as they are, or quantised
// indexes looked up in the colour map (greyscale maps give R = G = B).
std::vector<std::uint8_t> ReferenceRgb(const ReferenceImage& image);

// The marker codes of a JPEG stream in order (0xD8 SOI, 0xE0 APP0 ...), up to SOS.
std::vector<int> MarkersUpToScan(const std::string& bytes);
