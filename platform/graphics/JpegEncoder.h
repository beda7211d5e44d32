#pragma once
// Encoding RGB rows into a JPEG stream in memory with libjpeg (private to the
// graphics layer; TJPEGImage is its user).
//
// Encode() writes a baseline JFIF file with libjpeg's defaults for colour
// input (YCbCr, Y sampled 2 × 2 and Cb, Cr 1 × 1, standard Huffman tables, no
// restart markers), the floating-point forward DCT and the quantisation
// tables of jpeg_set_quality(quality, TRUE). Rows are asked for top to bottom
// through rowAt(y), each 3 × width bytes of RGB; the pointer must stay valid
// until the next call. A failure (an empty or oversized image, no memory)
// raises EJPEG with libjpeg's message code; nothing is returned then.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/graphics/JpegError.h"

class JpegEncoder {
public:
    using RowSource = std::function<const std::uint8_t*(int y)>;

    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // Single use: one encoder encodes one image.
    std::string Encode(int width, int height, int quality, const RowSource& rowAt);

    // The output buffer that libjpeg writes into; grown with realloc, owned here.
    struct Destination {
        jpeg_destination_mgr Base;   // first: libjpeg sees a jpeg_destination_mgr*
        unsigned char* Data;
        std::size_t Capacity;
        std::size_t Size;
    };

private:
    void Create();

    jpeg_compress_struct FInfo{};
    JpegErrorManager FErrors{};
    Destination FDestination{};
};
