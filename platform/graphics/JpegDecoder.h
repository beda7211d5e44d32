#pragma once
// Decoding one JPEG stream held in memory with libjpeg (private to the
// graphics layer; TJPEGImage is its user).
//
// The constructor parses the header at once, so Width() and Height() are
// known before any pixel is decoded. Start() and ReadRow() then decode with
// fixed parameters: full size, block smoothing, the floating-point inverse
// DCT. Rows come out top to bottom:
//   - colour files (YCbCr or RGB) as libjpeg's JCS_RGB output, RGB triplets;
//   - greyscale files quantised by libjpeg to 236 grey levels (one pass,
//     Floyd-Steinberg dithering): one index a pixel into Palette(), which
//     holds libjpeg's colour map as 0x00RRGGBB words (R = G = B);
//   - CMYK and YCCK files as libjpeg's CMYK output, converted to RGB triplets
//     by R = (255 - C) × (255 - K) / 255 (likewise G from M, B from Y),
//     rounded. Files with an Adobe marker store the channels inverted, as
//     Photoshop writes them, and give R = C × K / 255.
//
// Failures raise EJPEG "JPEG エラー #<code>" with libjpeg's message code:
// an empty input (JERR_INPUT_EMPTY), no JPEG stream (JERR_NO_SOI), a broken
// header, a colour space without a conversion. Images above MaxPixels raise
// JERR_IMAGE_TOO_BIG before anything is allocated, and so do sides above
// MaxSide, the largest bitmap the graphics layer holds, and libjpeg's own working
// memory (a progressive file's coefficients) is capped at MaxWorkingMemory,
// beyond which it fails with JERR_NO_BACKING_STORE. Warnings never raise: a
// truncated file decodes what it has and libjpeg fills the rest.
//
// The bytes must outlive the decoder. A decoder is single-use and not copyable.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/graphics/JpegError.h"

class JpegDecoder {
public:
    static constexpr std::uint64_t MaxPixels = 256ull * 1024 * 1024;
    static constexpr unsigned MaxSide = 32768;
    static constexpr long MaxWorkingMemory = 1024l * 1024 * 1024;

    explicit JpegDecoder(std::string_view bytes);
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    int Width() const { return static_cast<int>(FInfo.image_width); }
    int Height() const { return static_cast<int>(FInfo.image_height); }
    J_COLOR_SPACE ColorSpace() const { return FInfo.jpeg_color_space; }

    // Sets the decoding parameters and starts decompression.
    void Start();
    // After Start(): true when rows are palette indexes (greyscale files).
    bool Indexed() const { return FInfo.quantize_colors; }
    // The colour map of indexed output; empty otherwise.
    std::vector<std::uint32_t> Palette() const;
    // Decodes the next row into out: Width() indexes when Indexed(), else
    // 3 × Width() bytes of RGB. Raises EJPEG on a fatal libjpeg error. Only
    // valid after Start(), Height() times.
    void ReadRow(std::uint8_t* out);

private:
    void ReadHeader(std::string_view bytes);
    bool ReadScanline(JSAMPROW row);
    void CmykToRgb(std::uint8_t* rgb) const;

    jpeg_decompress_struct FInfo{};
    JpegErrorManager FErrors{};
    std::vector<JSAMPLE> FRow;   // one row of CMYK output, before conversion
};
