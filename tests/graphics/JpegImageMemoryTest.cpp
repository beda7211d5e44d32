// TJPEGImage's memory: after an opaque draw the image keeps only its stream
// and a copy fitted to the rectangle, and every later draw or copy still
// gives exactly the pixels of a stretch of libjpeg's full decoding.

#include <gtest/gtest.h>

#include <optional>

#include "platform/graphics/PixelSurface.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TJPEGImage.h"
#include "tests/graphics/JpegTestFiles.h"

namespace {

constexpr std::uint32_t Background = 0x5A3C1E;

// libjpeg's own full decoding of bytes, as a 24-bit bitmap.
void ReferenceBitmap(const std::string& bytes, const ReferenceParams& params, TBitmap& bitmap)
{
    ReferenceImage image = DecodeReference(bytes, params);
    std::vector<std::uint8_t> rgb = ReferenceRgb(image);
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(image.Width, image.Height);
    const std::uint8_t* in = rgb.data();
    for (int y = 0; y < image.Height; ++y) {
        auto* out = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < image.Width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

// One way of drawing a picture onto a screen buffer.
struct View {
    const char* Name;
    int ScreenWidth;
    int ScreenHeight;
    TRect Rect;
    TPoint Origin{0, 0};
    std::optional<TRect> Clip{};
    TCopyMode Mode = cmSrcCopy;
};

// The screen after drawing graphic as view says; the background has a
// little texture, so that copy modes that read it show it.
std::vector<std::uint32_t> Screen(const View& view, TGraphic* graphic)
{
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(view.ScreenWidth * view.ScreenHeight));
    for (std::size_t i = 0; i < screen.size(); ++i)
        screen[i] = Background ^ static_cast<std::uint32_t>(i % 7 * 0x102030);
    TCanvas canvas(screen.data(), view.ScreenWidth, view.ScreenHeight);
    canvas.SetOrigin(view.Origin);
    if (view.Clip)
        canvas.SetClipRect(*view.Clip);
    canvas.SetCopyMode(view.Mode);
    canvas.StretchDraw(view.Rect, graphic);
    return screen;
}

// The view drawn from the image equals the view drawn from the reference
// bitmap, and the draw covered some pixels.
void ExpectSameScreen(const View& view, TJPEGImage& image, TBitmap& reference)
{
    SCOPED_TRACE(view.Name);
    std::vector<std::uint32_t> expected = Screen(view, &reference);
    std::vector<std::uint32_t> blank = Screen(view, nullptr);
    ASSERT_NE(expected, blank) << "the view draws nothing";
    std::vector<std::uint32_t> drawn = Screen(view, &image);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        ASSERT_EQ(drawn[i], expected[i]) << "at " << i % static_cast<std::size_t>(view.ScreenWidth) << ","
                                         << i / static_cast<std::size_t>(view.ScreenWidth);
}

void ExpectSamePixels(const TBitmap& bitmap, const TBitmap& reference)
{
    ASSERT_EQ(bitmap.Width(), reference.Width());
    ASSERT_EQ(bitmap.Height(), reference.Height());
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            ASSERT_EQ(ReadPixelWord(bitmap.Surface(), x, y), ReadPixelWord(reference.Surface(), x, y))
                << "at " << x << "," << y;
}

const ReferenceParams Grey{.Out = JCS_GRAYSCALE, .Quantize = true, .Colors = 236};

TEST(JpegImageMemory, OpaqueDrawsReleaseTheFullPixelsAndDrawExactlyTheirStretch)
{
    struct Case {
        const char* Name;
        JpegRecipe Recipe;
        ReferenceParams Reference;
        bool Truncate = false;
    };
    for (const Case& c : {Case{"colour", {.Width = 300, .Height = 200}, {}},
                          Case{"greyscale", {.Width = 300, .Height = 200, .Input = JCS_GRAYSCALE}, Grey},
                          // Decoded again, a truncated file shows what it showed at load.
                          Case{"truncated progressive", {.Width = 260, .Height = 180, .Progressive = true}, {}, true}}) {
        SCOPED_TRACE(c.Name);
        std::string bytes = MakeJpeg(c.Recipe);
        if (c.Truncate)
            bytes.resize(bytes.size() * 2 / 3);
        TBitmap reference;
        ReferenceBitmap(bytes, c.Reference, reference);

        TJPEGImage image;
        image.LoadFromBytes(bytes);
        EXPECT_TRUE(image.HasFullPixels());

        // A tile, drawn first and then again where a form paints it: shifted
        // by the canvas's origin and the rectangle, clipped, mirrored, with
        // another copy mode. All these take the fitted copy of 100 × 100.
        const View tile{"tile", 100, 100, Rect(0, 0, 100, 100)};
        ExpectSameScreen(tile, image, reference);
        EXPECT_FALSE(image.HasFullPixels());
        for (const View& view : {tile, View{"moved and clipped", 170, 150, Rect(7, 5, 107, 105), {31, 17},
                                            Rect(12, 20, 90, 140)},
                                 View{"mirrored", 120, 110, Rect(110, 104, 10, 4)},
                                 View{"another copy mode", 100, 100, Rect(0, 0, 100, 100), {}, {}, cmSrcInvert}}) {
            ExpectSameScreen(view, image, reference);
            EXPECT_FALSE(image.HasFullPixels());
        }

        // Another size decodes again and fits anew; so does the tile size after it.
        ExpectSameScreen({"another size", 90, 140, Rect(3, 2, 73, 132)}, image, reference);
        EXPECT_FALSE(image.HasFullPixels());
        ExpectSameScreen(tile, image, reference);
        EXPECT_FALSE(image.HasFullPixels());

        // The full pixels come back whole, and are not kept.
        TBitmap copied;
        copied.Assign(&image);
        ExpectSamePixels(copied, reference);
        EXPECT_FALSE(image.HasFullPixels());

        // A transparent draw decodes for itself (a JPEG is drawn opaque all
        // the same) and keeps nothing.
        image.SetTransparent(true);
        ExpectSameScreen(tile, image, reference);
        EXPECT_FALSE(image.HasFullPixels());
        image.SetTransparent(false);
        ExpectSameScreen(tile, image, reference);

        EXPECT_EQ(image.Width(), c.Recipe.Width);
        EXPECT_EQ(image.Height(), c.Recipe.Height);
        EXPECT_EQ(image.SaveToBytes(), bytes);
    }
}

TEST(JpegImageMemory, CopiesShareWithoutDisturbingEachOther)
{
    std::string bytes = MakeJpeg({.Width = 240, .Height = 160});
    TBitmap reference;
    ReferenceBitmap(bytes, {}, reference);
    const View tile{"tile", 100, 100, Rect(0, 0, 100, 100)};
    const View small{"small", 50, 40, Rect(0, 0, 50, 40)};

    TJPEGImage a;
    a.LoadFromBytes(bytes);
    TJPEGImage b;
    b.Assign(&a);
    ExpectSameScreen(tile, a, reference);
    EXPECT_FALSE(a.HasFullPixels());
    EXPECT_TRUE(b.HasFullPixels());   // b's reference keeps them alive
    ExpectSameScreen(small, b, reference);
    EXPECT_FALSE(b.HasFullPixels());
    // a's fitted copy is still its own size.
    ExpectSameScreen(tile, a, reference);

    // A copy made after the release shares the fitted copy and the stream.
    TJPEGImage c;
    c.Assign(&a);
    EXPECT_FALSE(c.HasFullPixels());
    ExpectSameScreen(tile, c, reference);
    TBitmap copied;
    copied.Assign(&c);
    ExpectSamePixels(copied, reference);
    EXPECT_EQ(c.SaveToBytes(), bytes);

    // Loading another picture drops the old fitted copy: the same size shows the new picture.
    std::string other = MakeJpeg({.Width = 180, .Height = 300, .Input = JCS_GRAYSCALE});
    TBitmap otherReference;
    ReferenceBitmap(other, Grey, otherReference);
    a.LoadFromBytes(other);
    EXPECT_TRUE(a.HasFullPixels());
    ExpectSameScreen(tile, a, otherReference);
    ExpectSameScreen(tile, c, reference);   // c still shows the first picture
}

TEST(JpegImageMemory, FullPixelsStayWhenAFittedCopyWouldSaveNothing)
{
    // Drawn larger than itself, a picture keeps its pixels: a fitted copy
    // would be bigger than they are.
    std::string bytes = MakeJpeg({.Width = 60, .Height = 50});
    TBitmap reference;
    ReferenceBitmap(bytes, {}, reference);
    TJPEGImage small;
    small.LoadFromBytes(bytes);
    ExpectSameScreen({"enlarged", 100, 100, Rect(0, 0, 100, 100)}, small, reference);
    EXPECT_TRUE(small.HasFullPixels());
    ExpectSameScreen({"own size", 60, 50, Rect(0, 0, 60, 50)}, small, reference);
    EXPECT_TRUE(small.HasFullPixels());

    // A picture made from a bitmap has no stream to decode again from.
    TBitmap sheet;
    sheet.SetSize(300, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            WritePixelWord(sheet.Surface(), x, y, std::uint32_t(x % 256) << 16 | std::uint32_t(y % 256) << 8 | 77);
    TJPEGImage fromBitmap;
    fromBitmap.Assign(&sheet);
    ExpectSameScreen({"tile", 100, 100, Rect(0, 0, 100, 100)}, fromBitmap, sheet);
    EXPECT_TRUE(fromBitmap.HasFullPixels());
    TJPEGImage back;
    back.LoadFromBytes(fromBitmap.SaveToBytes());
    EXPECT_EQ(back.Width(), 300);
}

}
