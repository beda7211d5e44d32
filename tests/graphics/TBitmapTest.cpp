#include "platform/graphics/TBitmap.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/graphics/TCanvas.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"
#include "tests/support/TempDir.h"

namespace {

std::uint32_t WordAt(const TBitmap& b, int x, int y) { return ReadPixelWord(b.Surface(), x, y); }

struct ChangeCounter {
    int Count = 0;
    void Hook(TGraphic& g) { g.OnChange = TNotifyEvent::FromFunction([this](TObject*) { ++Count; }); }
};

// A 5 x 3 bitmap of the given format whose pixels differ where the format allows.
void Paint(TBitmap& b, TPixelFormat format)
{
    b.SetPixelFormat(format);
    b.SetSize(5, 3);
    TCanvas* c = b.Canvas();
    const TColor colours[] = {clRed, clBlack, clBlue, clWhite, clLime, clYellow, clAqua};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            c->SetPixels(x, y, format == pf1bit ? ((x + y) % 2 ? clWhite : clBlack) : colours[(x + 2 * y) % 7]);
}

TEST(TBitmapTest, ResizingKeepsWhatFitsAndMakesNewPixelsWhite)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    EXPECT_EQ(b.HandleType(), bmDDB);
    b.SetWidth(3);
    EXPECT_TRUE(b.Empty());
    b.SetHeight(2);
    ASSERT_FALSE(b.Empty());
    EXPECT_EQ(WordAt(b, 2, 1), 0xFFFFFFu);
    b.Canvas()->SetPixels(1, 1, clRed);
    b.SetSize(5, 4);
    EXPECT_EQ(WordAt(b, 1, 1), 0xFF0000u);
    EXPECT_EQ(WordAt(b, 4, 3), 0xFFFFFFu);
    b.SetWidth(2);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(WordAt(b, 1, 1), 0xFF0000u);
}

TEST(TBitmapTest, ImpossibleSizesRaiseAndChangeNothing)
{
    TBitmap b;
    b.SetSize(2, 2);
    for (auto [w, h] : {std::pair{-1, 2}, {32769, 1}, {20000, 20000}}) {
        try {
            b.SetSize(w, h);
            ADD_FAILURE() << w << "x" << h;
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), SInvalidImageSize);
        }
        EXPECT_EQ(b.Width(), 2);
        EXPECT_EQ(b.Height(), 2);
    }
}

TEST(TBitmapTest, OnChangeFiresOnceForEveryRealChangeFromOutside)
{
    TBitmap b;
    ChangeCounter changes;
    changes.Hook(b);
    b.SetWidth(4);
    b.SetHeight(4);
    EXPECT_EQ(changes.Count, 2);
    b.SetWidth(4);   // same value
    b.SetPixelFormat(pfDevice);
    b.SetHandleType(bmDDB);
    EXPECT_EQ(changes.Count, 2);
    b.SetHandleType(bmDIB);   // pfDevice becomes pf32bit
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(changes.Count, 3);
    b.Canvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(changes.Count, 4);
    // Reading and writing through ScanLine is not a notified change.
    static_cast<std::uint32_t*>(b.ScanLine(0))[0] = 0x123456;
    EXPECT_EQ(changes.Count, 4);
    b.SetTransparentColor(clOlive);
    b.SetTransparentColor(clOlive);
    EXPECT_EQ(changes.Count, 5);
    TBitmap other;
    other.SetSize(1, 1);
    b.Assign(&other);
    EXPECT_EQ(changes.Count, 6);
}

TEST(TBitmapTest, HandleTypeGoesWithTheDisplayFormatExceptForMonochrome)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.HandleType(), bmDIB);
    b.SetSize(2, 1);
    b.Canvas()->SetPixels(0, 0, RGB(1, 2, 3));
    b.SetHandleType(bmDDB);
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), RGB(1, 2, 3));
    // A mask made monochrome stays one bit per pixel when it becomes device-dependent.
    b.SetHandleType(bmDIB);
    b.SetMonochrome(true);
    b.SetHandleType(bmDDB);
    EXPECT_EQ(b.PixelFormat(), pf1bit);
    EXPECT_TRUE(b.Monochrome());
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clWhite);
    b.SetMonochrome(false);
    EXPECT_EQ(b.PixelFormat(), pfDevice);
}

TEST(TBitmapTest, AnOnChangeHandlerThatConvertsTheBitmapSettles)
{
    // As a button keeps its glyph: every change makes the bitmap a 32-bit DIB,
    // which is itself a change, reported again.
    TBitmap glyph, source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(4, 4);
    int calls = 0;
    glyph.OnChange = TNotifyEvent::FromFunction([&](TObject*) {
        ++calls;
        glyph.SetHandleType(bmDIB);
        glyph.SetPixelFormat(pf32bit);
    });
    glyph.LoadFromBytes(source.SaveToBytes());
    EXPECT_EQ(glyph.PixelFormat(), pf32bit);
    EXPECT_EQ(calls, 2);   // the load, then the conversion inside it
    glyph.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(calls, 3);
}

TEST(TBitmapTest, ScanLinesFollowTheFormatLayout)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(3, 2);
    b.Canvas()->SetPixels(1, 1, RGB(1, 2, 3));
    auto* row = static_cast<const std::uint8_t*>(b.ScanLine(1));
    EXPECT_EQ(row[3], 3);   // blue first
    EXPECT_EQ(row[4], 2);
    EXPECT_EQ(row[5], 1);
    EXPECT_EQ(b.RowBytes(), 12);   // 9 bytes padded to 4
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(static_cast<const std::uint32_t*>(b.ScanLine(1))[1], 0x010203u);
    b.SetMonochrome(true);
    EXPECT_TRUE(b.Monochrome());
    // White pixels are set bits, the most significant bit first; the dark pixel is clear.
    EXPECT_EQ(static_cast<const std::uint8_t*>(b.ScanLine(1))[0] & 0xE0, 0xA0);
    for (int bad : {-1, 2}) {
        try {
            b.ScanLine(bad);
            ADD_FAILURE() << bad;
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), SScanLineIndex);
        }
    }
}

TEST(TBitmapTest, FormatConversionKeepsColoursThePaletteCanHold)
{
    TBitmap b;
    Paint(b, pf32bit);
    TBitmap copy;
    copy.Assign(&b);
    for (TPixelFormat f : {pf24bit, pf8bit, pfDevice}) {
        copy.SetPixelFormat(f);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(WordAt(copy, x, y), WordAt(b, x, y)) << f << " " << x << "," << y;
    }
    copy.SetPixelFormat(pf8bit);
    copy.SetPalette({0x000000, 0xFF0000});
    EXPECT_EQ(copy.Palette().size(), 2u);
    copy.SetPixelFormat(pf24bit);
    EXPECT_TRUE(copy.Palette().empty());
    EXPECT_THROW(copy.SetPalette({0}), EInvalidGraphic);   // no palette for 24 bits
}

class TBitmapRoundTripTest : public testing::TestWithParam<TPixelFormat> {};

TEST_P(TBitmapRoundTripTest, SavedBmpLoadsBackIdentical)
{
    TBitmap b;
    Paint(b, GetParam());
    if (GetParam() == pf8bit)
        b.SetPalette([] {
            std::vector<std::uint32_t> p(256);
            for (std::uint32_t i = 0; i < 256; ++i)
                p[i] = i * 0x010101 ^ 0x00FF00;
            return p;
        }());
    TempDir dir;
    std::string path = dir / "picture.bmp";
    b.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.PixelFormat(), GetParam() == pfDevice ? pf32bit : GetParam());
    EXPECT_EQ(loaded.Palette(), b.Palette());
    ASSERT_EQ(loaded.Width(), 5);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(WordAt(loaded, x, y), WordAt(b, x, y)) << x << "," << y;
    EXPECT_EQ(loaded.SaveToBytes(), b.SaveToBytes());
}

INSTANTIATE_TEST_SUITE_P(Formats, TBitmapRoundTripTest, testing::Values(pf1bit, pf8bit, pf24bit, pf32bit, pfDevice));

TEST(TBitmapTest, FileErrorsNameThePath)
{
    TempDir dir;
    std::string folder = dir.MakeDir("trip.bmp");
    TBitmap b;
    try {
        b.LoadFromFile(folder);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), Format(SFOpenError, {folder}));
    }
    EXPECT_THROW(b.LoadFromFile(dir / "missing.bmp"), EFOpenError);
    std::string target = dir / "no/such/folder/x.bmp";
    try {
        b.SaveToFile(target);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), Format(SFCreateError, {target}));
    }
    // A file that is not a bitmap leaves the old file and the bitmap alone.
    std::string junk = dir.WriteFile("junk.bmp", "not a bitmap");
    b.SetSize(2, 2);
    EXPECT_THROW(b.LoadFromFile(junk), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(ReadFileBytes(junk), "not a bitmap");
}

TEST(TBitmapTest, TransparentColourIsTheBottomLeftPixelUnlessFixed)
{
    TBitmap b;
    EXPECT_EQ(b.TransparentColor(), clNone);
    b.SetSize(3, 3);
    b.Canvas()->SetPixels(0, 2, clLime);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clOlive);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clOlive);
    b.SetTransparentColor(clDefault);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
}

TEST(TBitmapTest, AssignCopiesPixelsFormatAndTransparencyIntoItsOwnBuffer)
{
    TBitmap a;
    Paint(a, pf24bit);
    a.SetTransparent(true);
    a.SetTransparentColor(clRed);
    TBitmap b;
    b.Assign(&a);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clRed);
    EXPECT_NE(b.ScanLine(0), a.ScanLine(0));
    a.Canvas()->SetPixels(0, 0, clWhite);
    EXPECT_NE(WordAt(b, 0, 0), WordAt(a, 0, 0));
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(TBitmapTest, FreeImageReleasesThePixels)
{
    TBitmap b;
    b.SetSize(600, 600);
    EXPECT_EQ(b.RowBytes(), 2400);
    b.FreeImage();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Surface().Bits, nullptr);
    EXPECT_TRUE(b.SaveToBytes().size() == 54);   // an empty bitmap saves as a header alone
    TBitmap reloaded;
    reloaded.LoadFromBytes(b.SaveToBytes());
    EXPECT_TRUE(reloaded.Empty());
}

}   // namespace
