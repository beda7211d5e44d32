#include "platform/graphics/BmpCodec.h"

#include <bit>
#include <cstring>

#include "platform/graphics/PixelSurface.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Messages.h"

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr std::size_t FileHeaderSize = 14;

[[noreturn]] void Invalid() { throw EInvalidGraphic(SInvalidBitmap); }

// Little-endian reads; each checks that its bytes lie in the file.
struct ByteReader {
    std::string_view Bytes;

    bool Has(std::size_t offset, std::size_t count) const
    {
        return offset <= Bytes.size() && count <= Bytes.size() - offset;
    }
    std::uint8_t U8(std::size_t offset) const
    {
        if (!Has(offset, 1))
            Invalid();
        return static_cast<std::uint8_t>(Bytes[offset]);
    }
    std::uint32_t U16(std::size_t offset) const { return U8(offset) | static_cast<std::uint32_t>(U8(offset + 1)) << 8; }
    std::uint32_t U32(std::size_t offset) const { return U16(offset) | U16(offset + 2) << 16; }
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    const std::uint8_t* At(std::size_t offset) const { return reinterpret_cast<const std::uint8_t*>(Bytes.data()) + offset; }
};

// One channel of a bit-field pixel: its mask, scaled to 8 bits.
struct ChannelMask {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit ChannelMask(std::uint32_t mask) : Mask(mask)
    {
        if (!mask)
            return;
        Shift = std::countr_zero(mask);
        Bits = std::popcount(mask);
        // A mask with holes has no meaning as a channel.
        if (Bits < 32 && (mask >> Shift) != (std::uint32_t{1} << Bits) - 1)
            Invalid();
    }
    std::uint32_t Extract(std::uint32_t pixel) const
    {
        if (!Mask)
            return 0;
        std::uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8)
            return v >> (Bits - 8);
        std::uint32_t max = (std::uint32_t{1} << Bits) - 1;
        return (v * 255 + max / 2) / max;
    }
};

struct Header {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    bool TopDown = false;
    int Bits = 0;
    std::uint32_t Compression = BI_RGB;
    std::uint32_t ColorsUsed = 0;
    std::size_t InfoSize = 0;
    bool Core = false;
};

Header ReadHeader(const ByteReader& in)
{
    Header h;
    h.InfoSize = in.U32(FileHeaderSize);
    if (h.InfoSize != 12 && h.InfoSize != 40 && h.InfoSize != 52 && h.InfoSize != 56 && h.InfoSize != 108 &&
        h.InfoSize != 124)
        Invalid();
    if (!in.Has(FileHeaderSize, h.InfoSize))
        Invalid();
    std::uint32_t planes;
    if (h.InfoSize == 12) {
        h.Core = true;
        h.Width = in.U16(18);
        h.Height = in.U16(20);
        planes = in.U16(22);
        h.Bits = static_cast<int>(in.U16(24));
        if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 24)
            Invalid();
    } else {
        h.Width = in.I32(18);
        h.Height = in.I32(22);
        planes = in.U16(26);
        h.Bits = static_cast<int>(in.U16(28));
        h.Compression = in.U32(30);
        h.ColorsUsed = in.U32(46);
        if (h.Height < 0) {
            h.TopDown = true;
            h.Height = -h.Height;   // 64-bit, so even the most negative height cannot overflow
        }
        if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
            Invalid();
    }
    if (planes != 1 || h.Width < 0)
        Invalid();
    switch (h.Compression) {
    case BI_RGB: break;
    case BI_RLE8:
        if (h.Bits != 8 || h.TopDown)
            Invalid();
        break;
    case BI_RLE4:
        if (h.Bits != 4 || h.TopDown)
            Invalid();
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (h.Bits != 16 && h.Bits != 32)
            Invalid();
        break;
    default: Invalid();
    }
    if (h.Width > MaxBitmapSide || h.Height > MaxBitmapSide || h.Width * h.Height > MaxBitmapPixels)
        Invalid();
    return h;
}

void DecodeRle(const ByteReader& in, std::size_t pos, const Header& h, TBmpImage& image)
{
    const int width = static_cast<int>(h.Width), height = static_cast<int>(h.Height);
    const bool rle4 = h.Compression == BI_RLE4;
    std::int64_t x = 0, row = 0;   // row counts from the bottom
    auto put = [&](std::int64_t px, std::uint8_t value) {
        // Runs that reach past the row's end are cut there, as the platform does.
        if (px < width && row < height)
            image.Bits[static_cast<std::size_t>(height - 1 - row) * static_cast<std::size_t>(image.RowBytes) +
                       static_cast<std::size_t>(px)] = value;
    };
    for (;;) {
        if (!in.Has(pos, 2)) {
            // Data that ends right after the last row's end-of-line is complete.
            if (row >= height)
                return;
            Invalid();
        }
        std::uint8_t count = in.U8(pos), value = in.U8(pos + 1);
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(x + i, rle4 ? static_cast<std::uint8_t>(i & 1 ? value & 0x0F : value >> 4) : value);
            x += count;
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (!in.Has(pos, 2))
                Invalid();
            x += in.U8(pos);
            row += in.U8(pos + 1);
            pos += 2;
            if (row > height || x > width)
                Invalid();
        } else {
            std::size_t bytes = rle4 ? (value + 1u) / 2 : value;
            if (!in.Has(pos, bytes))
                Invalid();
            const std::uint8_t* p = in.At(pos);
            for (int i = 0; i < value; ++i)
                put(x + i, rle4 ? static_cast<std::uint8_t>(i & 1 ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i]);
            x += value;
            pos += bytes + (bytes & 1);
        }
    }
}

}   // namespace

TBmpImage DecodeBmp(std::string_view bytes)
{
    ByteReader in{bytes};
    if (bytes.size() < FileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M')
        Invalid();
    const std::uint32_t offBits = in.U32(10);
    const Header h = ReadHeader(in);
    std::size_t pos = FileHeaderSize + h.InfoSize;

    // Bit fields: after an info header the masks follow it; the later
    // headers hold them inside.
    std::uint32_t masks[3] = {0, 0, 0};
    if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
        std::size_t at = FileHeaderSize + 40;
        if (h.InfoSize == 40) {
            pos += h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
            if (!in.Has(at, pos - at))
                Invalid();
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = in.U32(at + 4 * i);
    } else if (h.Bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (h.Bits == 32) {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }

    TBmpImage image;
    image.Width = static_cast<int>(h.Width);
    image.Height = static_cast<int>(h.Height);
    image.BitsPerPixel = h.Bits == 1 ? 1 : h.Bits <= 8 ? 8 : h.Bits <= 24 ? 24 : 32;

    if (h.Bits <= 8) {
        const std::uint32_t full = 1u << h.Bits;
        std::uint32_t count = h.Core || h.ColorsUsed == 0 ? full : std::min(h.ColorsUsed, full);
        const std::size_t entry = h.Core ? 3 : 4;
        if (!in.Has(pos, count * entry))
            Invalid();
        image.Palette.reserve(full);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* p = in.At(pos + i * entry);
            image.Palette.push_back(static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0]);
        }
        // Indices the file's palette does not cover show black.
        image.Palette.resize(full, 0);
        pos += count * entry;
    }
    if (offBits >= pos)
        pos = offBits;

    if (image.Width == 0 || image.Height == 0) {
        image.Width = image.Height = 0;
        return image;
    }
    image.RowBytes = static_cast<std::ptrdiff_t>(PaddedRowBytes(h.Width, image.BitsPerPixel));
    const std::size_t outBytes = static_cast<std::size_t>(image.RowBytes) * static_cast<std::size_t>(h.Height);

    if (h.Compression == BI_RLE4 || h.Compression == BI_RLE8) {
        image.Bits = std::make_unique<std::uint8_t[]>(outBytes);
        DecodeRle(in, pos, h, image);
        return image;
    }

    const std::size_t inRow = static_cast<std::size_t>(PaddedRowBytes(h.Width, h.Bits));
    // The last row need not carry its padding.
    const std::size_t lastRow = static_cast<std::size_t>((h.Width * h.Bits + 7) / 8);
    if (!in.Has(pos, inRow * static_cast<std::size_t>(h.Height - 1) + lastRow))
        Invalid();
    image.Bits = std::make_unique<std::uint8_t[]>(outBytes);
    const ChannelMask red(masks[0]), green(masks[1]), blue(masks[2]);
    const int width = image.Width, height = image.Height;
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* src = in.At(pos + static_cast<std::size_t>(r) * inRow);
        std::uint8_t* dst = image.Bits.get() + static_cast<std::size_t>(h.TopDown ? r : height - 1 - r) * image.RowBytes;
        switch (h.Bits) {
        case 1:
        case 8:
        case 24: std::memcpy(dst, src, static_cast<std::size_t>((h.Width * h.Bits + 7) / 8)); break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = static_cast<std::uint8_t>(x & 1 ? src[x / 2] & 0x0F : src[x / 2] >> 4);
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                std::uint32_t v = src[2 * x] | static_cast<std::uint32_t>(src[2 * x + 1]) << 8;
                dst[3 * x] = static_cast<std::uint8_t>(blue.Extract(v));
                dst[3 * x + 1] = static_cast<std::uint8_t>(green.Extract(v));
                dst[3 * x + 2] = static_cast<std::uint8_t>(red.Extract(v));
            }
            break;
        default:
            for (int x = 0; x < width; ++x) {
                std::uint32_t v;
                std::memcpy(&v, src + 4 * x, 4);
                std::uint32_t word = red.Extract(v) << 16 | green.Extract(v) << 8 | blue.Extract(v);
                std::memcpy(dst + 4 * x, &word, 4);
            }
            break;
        }
    }
    return image;
}

namespace {

void Put16(std::string& out, std::uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}   // namespace

std::string EncodeBmp(int width, int height, int bitsPerPixel, const std::uint8_t* bits, std::ptrdiff_t rowBytes,
                      const std::vector<std::uint32_t>& palette)
{
    if (!bits)
        width = height = 0;
    const std::uint32_t colours = bitsPerPixel <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0;
    const std::size_t fileRow = static_cast<std::size_t>(PaddedRowBytes(width, bitsPerPixel));
    const std::size_t imageSize = fileRow * static_cast<std::size_t>(height);
    const std::size_t offBits = FileHeaderSize + 40 + 4 * colours;
    std::string out;
    out.reserve(offBits + imageSize);
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(offBits + imageSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offBits));
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, BI_RGB);
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, 3780);   // 96 pixels per inch
    Put32(out, 3780);
    Put32(out, colours);
    Put32(out, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        std::uint32_t w = palette[i];
        out.push_back(static_cast<char>(w & 0xFF));
        out.push_back(static_cast<char>(w >> 8 & 0xFF));
        out.push_back(static_cast<char>(w >> 16 & 0xFF));
        out.push_back(0);
    }
    const std::size_t used = static_cast<std::size_t>((static_cast<std::int64_t>(width) * bitsPerPixel + 7) / 8);
    for (int y = height - 1; y >= 0; --y) {
        std::size_t start = out.size();
        out.append(reinterpret_cast<const char*>(bits + y * rowBytes), used);
        if (bitsPerPixel == 1 && width % 8) {
            // Bits past the last pixel are written as zero.
            out.back() = static_cast<char>(static_cast<std::uint8_t>(out.back()) & (0xFF00 >> (width % 8)));
        }
        out.resize(start + fileRow, '\0');
    }
    return out;
}
