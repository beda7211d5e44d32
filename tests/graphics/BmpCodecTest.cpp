// BMP files of every kind the reader knows, built byte by byte, and the
// malformed ones it must refuse.

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "platform/graphics/TBitmap.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Messages.h"
#include "tests/graphics/BmpBuilder.h"

namespace {

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

// Every pixel word of a bitmap, top row first.
std::vector<std::uint32_t> Words(const TBitmap& bitmap)
{
    std::vector<std::uint32_t> words;
    TPixelSurface s = bitmap.Surface();
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            words.push_back(ReadPixelWord(s, x, y));
    return words;
}

std::string Rgb24(std::initializer_list<std::uint32_t> row, int padding)
{
    std::string s;
    for (std::uint32_t c : row) {
        PutLE(s, c & 0xFF, 1);
        PutLE(s, c >> 8 & 0xFF, 1);
        PutLE(s, c >> 16 & 0xFF, 1);
    }
    return s + std::string(static_cast<std::size_t>(padding), '\0');
}

std::string Le(std::initializer_list<std::uint32_t> values, int bytes)
{
    std::string s;
    for (std::uint32_t v : values)
        PutLE(s, v, bytes);
    return s;
}

struct LoadCase {
    const char* Name;
    BmpSpec Spec;
    int Width, Height;
    TPixelFormat Format;
    std::vector<std::uint32_t> Expected;   // top row first
};

class BmpLoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(BmpLoadTest, LoadsThePixels)
{
    const LoadCase& c = GetParam();
    TBitmap bitmap;
    bitmap.LoadFromBytes(MakeBmp(c.Spec));
    EXPECT_EQ(bitmap.Width(), c.Width);
    EXPECT_EQ(bitmap.Height(), c.Height);
    EXPECT_EQ(bitmap.PixelFormat(), c.Format);
    EXPECT_EQ(Words(bitmap), c.Expected);
}

BmpSpec Spec(int header, int w, int h, int bits, std::string pixels, std::vector<std::uint32_t> palette = {},
             std::uint32_t compression = 0, std::vector<std::uint32_t> masks = {})
{
    BmpSpec s;
    s.HeaderSize = header;
    s.Width = w;
    s.Height = h;
    s.Bits = bits;
    s.Pixels = std::move(pixels);
    s.Palette = std::move(palette);
    s.Compression = compression;
    s.Masks = std::move(masks);
    return s;
}

// Bottom row red, green; top row blue, white (files store the bottom row first).
const std::string BottomUp24 = Rgb24({R, G}, 2) + Rgb24({B, W}, 2);

INSTANTIATE_TEST_SUITE_P(
    Kinds, BmpLoadTest,
    testing::Values(
        LoadCase{"Info24BottomUp", Spec(40, 2, 2, 24, BottomUp24), 2, 2, pf24bit, {B, W, R, G}},
        LoadCase{"Info24TopDown", Spec(40, 2, -2, 24, BottomUp24), 2, 2, pf24bit, {R, G, B, W}},
        LoadCase{"V5Header24", Spec(124, 2, 2, 24, BottomUp24), 2, 2, pf24bit, {B, W, R, G}},
        LoadCase{"WrongOffBitsFallsBackToData",
                 [] {
                     BmpSpec s = Spec(40, 2, 2, 24, BottomUp24);
                     s.WrongOffBits = true;
                     return s;
                 }(),
                 2, 2, pf24bit, {B, W, R, G}},
        // The top byte of 32-bit pixels is not colour.
        LoadCase{"Info32IgnoresTopByte", Spec(40, 2, 1, 32, Le({0xAAFF0000, 0x550000FF}, 4)), 2, 1, pf32bit, {R, B}},
        LoadCase{"Info16Default555", Spec(40, 3, 1, 16, Le({0x7C00, 0x03E0, 0x001F}, 2) + Bytes({0, 0})), 3, 1,
                 pf24bit, {R, G, B}},
        LoadCase{"Info16MidGreyRoundsUp", Spec(40, 1, 1, 16, Le({0x4210}, 2) + Bytes({0, 0})), 1, 1, pf24bit,
                 {0x848484}},
        LoadCase{"BitFields565AfterInfoHeader",
                 Spec(40, 3, 1, 16, Le({0xF800, 0x07E0, 0x001F}, 2) + Bytes({0, 0}), {}, 3, {0xF800, 0x07E0, 0x001F}), 3,
                 1, pf24bit, {R, G, B}},
        LoadCase{"BitFields32InV4Header",
                 Spec(108, 3, 1, 32, Le({0x000000FF, 0x0000FF00, 0x00804020}, 4), {}, 3,
                      {0x000000FF, 0x0000FF00, 0x00FF0000}),
                 3, 1, pf32bit, {R, G, 0x204080}},
        LoadCase{"Core1BitPalette", Spec(12, 10, 1, 1, Bytes({0b10100000, 0b01000000, 0, 0}), {R, B}), 10, 1, pf1bit,
                 {B, R, B, R, R, R, R, R, R, B}},
        LoadCase{"Info4BitOddWidth", Spec(40, 3, 1, 4, Bytes({0x12, 0x00, 0, 0}), {K, R, G}), 3, 1, pf8bit, {R, G, K}},
        // Indices the palette does not cover read black.
        LoadCase{"Info8BitShortPalette", Spec(40, 3, 1, 8, Bytes({2, 1, 200, 0}), {W, R, G}), 3, 1, pf8bit, {G, R, K}},
        LoadCase{"Rle8RunsAbsoluteEndOfLine",
                 // bottom row: run of 2 x index 1, absolute 3 pixels (2, 0, 1) + pad, end of line;
                 // top row: run of 5 x index 2, end of bitmap.
                 Spec(40, 5, 2, 8, Bytes({2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 5, 2, 0, 1}), {K, R, G}, 1), 5, 2, pf8bit,
                 {G, G, G, G, G, R, R, G, K, R}},
        LoadCase{"Rle8DeltaSkipsPixels",
                 // bottom row: pixel 0 red, delta (+2, +1) to x 3 of the top row, one green pixel.
                 Spec(40, 4, 2, 8, Bytes({1, 1, 0, 2, 2, 1, 1, 2, 0, 1}), {K, R, G}, 1), 4, 2, pf8bit,
                 {K, K, K, G, R, K, K, K}},
        LoadCase{"Rle4RunsAndAbsolute",
                 // run of 5 alternating 1, 2; absolute 3 pixels 2, 1, 2 (two bytes, padded even); end of bitmap.
                 Spec(40, 8, 1, 4, Bytes({5, 0x12, 0, 3, 0x21, 0x20, 0, 1}), {K, R, G}, 2), 8, 1, pf8bit,
                 {R, G, R, G, R, G, R, G}},
        LoadCase{"Rle4OverlongRunIsCutAtRowEnd", Spec(40, 3, 1, 4, Bytes({9, 0x11, 0, 1}), {K, R}, 2), 3, 1, pf8bit,
                 {R, R, R}},
        LoadCase{"ZeroSizeIsEmpty", Spec(40, 0, 0, 24, ""), 0, 0, pf24bit, {}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.Name); });

struct BadCase {
    const char* Name;
    std::function<std::string()> Make;
};

class BmpRejectTest : public testing::TestWithParam<BadCase> {};

TEST_P(BmpRejectTest, RaisesInvalidGraphicAndKeepsTheBitmap)
{
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    int changes = 0;
    bitmap.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    try {
        bitmap.LoadFromBytes(GetParam().Make());
        FAIL() << "loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), SInvalidBitmap);
    }
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(changes, 0);
}

std::string With(BmpSpec s, const std::function<void(BmpSpec&)>& change)
{
    change(s);
    return MakeBmp(s);
}

const BmpSpec Good24 = Spec(40, 2, 2, 24, BottomUp24);

INSTANTIATE_TEST_SUITE_P(
    Malformed, BmpRejectTest,
    testing::Values(
        BadCase{"Empty", [] { return std::string(); }},
        BadCase{"BadSignature", [] { std::string s = MakeBmp(Good24); s[1] = 'X'; return s; }},
        BadCase{"JpegNamedBmp", [] { return Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}); }},
        BadCase{"TruncatedHeader", [] { return MakeBmp(Good24).substr(0, 30); }},
        BadCase{"UnknownHeaderSize", [] { return With(Good24, [](BmpSpec& s) { s.HeaderSize = 20; }); }},
        BadCase{"TruncatedPixels", [] { std::string s = MakeBmp(Good24); return s.substr(0, s.size() - 4); }},
        BadCase{"WidthTooLarge", [] { return With(Good24, [](BmpSpec& s) { s.Width = 40000; s.Height = 1; }); }},
        BadCase{"AreaTooLarge", [] { return With(Good24, [](BmpSpec& s) { s.Width = 30000; s.Height = 30000; }); }},
        BadCase{"NegativeWidth", [] { return With(Good24, [](BmpSpec& s) { s.Width = -2; }); }},
        BadCase{"MostNegativeHeight", [] { return With(Good24, [](BmpSpec& s) { s.Height = INT32_MIN; }); }},
        BadCase{"TwoPlanes", [] { return With(Good24, [](BmpSpec& s) { s.Planes = 2; }); }},
        BadCase{"SevenBits", [] { return With(Good24, [](BmpSpec& s) { s.Bits = 7; }); }},
        BadCase{"JpegCompression", [] { return With(Good24, [](BmpSpec& s) { s.Compression = 4; }); }},
        BadCase{"Rle8With24Bits", [] { return With(Good24, [](BmpSpec& s) { s.Compression = 1; }); }},
        BadCase{"RleTopDown", [] { return MakeBmp(Spec(40, 2, -1, 8, Bytes({2, 1, 0, 1}), {K, R}, 1)); }},
        BadCase{"RleEndsWithoutEndOfBitmap", [] { return MakeBmp(Spec(40, 4, 2, 8, Bytes({4, 1, 0, 0, 2}), {K, R}, 1)); }},
        BadCase{"RleAbsoluteRunTruncated", [] { return MakeBmp(Spec(40, 8, 1, 8, Bytes({0, 6, 1, 1}), {K, R}, 1)); }},
        BadCase{"RleDeltaLeavesImage", [] { return MakeBmp(Spec(40, 4, 2, 8, Bytes({0, 2, 0, 5, 0, 1}), {K, R}, 1)); }},
        BadCase{"MaskWithHoles",
                [] { return MakeBmp(Spec(40, 1, 1, 16, Bytes({1, 0, 0, 0}), {}, 3, {0x0F0F, 0x00F0, 0xF000})); }},
        BadCase{"MasksMissing", [] { return MakeBmp(Spec(40, 1, 1, 16, "", {}, 3)).substr(0, 54 + 4); }},
        BadCase{"PaletteTruncated",
                [] { return With(Spec(40, 1, 1, 8, "", {K, R}), [](BmpSpec& s) { s.ColorsUsed = 256; }); }}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.Name); });

}   // namespace
