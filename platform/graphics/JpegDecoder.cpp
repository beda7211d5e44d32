#include "platform/graphics/JpegDecoder.h"

#include <cstring>

#include <jerror.h>

namespace {

// x × y / 255, rounded to nearest, for bytes.
std::uint8_t Scale255(unsigned x, unsigned y)
{
    return static_cast<std::uint8_t>((x * y + 127) / 255);
}

}

JpegDecoder::JpegDecoder(std::string_view bytes)
{
    FInfo.err = FErrors.Install();
    try {
        ReadHeader(bytes);
    } catch (...) {
        // The constructor did not complete, so the destructor will not run.
        jpeg_destroy_decompress(&FInfo);
        throw;
    }
}

JpegDecoder::~JpegDecoder()
{
    jpeg_destroy_decompress(&FInfo);
}

void JpegDecoder::ReadHeader(std::string_view bytes)
{
    JPEG_GUARD(FErrors);
    jpeg_create_decompress(&FInfo);
    FInfo.mem->max_memory_to_use = MaxWorkingMemory;
    jpeg_mem_src(&FInfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&FInfo, TRUE);
    if (static_cast<std::uint64_t>(FInfo.image_width) * FInfo.image_height > MaxPixels)
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
}

void JpegDecoder::Start()
{
    FRow.assign(static_cast<std::size_t>(FInfo.image_width) * 4, 0);
    FInfo.scale_num = 1;
    FInfo.scale_denom = 1;
    FInfo.do_block_smoothing = TRUE;
    FInfo.dct_method = JDCT_FLOAT;
    switch (FInfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        FInfo.out_color_space = JCS_GRAYSCALE;
        FInfo.quantize_colors = TRUE;
        FInfo.desired_number_of_colors = 236;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        FInfo.out_color_space = JCS_CMYK;
        break;
    default:
        FInfo.out_color_space = JCS_RGB;
        break;
    }
    JPEG_GUARD(FErrors);
    jpeg_start_decompress(&FInfo);
}

void JpegDecoder::ReadRow(std::uint8_t* rgb)
{
    JSAMPROW row = FRow.data();
    JPEG_GUARD(FErrors);
    if (jpeg_read_scanlines(&FInfo, &row, 1) != 1) {
        // A memory source never suspends; should libjpeg still hand back no
        // row, the row stays black rather than showing stale pixels.
        std::memset(rgb, 0, static_cast<std::size_t>(FInfo.output_width) * 3);
        return;
    }
    ConvertRow(rgb);
}

void JpegDecoder::ConvertRow(std::uint8_t* rgb) const
{
    const std::size_t width = FInfo.output_width;
    const JSAMPLE* in = FRow.data();
    if (FInfo.quantize_colors) {
        // One colour-map row per output component: greyscale has one.
        const JSAMPLE* grey = FInfo.colormap[0];
        for (std::size_t x = 0; x < width; ++x, rgb += 3) {
            std::uint8_t v = grey[in[x]];
            rgb[0] = rgb[1] = rgb[2] = v;
        }
    } else if (FInfo.out_color_space == JCS_CMYK) {
        const bool inverted = FInfo.saw_Adobe_marker;
        for (std::size_t x = 0; x < width; ++x, in += 4, rgb += 3) {
            unsigned c = in[0], m = in[1], y = in[2], k = in[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            rgb[0] = Scale255(c, k);
            rgb[1] = Scale255(m, k);
            rgb[2] = Scale255(y, k);
        }
    } else {
        std::memcpy(rgb, in, width * 3);
    }
}
