#include "tests/graphics/JpegTestFiles.h"

#include <cstdlib>
#include <stdexcept>

extern "C" {

static void Quiet(j_common_ptr) {}
static void Fail(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    std::fprintf(stderr, "libjpeg failed in a test fixture: %s\n", text);
    std::abort();
}

}

namespace {

void Prepare(jpeg_error_mgr& err)
{
    jpeg_std_error(&err);
    err.output_message = Quiet;
    err.error_exit = Fail;
}

}

std::uint8_t PatternSample(int x, int y, int c)
{
    switch (c) {
    case 0: return static_cast<std::uint8_t>(x * 255 / 64 + ((x / 2 + y) % 3) * 20);
    case 1: return static_cast<std::uint8_t>(y * 9 + ((x ^ y) & 7) * 11);
    case 2: return static_cast<std::uint8_t>((x * 7 + y * 13) ^ (x * y));
    default: return static_cast<std::uint8_t>(40 + (x + y) % 50);
    }
}

std::string MakeJpeg(const JpegRecipe& recipe)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err;
    Prepare(err);
    cinfo.err = &err;
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    int components = recipe.Input == JCS_GRAYSCALE ? 1 : recipe.Input == JCS_CMYK ? 4 : 3;
    cinfo.image_width = static_cast<JDIMENSION>(recipe.Width);
    cinfo.image_height = static_cast<JDIMENSION>(recipe.Height);
    cinfo.input_components = components;
    cinfo.in_color_space = recipe.Input;
    jpeg_set_defaults(&cinfo);
    if (recipe.Stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&cinfo, recipe.Stored);
    if (!recipe.AdobeMarker)
        cinfo.write_Adobe_marker = FALSE;
    jpeg_set_quality(&cinfo, recipe.Quality, TRUE);
    if (recipe.Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(recipe.Width * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < recipe.Width; ++x)
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x * components + c)] =
                    components == 1 ? PatternSample(x, y, 0) : PatternSample(x, y, c);
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

ReferenceImage DecodeReference(const std::string& bytes, const ReferenceParams& params)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err;
    Prepare(err);
    cinfo.err = &err;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = params.Out;
    cinfo.dct_method = params.Dct;
    cinfo.do_block_smoothing = params.BlockSmoothing ? TRUE : FALSE;
    if (params.Quantize) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = params.Colors;
    }
    jpeg_start_decompress(&cinfo);
    ReferenceImage image;
    image.Width = static_cast<int>(cinfo.output_width);
    image.Height = static_cast<int>(cinfo.output_height);
    image.Components = params.Quantize ? 1 : cinfo.output_components;
    image.Adobe = cinfo.saw_Adobe_marker;
    std::size_t stride = static_cast<std::size_t>(image.Width * image.Components);
    image.Samples.resize(stride * static_cast<std::size_t>(image.Height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = image.Samples.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &p, 1);
    }
    if (params.Quantize) {
        image.Colormap.assign(static_cast<std::size_t>(cinfo.out_color_components) * 256, 0);
        for (int c = 0; c < cinfo.out_color_components; ++c)
            for (int i = 0; i < cinfo.actual_number_of_colors; ++i)
                image.Colormap[static_cast<std::size_t>(c * 256 + i)] = cinfo.colormap[c][i];
        image.Components = -cinfo.out_color_components;   // marks indexes
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

std::vector<std::uint8_t> ReferenceRgb(const ReferenceImage& image)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(image.Width * image.Height * 3));
    if (image.Components < 0) {
        int mapped = -image.Components;
        for (std::uint8_t index : image.Samples)
            for (int c = 0; c < 3; ++c)
                rgb.push_back(image.Colormap[static_cast<std::size_t>((mapped == 1 ? 0 : c) * 256 + index)]);
        return rgb;
    }
    if (image.Components == 1) {
        for (std::uint8_t v : image.Samples)
            rgb.insert(rgb.end(), {v, v, v});
        return rgb;
    }
    if (image.Components != 3)
        throw std::logic_error("ReferenceRgb: only greyscale, RGB or quantised images");
    return image.Samples;
}

std::vector<int> MarkersUpToScan(const std::string& bytes)
{
    std::vector<int> markers;
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    while (i + 1 < bytes.size() && at(i) == 0xFF) {
        int code = at(i + 1);
        markers.push_back(code);
        if (code == 0xD8) {
            i += 2;
            continue;
        }
        if (code == 0xDA || i + 3 >= bytes.size())
            break;
        i += 2 + (static_cast<std::size_t>(at(i + 2)) << 8 | at(i + 3));
    }
    return markers;
}
