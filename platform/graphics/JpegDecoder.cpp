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
    if (FInfo.image_width > MaxSide || FInfo.image_height > MaxSide ||
        static_cast<std::uint64_t>(FInfo.image_width) * FInfo.image_height > MaxPixels)
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
}

void JpegDecoder::Start()
{
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
        FRow.assign(static_cast<std::size_t>(FInfo.image_width) * 4, 0);
        break;
    default:
        FInfo.out_color_space = JCS_RGB;
        break;
    }
    JPEG_GUARD(FErrors);
    jpeg_start_decompress(&FInfo);
}

std::vector<std::uint32_t> JpegDecoder::Palette() const
{
    std::vector<std::uint32_t> palette;
    if (!FInfo.quantize_colors || !FInfo.colormap)
        return palette;
    // One colour-map row per output component: greyscale has one.
    for (int i = 0; i < FInfo.actual_number_of_colors; ++i) {
        std::uint32_t v = FInfo.colormap[0][i];
        palette.push_back(v << 16 | v << 8 | v);
    }
    return palette;
}

bool JpegDecoder::ReadScanline(JSAMPROW row)
{
    // Kept apart from ReadRow so that nothing that lives on after the jump
    // shares a frame with setjmp.
    JPEG_GUARD(FErrors);
    return jpeg_read_scanlines(&FInfo, &row, 1) == 1;
}

void JpegDecoder::ReadRow(std::uint8_t* out)
{
    // Indexes and RGB come out of libjpeg as they are wanted: straight into out.
    const bool direct = FInfo.out_color_space != JCS_CMYK;
    if (!ReadScanline(direct ? out : FRow.data())) {
        // A memory source never suspends; should libjpeg still hand back no
        // row, it stays at index 0 or black rather than showing stale pixels.
        std::memset(out, 0, static_cast<std::size_t>(FInfo.output_width) * (Indexed() ? 1 : 3));
        return;
    }
    if (!direct)
        CmykToRgb(out);
}

void JpegDecoder::CmykToRgb(std::uint8_t* rgb) const
{
    const JSAMPLE* in = FRow.data();
    const bool inverted = FInfo.saw_Adobe_marker;
    for (std::size_t x = 0; x < FInfo.output_width; ++x, in += 4, rgb += 3) {
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
}
