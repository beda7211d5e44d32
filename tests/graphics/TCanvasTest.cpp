#include "platform/graphics/TCanvas.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/graphics/TBitmap.h"

namespace {

// A small 32-bit buffer with a canvas over it, every pixel starting as fill.
struct Buffer {
    int Width, Height;
    std::vector<std::uint32_t> Pixels;
    TCanvas Canvas;

    Buffer(int w, int h, std::uint32_t fill = 0x000000)
        : Width(w), Height(h), Pixels(static_cast<std::size_t>(w * h), fill), Canvas(Pixels.data(), w, h)
    {
    }
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
    // The pixels of one colour, as "x,y" points in row order.
    std::vector<TPoint> Where(std::uint32_t word) const
    {
        std::vector<TPoint> points;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (At(x, y) == word)
                    points.push_back({x, y});
        return points;
    }
};

constexpr std::uint32_t Red = 0xFF0000, White = 0xFFFFFF, Black = 0;

std::vector<TPoint> Points(std::initializer_list<std::pair<int, int>> list)
{
    std::vector<TPoint> points;
    for (auto [x, y] : list)
        points.push_back({x, y});
    return points;
}

TEST(TCanvasTest, LinesPaintTheirStartButNotTheirEnd)
{
    Buffer b(6, 6);
    b.Canvas.Pen()->SetColor(clRed);
    b.Canvas.MoveTo(1, 1);
    b.Canvas.LineTo(4, 1);
    EXPECT_EQ(b.Canvas.PenPos(), Point(4, 1));
    b.Canvas.LineTo(4, 3);
    EXPECT_EQ(b.Where(Red), Points({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));

    Buffer d(5, 5);
    d.Canvas.Pen()->SetColor(clRed);
    d.Canvas.MoveTo(4, 4);
    d.Canvas.LineTo(0, 0);   // diagonal, drawn backwards
    EXPECT_EQ(d.Where(Red), Points({{1, 1}, {2, 2}, {3, 3}, {4, 4}}));

    Buffer c(5, 5);
    c.Canvas.Pen()->SetStyle(psClear);
    c.Canvas.LineTo(4, 4);
    EXPECT_EQ(c.Canvas.PenPos(), Point(4, 4));
    EXPECT_EQ(c.Where(Black).size(), 25u);
}

TEST(TCanvasTest, AShallowLineStepsHalfWayAlong)
{
    Buffer b(8, 3);
    b.Canvas.Pen()->SetColor(clRed);
    b.Canvas.MoveTo(0, 0);
    b.Canvas.LineTo(6, 2);
    EXPECT_EQ(b.Where(Red), Points({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}));
}

TEST(TCanvasTest, DottedPensRepeatTheirPatternAlongTheLine)
{
    Buffer b(12, 1);
    b.Canvas.Pen()->SetColor(clRed);
    b.Canvas.Pen()->SetStyle(psDot);   // three on, three off
    b.Canvas.MoveTo(0, 0);
    b.Canvas.LineTo(11, 0);
    EXPECT_EQ(b.Where(Red), Points({{0, 0}, {1, 0}, {2, 0}, {6, 0}, {7, 0}, {8, 0}}));
}

TEST(TCanvasTest, AHugeLineCostsOnlyItsVisiblePart)
{
    Buffer b(4, 4);
    b.Canvas.Pen()->SetColor(clRed);
    b.Canvas.MoveTo(-2000000000, 1);
    b.Canvas.LineTo(2000000000, 1);
    EXPECT_EQ(b.Where(Red), Points({{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
}

TEST(TCanvasTest, RectanglesFillsAndFrames)
{
    Buffer b(8, 6);
    b.Canvas.Brush()->SetColor(clWhite);
    b.Canvas.Pen()->SetColor(clRed);
    b.Canvas.Rectangle(1, 1, 5, 4);   // outline x 1..4, y 1..3
    EXPECT_EQ(b.Where(White), Points({{2, 2}, {3, 2}}));
    EXPECT_EQ(b.Where(Red).size(), 10u);
    EXPECT_EQ(b.At(4, 3), Red);
    EXPECT_EQ(b.At(5, 4), Black);

    Buffer clearPen(6, 6);
    clearPen.Canvas.Pen()->SetStyle(psClear);
    clearPen.Canvas.Rectangle(0, 0, 3, 3);   // the brush alone, one pixel smaller
    EXPECT_EQ(clearPen.Where(White), Points({{0, 0}, {1, 0}, {0, 1}, {1, 1}}));

    Buffer f(5, 5);
    f.Canvas.Brush()->SetColor(clRed);
    f.Canvas.FrameRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(f.Where(Red).size(), 8u);
    EXPECT_EQ(f.At(1, 1), Black);
    f.Canvas.Brush()->SetStyle(bsClear);
    f.Canvas.FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(f.Where(Red).size(), 8u);
    f.Canvas.Brush()->SetColor(clWhite);   // a colour makes a clear brush solid again
    f.Canvas.FillRect(Rect(3, 3, 5, 5));
    EXPECT_EQ(f.Where(White), Points({{3, 3}, {4, 3}, {3, 4}, {4, 4}}));
}

TEST(TCanvasTest, OriginAndClipKeepDrawingInsideTheControl)
{
    Buffer form(20, 10, 0x111111);
    TCanvas control;
    control.SetSurface(form.Pixels.data(), 20, 10);
    control.SetOrigin({10, 5});
    control.SetClipRect(Rect(0, 0, 4, 3));
    control.Brush()->SetColor(clRed);
    control.FillRect(Rect(-100, -100, 100, 100));
    std::vector<TPoint> red = form.Where(Red);
    ASSERT_EQ(red.size(), 12u);
    EXPECT_EQ(red.front(), Point(10, 5));
    EXPECT_EQ(red.back(), Point(13, 7));
    EXPECT_EQ(control.ClipRect(), Rect(0, 0, 4, 3));
    EXPECT_EQ(control.Pixels(3, 2), clRed);
    EXPECT_EQ(control.Pixels(4, 2), CLR_INVALID);
    control.SetPixels(-1, 0, clWhite);
    control.SetPixels(100000, 100000, clWhite);
    EXPECT_TRUE(form.Where(White).empty());
    control.ResetClipRect();
    EXPECT_EQ(control.ClipRect(), Rect(-10, -5, 10, 5));
}

TEST(TCanvasTest, PixelsOutsideTheSurfaceReadInvalid)
{
    TBitmap bitmap;
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), CLR_INVALID);   // empty
    bitmap.SetSize(2, 2);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), clWhite);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}})
        EXPECT_EQ(bitmap.Canvas()->Pixels(x, y), CLR_INVALID);
}

TEST(TCanvasTest, CopyRectOfEqualSizesCopiesExactly)
{
    std::mt19937 random(7);
    Buffer source(37, 23), target(37, 23, 0x123456);
    for (auto& p : source.Pixels)
        p = random() & 0xFFFFFF;
    target.Canvas.CopyRect(Rect(0, 0, 37, 23), &source.Canvas, Rect(0, 0, 37, 23));
    EXPECT_EQ(target.Pixels, source.Pixels);
}

TEST(TCanvasTest, CopyRectStretchesByRepeatingAndDroppingPixels)
{
    // 400 x 100 with a distinct colour per column, squeezed into 100 x 100.
    TBitmap wide;
    wide.SetPixelFormat(pf32bit);
    wide.SetSize(400, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            static_cast<std::uint32_t*>(wide.ScanLine(y))[x] = static_cast<std::uint32_t>(x << 8 | y);
    Buffer tile(100, 100);
    tile.Canvas.StretchDraw(Rect(0, 0, 100, 100), &wide);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(tile.At(x, y), static_cast<std::uint32_t>((4 * x + 2) << 8 | y)) << x << "," << y;

    // 2 x 2 enlarged to 5 x 3: no colour appears that the source lacks.
    Buffer small(2, 2), big(5, 3);
    small.Pixels = {1, 2, 3, 4};
    big.Canvas.CopyRect(Rect(0, 0, 5, 3), &small.Canvas, Rect(0, 0, 2, 2));
    EXPECT_EQ(big.Pixels, (std::vector<std::uint32_t>{1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 3, 3, 4, 4, 4}));
}

TEST(TCanvasTest, CopyWithinOneCanvasReadsThePixelsAsTheyWere)
{
    Buffer b(4, 1);
    b.Pixels = {1, 2, 3, 4};
    b.Canvas.CopyRect(Rect(1, 0, 4, 1), &b.Canvas, Rect(0, 0, 3, 1));
    EXPECT_EQ(b.Pixels, (std::vector<std::uint32_t>{1, 1, 2, 3}));
}

TEST(TCanvasTest, DrawSkipsTheTransparentColourOnlyWhenTransparent)
{
    TBitmap glyph;
    glyph.SetSize(3, 2);
    glyph.Canvas()->Brush()->SetColor(clOlive);
    glyph.Canvas()->FillRect(Rect(0, 0, 3, 2));
    glyph.Canvas()->SetPixels(1, 0, clRed);
    glyph.SetTransparentColor(clOlive);

    Buffer opaque(5, 4, White);
    opaque.Canvas.Draw(1, 1, &glyph);
    EXPECT_EQ(opaque.Where(ColorToPixelWord(clOlive)).size(), 5u);

    glyph.SetTransparent(true);
    Buffer shown(5, 4, White);
    shown.Canvas.Draw(1, 1, &glyph);
    EXPECT_EQ(shown.Where(Red), Points({{2, 1}}));
    EXPECT_EQ(shown.Where(White).size(), 19u);
}

TEST(TCanvasTest, PaletteBitmapsDrawThroughTheirPalette)
{
    TBitmap b;
    b.SetPixelFormat(pf8bit);
    b.SetSize(2, 1);
    b.SetPalette({0x0000FF, 0x00FF00});
    auto* row = static_cast<std::uint8_t*>(b.ScanLine(0));
    row[0] = 1;
    row[1] = 0;
    Buffer target(2, 1);
    target.Canvas.Draw(0, 0, &b);
    EXPECT_EQ(target.Pixels, (std::vector<std::uint32_t>{0x00FF00, 0x0000FF}));
}

TEST(TCanvasTest, RasterOperationsCombineSourceAndDestination)
{
    struct Case {
        TCopyMode Mode;
        std::uint32_t Expected;
    };
    const std::uint32_t s = 0x0F0F0F, d = 0x00FF33;
    for (Case c : {Case{cmSrcCopy, s}, {cmSrcAnd, s & d}, {cmSrcInvert, s ^ d}, {cmSrcPaint, s | d},
                   {cmNotSrcCopy, ~s & 0xFFFFFF}, {cmBlackness, 0}, {cmWhiteness, 0xFFFFFF},
                   {cmMergeCopy, s & 0x0000FF}}) {
        Buffer source(1, 1, s), target(1, 1, d);
        target.Canvas.Brush()->SetColor(clBlue);   // the pattern: pixel word 0x0000FF
        target.Canvas.SetCopyMode(c.Mode);
        target.Canvas.CopyRect(Rect(0, 0, 1, 1), &source.Canvas, Rect(0, 0, 1, 1));
        EXPECT_EQ(target.At(0, 0), c.Expected) << std::hex << c.Mode;
    }
}

TEST(TCanvasTest, MonochromeMaskPaintsItsSetBitsInTheBrushColour)
{
    // The relief operation: destination XOR (source AND (brush XOR destination)).
    TBitmap mask;
    mask.SetMonochrome(true);
    mask.SetSize(3, 1);
    static_cast<std::uint8_t*>(mask.ScanLine(0))[0] = 0b10100000;
    Buffer target(3, 1, 0x445566);
    target.Canvas.Brush()->SetColor(clRed);
    target.Canvas.SetTextColor(clBlack);
    target.Canvas.SetBkColor(clWhite);
    target.Canvas.BitBlt(0, 0, 3, 1, mask.Canvas(), 0, 0, 0x00E20746);
    EXPECT_EQ(target.Pixels, (std::vector<std::uint32_t>{Red, 0x445566, Red}));
}

TEST(TCanvasTest, DrawingOnABitmapsCanvasNotifiesTheBitmap)
{
    TBitmap b;
    b.SetSize(4, 4);
    int bitmapChanges = 0, canvasChanges = 0;
    b.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++bitmapChanges; });
    b.Canvas()->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++canvasChanges; });
    b.Canvas()->FillRect(Rect(0, 0, 2, 2));
    b.Canvas()->MoveTo(0, 3);
    b.Canvas()->LineTo(3, 3);
    EXPECT_EQ(bitmapChanges, 2);
    EXPECT_EQ(canvasChanges, 2);
    // The canvas follows the bitmap's buffer when it is resized.
    b.SetSize(64, 64);
    b.Canvas()->SetPixels(63, 63, clRed);
    EXPECT_EQ(b.Canvas()->Pixels(63, 63), clRed);
}

}   // namespace
