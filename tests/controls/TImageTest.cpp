#include "platform/controls/TImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/controls/TForm.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TPicture.h"
#include "tests/controls/FakeDisplay.h"

namespace {

using PixelFn = std::function<std::uint32_t(int x, int y)>;

// A 32-bit bitmap whose pixel (x, y) is f(x, y).
std::unique_ptr<TBitmap> MakeBitmap(int w, int h, const PixelFn& f)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf32bit);
    bmp->SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<std::uint32_t*>(bmp->ScanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = f(x, y);
    }
    return bmp;
}

std::uint32_t Distinct(int x, int y)
{
    // Unique for x < 65536 and y < 256, and within the 24 bits of a pixel word.
    const auto ux = static_cast<std::uint32_t>(x), uy = static_cast<std::uint32_t>(y);
    return ((ux & 0xFF) << 16) | ((uy & 0xFF) << 8) | ((ux >> 8) & 0xFF);
}

constexpr std::uint32_t FormWord = 0x00FFFF00;   // clYellow as a pixel word

class ImagePaint : public ::testing::Test {
protected:
    ControlsTestScope scope;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);

    void SetUp() override
    {
        form->SetClientWidth(400);
        form->SetClientHeight(100);
        form->SetColor(clYellow);
    }

    TImage* AddImage(int left, int top, int w, int h, bool stretch)
    {
        auto* image = new TImage(form.get());
        image->SetParent(form.get());
        image->SetBounds(left, top, w, h);
        image->SetStretch(stretch);
        return image;
    }

    std::uint32_t At(int x, int y) const { return form->ClientPixels()[y * form->ClientWidth() + x]; }

    // Every pixel of the tile at (left, top) is expect(x, y) in tile coordinates.
    void ExpectTile(int left, int top, int w, int h, const PixelFn& expect) const
    {
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (At(left + x, top + y) != expect(x, y) && ++wrong < 4)
                    ADD_FAILURE() << "tile at " << left << "," << top << " pixel " << x << "," << y << ": " << std::hex
                                  << At(left + x, top + y) << " != " << expect(x, y);
        EXPECT_EQ(wrong, 0);
    }
};

// A stretched tile takes source column (2x + 1) * sw / (2w), rows likewise:
// pixels are repeated or dropped, never blended.
std::uint32_t Stretched(int sw, int sh, int w, int h, int x, int y)
{
    return Distinct((2 * x + 1) * sw / (2 * w), (2 * y + 1) * sh / (2 * h));
}

TEST_F(ImagePaint, RepaintDrawsStretchedPicturesOnTheFormColour)
{
    TImage* small = AddImage(0, 0, 100, 100, true);
    AddImage(100, 0, 100, 100, true);   // empty
    TImage* wide = AddImage(200, 0, 100, 100, true);
    TImage* hidden = AddImage(300, 0, 100, 100, true);
    small->Picture()->SetGraphic(MakeBitmap(4, 2, Distinct).get());
    wide->Picture()->SetGraphic(MakeBitmap(400, 100, Distinct).get());
    hidden->Picture()->SetGraphic(MakeBitmap(2, 2, Distinct).get());
    hidden->SetVisible(false);

    form->Show();
    form->Repaint();

    ExpectTile(0, 0, 100, 100, [](int x, int y) { return Stretched(4, 2, 100, 100, x, y); });
    ExpectTile(100, 0, 100, 100, [](int, int) { return FormWord; });
    // 400 x 100 squeezed to a quarter of its width, not scaled in height.
    ExpectTile(200, 0, 100, 100, [](int x, int y) { return Distinct(4 * x + 2, y); });
    ExpectTile(300, 0, 100, 100, [](int, int) { return FormWord; });

    // What the window shows is exactly the client buffer.
    ASSERT_EQ(scope.Fake->PresentedWidth, 400);
    ASSERT_EQ(scope.Fake->PresentedHeight, 100);
    EXPECT_EQ(scope.Fake->PresentedWindow, form->Handle());
    EXPECT_TRUE(std::equal(scope.Fake->Presented.begin(), scope.Fake->Presented.end(), form->ClientPixels()));
}

TEST_F(ImagePaint, UnstretchedPictureSitsTopLeftOrCentred)
{
    TImage* plain = AddImage(0, 0, 100, 100, false);
    TImage* centred = AddImage(100, 0, 100, 100, false);
    centred->SetCenter(true);
    plain->Picture()->SetGraphic(MakeBitmap(20, 10, Distinct).get());
    centred->Picture()->SetGraphic(MakeBitmap(20, 10, Distinct).get());
    form->Repaint();

    auto inside = [](int ox, int oy) {
        return [ox, oy](int x, int y) {
            const bool in = x >= ox && x < ox + 20 && y >= oy && y < oy + 10;
            return in ? Distinct(x - ox, y - oy) : FormWord;
        };
    };
    ExpectTile(0, 0, 100, 100, inside(0, 0));
    ExpectTile(100, 0, 100, 100, inside(40, 45));
}

TEST_F(ImagePaint, TileRepaintShowsANewPictureAtOnceAndOverlapsFollowZOrder)
{
    TImage* below = AddImage(0, 0, 100, 100, true);
    TImage* above = AddImage(50, 0, 100, 100, true);
    below->Picture()->SetGraphic(MakeBitmap(1, 1, [](int, int) { return 0x000011u; }).get());
    above->Picture()->SetGraphic(MakeBitmap(1, 1, [](int, int) { return 0x000022u; }).get());
    form->Show();
    EXPECT_EQ(At(25, 50), 0x000011u);
    EXPECT_EQ(At(75, 50), 0x000022u);   // the later control lies on top

    // A picture change only invalidates; Repaint paints and presents now.
    const int presents = scope.Fake->PresentCount;
    above->Picture()->SetGraphic(MakeBitmap(1, 1, [](int, int) { return 0x000033u; }).get());
    EXPECT_EQ(At(75, 50), 0x000022u);
    above->Repaint();
    EXPECT_EQ(At(75, 50), 0x000033u);
    EXPECT_EQ(scope.Fake->PresentCount, presents + 1);
    EXPECT_EQ(scope.Fake->Presented[50 * 400 + 75], 0x000033u);

    // Clearing a picture gives the area back to the form colour (and what lies below).
    above->Picture()->SetGraphic(nullptr);
    Application->ProcessMessages();   // the idle painting of what was invalidated
    EXPECT_EQ(At(75, 50), 0x000011u);
    EXPECT_EQ(At(120, 50), FormWord);
}

TEST_F(ImagePaint, CanvasFirstUseGivesABitmapOfTheControlSizeThatCapturesTheForm)
{
    TImage* tile = AddImage(10, 10, 30, 30, true);
    tile->Picture()->SetGraphic(MakeBitmap(3, 3, Distinct).get());
    TImage* capture = AddImage(340, 0, 400, 100, false);
    capture->SetVisible(false);
    ASSERT_EQ(capture->Picture()->Graphic(), nullptr);

    TCanvas* canvas = capture->Canvas();
    auto* bitmap = dynamic_cast<TBitmap*>(capture->Picture()->Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 400);
    EXPECT_EQ(bitmap->Height(), 100);
    EXPECT_EQ(capture->Canvas(), canvas);   // later uses keep that bitmap
    EXPECT_EQ(capture->Picture()->Graphic(), bitmap);

    form->Repaint();
    const TRect all = Rect(0, 0, 400, 100);
    canvas->CopyRect(all, form->Canvas(), all);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            ASSERT_EQ(static_cast<const std::uint32_t*>(bitmap->ScanLine(y))[x], At(x, y)) << x << "," << y;
    EXPECT_EQ(At(20, 20), Stretched(3, 3, 30, 30, 10, 10));
}

TEST_F(ImagePaint, ProportionalStretchKeepsTheAspectRatio)
{
    TImage* image = AddImage(0, 0, 100, 100, true);
    image->SetProportional(true);
    image->Picture()->SetGraphic(MakeBitmap(40, 20, Distinct).get());
    EXPECT_EQ(image->DestRect(), Rect(0, 0, 100, 50));
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), Rect(0, 25, 100, 75));
    image->SetStretch(false);
    EXPECT_EQ(image->DestRect(), Rect(30, 40, 70, 60));   // small pictures are not enlarged
}

TEST_F(ImagePaint, TransparentIsHandedToThePicture)
{
    TImage* image = AddImage(0, 0, 10, 10, true);
    image->Picture()->SetGraphic(MakeBitmap(2, 2, Distinct).get());
    EXPECT_FALSE(image->Picture()->Graphic()->Transparent());
    image->SetTransparent(true);
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
    image->Picture()->SetGraphic(MakeBitmap(2, 2, Distinct).get());   // a new picture takes it too
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
}

}
