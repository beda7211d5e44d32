#include "tests/app/SheetFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

namespace {

void Put16(std::string& s, unsigned v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, unsigned v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

std::string Compress(const std::vector<std::uint8_t>& rgb, int w, int h, int quality, bool floatDct)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    if (floatDct)
        c.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + static_cast<std::size_t>(c.next_scanline) * w * 3);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return bytes;
}

Sheet Decode(const std::string& bytes)
{
    Sheet s;
    if (bytes.size() < 4)
        return s;
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&d, TRUE);
    s.Width = static_cast<int>(d.image_width);
    s.Height = static_cast<int>(d.image_height);
    s.Components = d.num_components;
    s.Progressive = d.progressive_mode;
    s.Jfif = d.saw_JFIF_marker;
    s.Baseline = !d.progressive_mode && !d.arith_code;
    if (d.num_components == 3) {
        s.YH = d.comp_info[0].h_samp_factor;
        s.YV = d.comp_info[0].v_samp_factor;
        s.CbH = d.comp_info[1].h_samp_factor;
        s.CbV = d.comp_info[1].v_samp_factor;
        s.CrH = d.comp_info[2].h_samp_factor;
        s.CrV = d.comp_info[2].v_samp_factor;
    }
    for (int t = 0; t < 2; ++t) {
        std::vector<std::uint16_t>& table = t == 0 ? s.LumaTable : s.ChromaTable;
        if (d.quant_tbl_ptrs[t])
            table.assign(d.quant_tbl_ptrs[t]->quantval, d.quant_tbl_ptrs[t]->quantval + DCTSIZE2);
    }
    d.out_color_space = JCS_RGB;
    d.dct_method = JDCT_FLOAT;
    d.do_block_smoothing = TRUE;
    jpeg_start_decompress(&d);
    s.Pixels.resize(static_cast<std::size_t>(d.output_width) * d.output_height * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = s.Pixels.data() + static_cast<std::size_t>(d.output_scanline) * d.output_width * 3;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    s.Loaded = true;
    return s;
}

}

std::string SolidBmp(Rgb colour, int w, int h)
{
    int row = (w * 3 + 3) / 4 * 4;
    std::string s = "BM";
    Put32(s, static_cast<unsigned>(54 + row * h));
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, static_cast<unsigned>(w));
    Put32(s, static_cast<unsigned>(h));
    Put16(s, 1);
    Put16(s, 24);
    Put32(s, 0);
    Put32(s, static_cast<unsigned>(row * h));
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, 0);
    Put32(s, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            s += static_cast<char>(colour.B);
            s += static_cast<char>(colour.G);
            s += static_cast<char>(colour.R);
        }
        s.append(static_cast<std::size_t>(row - w * 3), '\0');
    }
    return s;
}

std::string SolidJpeg(Rgb colour, int w, int h)
{
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < w * h; ++i) {
        rgb.push_back(static_cast<std::uint8_t>(colour.R));
        rgb.push_back(static_cast<std::uint8_t>(colour.G));
        rgb.push_back(static_cast<std::uint8_t>(colour.B));
    }
    return Compress(rgb, w, h, 95, false);
}

Rgb Sheet::At(int x, int y) const
{
    std::size_t i = (static_cast<std::size_t>(y) * Width + x) * 3;
    return {Pixels[i], Pixels[i + 1], Pixels[i + 2]};
}

Sheet ReadSheet(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return {};
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    return Decode(bytes);
}

void ExpectedTables(int quality, std::vector<std::uint16_t>& luma, std::vector<std::uint16_t>& chroma)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    c.in_color_space = JCS_RGB;
    c.input_components = 3;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    luma.assign(c.quant_tbl_ptrs[0]->quantval, c.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
    chroma.assign(c.quant_tbl_ptrs[1]->quantval, c.quant_tbl_ptrs[1]->quantval + DCTSIZE2);
    jpeg_destroy_compress(&c);
}

std::vector<std::uint8_t> EncodeDecodeLikeSheet(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    return Decode(Compress(rgb, width, height, 80, true)).Pixels;
}

bool Near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.R - b.R) <= tolerance && std::abs(a.G - b.G) <= tolerance && std::abs(a.B - b.B) <= tolerance;
}
