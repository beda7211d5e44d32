// The libjpeg glue: pixels equal libjpeg's own for the fixed parameters,
// errors carry libjpeg's codes, warnings never raise.

#include <gtest/gtest.h>

#include <jerror.h>

#include <set>

#include "platform/graphics/JpegDecoder.h"
#include "platform/graphics/JpegEncoder.h"
#include "platform/rtl/Exception.h"
#include "tests/graphics/JpegTestFiles.h"

namespace {

// The decoded picture as RGB triplets, indexes looked up in the palette.
std::vector<std::uint8_t> DecodeAll(const std::string& bytes)
{
    JpegDecoder decoder(bytes);
    decoder.Start();
    std::vector<std::uint32_t> palette = decoder.Palette();
    EXPECT_EQ(decoder.Indexed(), !palette.empty());
    const std::size_t width = static_cast<std::size_t>(decoder.Width());
    std::vector<std::uint8_t> rgb, row(width * 3);
    for (int y = 0; y < decoder.Height(); ++y) {
        decoder.ReadRow(row.data());
        if (!decoder.Indexed()) {
            rgb.insert(rgb.end(), row.begin(), row.end());
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t word = palette.at(row[x]);
            rgb.insert(rgb.end(), {std::uint8_t(word >> 16), std::uint8_t(word >> 8), std::uint8_t(word)});
        }
    }
    return rgb;
}

int ErrorCodeOf(const std::string& bytes)
{
    try {
        DecodeAll(bytes);
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Message(), "JPEG エラー #" + std::to_string(e.Code()));
        return e.Code();
    }
    return -1;
}

struct Case {
    const char* Name;
    JpegRecipe Recipe;
    ReferenceParams Reference;
};

class JpegDecoderMatchesLibjpeg : public testing::TestWithParam<Case> {};

TEST_P(JpegDecoderMatchesLibjpeg, PixelForPixel)
{
    const Case& c = GetParam();
    std::string bytes = MakeJpeg(c.Recipe);
    JpegDecoder header(bytes);
    EXPECT_EQ(header.Width(), c.Recipe.Width);
    EXPECT_EQ(header.Height(), c.Recipe.Height);

    std::vector<std::uint8_t> ours = DecodeAll(bytes);
    EXPECT_EQ(ours, ReferenceRgb(DecodeReference(bytes, c.Reference)));

    // The comparison is sensitive to the parameters: another IDCT differs.
    ReferenceParams other = c.Reference;
    other.Dct = JDCT_ISLOW;
    EXPECT_NE(ours, ReferenceRgb(DecodeReference(bytes, other)));
}

ReferenceParams Colour() { return {}; }
ReferenceParams Grey236()
{
    ReferenceParams p;
    p.Out = JCS_GRAYSCALE;
    p.Quantize = true;
    p.Colors = 236;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Files, JpegDecoderMatchesLibjpeg,
    testing::Values(Case{"Colour420", JpegRecipe{}, Colour()},
                    Case{"ColourProgressive", JpegRecipe{.Width = 33, .Height = 17, .Progressive = true}, Colour()},
                    Case{"Grey", JpegRecipe{.Input = JCS_GRAYSCALE}, Grey236()},
                    Case{"GreyProgressive", JpegRecipe{.Input = JCS_GRAYSCALE, .Progressive = true}, Grey236()}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.Name); });

TEST(JpegDecoder, GreyIsQuantisedTo236LevelsNotPassedThrough)
{
    // A full ramp of 256 grey values cannot survive a 236-level colour map.
    JpegRecipe recipe{.Width = 256, .Height = 8, .Input = JCS_GRAYSCALE, .Quality = 100};
    std::vector<std::uint8_t> rgb = DecodeAll(MakeJpeg(recipe));
    std::set<std::uint8_t> levels;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        ASSERT_EQ(rgb[i], rgb[i + 1]);
        ASSERT_EQ(rgb[i], rgb[i + 2]);
        levels.insert(rgb[i]);
    }
    EXPECT_LE(levels.size(), 236u);
    EXPECT_NE(rgb, ReferenceRgb(DecodeReference(MakeJpeg(recipe), {.Out = JCS_GRAYSCALE})));
}

TEST(JpegDecoder, CmykAndYcckBecomeRgb)
{
    struct CmykCase {
        J_COLOR_SPACE Stored;
        bool Adobe;
    };
    for (CmykCase c : {CmykCase{JCS_CMYK, true}, CmykCase{JCS_YCCK, true}, CmykCase{JCS_CMYK, false}}) {
        SCOPED_TRACE(testing::Message() << "stored " << c.Stored << " adobe " << c.Adobe);
        std::string bytes = MakeJpeg({.Input = JCS_CMYK, .Stored = c.Stored, .AdobeMarker = c.Adobe});
        ReferenceImage cmyk = DecodeReference(bytes, {.Out = JCS_CMYK});
        ASSERT_EQ(cmyk.Adobe, c.Adobe);
        std::vector<std::uint8_t> rgb = DecodeAll(bytes);
        ASSERT_EQ(rgb.size() / 3, cmyk.Samples.size() / 4);
        for (std::size_t p = 0; p < rgb.size() / 3; ++p) {
            const std::uint8_t* s = &cmyk.Samples[p * 4];
            auto ink = [&](int i) { return c.Adobe ? s[i] : 255 - s[i]; };
            for (int i = 0; i < 3; ++i)
                ASSERT_EQ(rgb[p * 3 + i], (ink(i) * ink(3) + 127) / 255) << "pixel " << p << " channel " << i;
        }
    }
}

TEST(JpegDecoder, TruncatedFileDecodesWhatItHasWithoutRaising)
{
    JpegRecipe recipe{.Width = 64, .Height = 64, .Quality = 90};
    std::string whole = MakeJpeg(recipe);
    std::vector<std::uint8_t> full = DecodeAll(whole);
    std::string cut = whole.substr(0, whole.size() / 2);
    std::vector<std::uint8_t> part;
    ASSERT_NO_THROW(part = DecodeAll(cut));
    ASSERT_EQ(part.size(), full.size());
    // The top rows were complete in the cut file (upsampling of the last
    // lines of a block row looks at the next one, so stop short of it).
    std::size_t band = 8 * 64 * 3;
    EXPECT_TRUE(std::equal(part.begin(), part.begin() + band, full.begin()));
    EXPECT_NE(part, full);
    // Progressive: the scans that arrived still make a whole picture.
    std::string progressive = MakeJpeg({.Width = 64, .Height = 64, .Progressive = true});
    EXPECT_NO_THROW(DecodeAll(progressive.substr(0, progressive.size() * 2 / 3)));
}

TEST(JpegDecoder, ErrorsCarryLibjpegCodes)
{
    std::string good = MakeJpeg({});
    // The same stream with another frame size: libjpeg accepts up to 65500
    // a side; we refuse what no bitmap can hold before allocating anything.
    auto sized = [&](unsigned width, unsigned height) {
        std::string bytes = good;
        std::size_t sof = bytes.find("\xFF\xC0");
        bytes[sof + 5] = static_cast<char>(height >> 8);
        bytes[sof + 6] = static_cast<char>(height & 0xFF);
        bytes[sof + 7] = static_cast<char>(width >> 8);
        bytes[sof + 8] = static_cast<char>(width & 0xFF);
        return bytes;
    };
    ASSERT_NE(good.find("\xFF\xC0"), std::string::npos);

    struct ErrorCase {
        const char* Name;
        std::string Bytes;
        int Code;
    };
    for (const ErrorCase& c : {ErrorCase{"empty", "", JERR_INPUT_EMPTY},
                               ErrorCase{"text", "just some text\n", JERR_NO_SOI},
                               ErrorCase{"header cut", good.substr(0, 30), JERR_NO_IMAGE},
                               ErrorCase{"400 M pixels", sized(20000, 20000), JERR_IMAGE_TOO_BIG},
                               ErrorCase{"side above 32768", sized(40000, 8), JERR_IMAGE_TOO_BIG}}) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ErrorCodeOf(c.Bytes), c.Code);
    }
}

TEST(JpegEncoder, EmptyImageRaisesInsteadOfWritingAStream)
{
    JpegEncoder encoder;
    try {
        encoder.Encode(0, 0, 80, [](int) -> const std::uint8_t* { return nullptr; });
        FAIL() << "no exception";
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Code(), JERR_EMPTY_IMAGE);
    }
}

}
