// TPicture: the class comes from the extension, every failure keeps the old
// graphic, and changes reach OnChange.

#include <gtest/gtest.h>

#include <jerror.h>

#include <functional>

#include "platform/graphics/PixelSurface.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TJPEGImage.h"
#include "platform/graphics/TPicture.h"
#include "platform/rtl/Exception.h"
#include "tests/graphics/JpegTestFiles.h"
#include "tests/support/TempDir.h"

namespace {

std::string BmpBytes(int width, int height)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            WritePixelWord(bitmap.Surface(), x, y, std::uint32_t(x * 40) << 16 | std::uint32_t(y * 40));
    return bitmap.SaveToBytes();
}

class PictureTest : public testing::Test {
protected:
    void SetUp() override
    {
        Jpeg = MakeJpeg({.Width = 30, .Height = 20});
        Bmp = BmpBytes(5, 3);
        Picture.OnChange = TNotifyEvent::FromFunction([this](TObject* sender) {
            EXPECT_EQ(sender, &Picture);
            ++Changes;
        });
    }

    TempDir Dir;
    std::string Jpeg;
    std::string Bmp;
    TPicture Picture;
    int Changes = 0;
};

TEST_F(PictureTest, ExtensionChoosesTheClassWhateverItsCase)
{
    struct Case {
        const char* Name;
        bool IsJpeg;
    };
    for (Case c : {Case{"x.JPG", true}, Case{"y.Bmp", false}, Case{"z.jpeg", true}, Case{"w.JpEg", true},
                   Case{"v.bmp", false}, Case{"dotted.name.jpg", true}}) {
        SCOPED_TRACE(c.Name);
        std::string path = Dir.WriteFile(c.Name, c.IsJpeg ? Jpeg : Bmp);
        int before = Changes;
        Picture.LoadFromFile(path);
        EXPECT_EQ(Changes, before + 1);
        ASSERT_NE(Picture.Graphic(), nullptr);
        EXPECT_EQ(Picture.Graphic()->ClassName(), c.IsJpeg ? "TJPEGImage" : "TBitmap");
        EXPECT_EQ(Picture.Width(), c.IsJpeg ? 30 : 5);
        EXPECT_EQ(Picture.Height(), c.IsJpeg ? 20 : 3);
    }
}

TEST_F(PictureTest, EveryFailureRaisesItsOwnErrorAndKeepsTheOldGraphic)
{
    Picture.LoadFromFile(Dir.WriteFile("first.jpg", Jpeg));
    TGraphic* old = Picture.Graphic();
    const int changes = Changes;

    struct Case {
        std::string Path;
        const char* Class;
        std::string Message;
        int JpegCode;   // for EJPEG
    };
    std::string missing = Dir / "missing.jpg";
    std::string folderJpg = Dir.MakeDir("trip.jpg");
    std::string folderBmp = Dir.MakeDir("album.BMP");
    const Case cases[] = {
        {Dir.WriteFile("a.png", Bmp), "EInvalidGraphic", "拡張子 .png の画像形式は処理できません", 0},
        {Dir.WriteFile("b.TIFF", Bmp), "EInvalidGraphic", "拡張子 .TIFF の画像形式は処理できません", 0},
        {Dir.WriteFile("noext", Jpeg), "EInvalidGraphic", "拡張子 . の画像形式は処理できません", 0},
        {Dir.WriteFile("dir.jpg/inside", Jpeg), "EInvalidGraphic", "拡張子 . の画像形式は処理できません", 0},
        {Dir.WriteFile("c.jpg.txt", Jpeg), "EInvalidGraphic", "拡張子 .txt の画像形式は処理できません", 0},
        {missing, "EFOpenError", "ファイル " + missing + " は開けません", 0},
        {folderJpg, "EFOpenError", "ファイル " + folderJpg + " は開けません", 0},
        {folderBmp, "EFOpenError", "ファイル " + folderBmp + " は開けません", 0},
        {Dir.WriteFile("photo.bmp", Jpeg), "EInvalidGraphic", "ビットマップイメージが不正です", 0},
        {Dir.WriteFile("drawing.jpg", Bmp), "EJPEG", "JPEG エラー #" + std::to_string(JERR_NO_SOI), JERR_NO_SOI},
        {Dir.WriteFile("empty.jpeg", ""), "EJPEG", "JPEG エラー #" + std::to_string(JERR_INPUT_EMPTY), JERR_INPUT_EMPTY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        try {
            Picture.LoadFromFile(c.Path);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.ClassName(), c.Class);
            EXPECT_EQ(e.Message(), c.Message);
            if (auto* jpeg = dynamic_cast<const EJPEG*>(&e)) {
                EXPECT_EQ(jpeg->Code(), c.JpegCode);
            }
        }
        EXPECT_EQ(Picture.Graphic(), old);
        EXPECT_EQ(Picture.Width(), 30);
        EXPECT_EQ(Changes, changes);
    }
}

TEST_F(PictureTest, GraphicIsCopiedInAndItsChangesAreReported)
{
    TBitmap source;
    source.LoadFromBytes(Bmp);
    Picture.SetGraphic(&source);
    EXPECT_EQ(Changes, 1);
    auto* held = dynamic_cast<TBitmap*>(Picture.Graphic());
    ASSERT_NE(held, nullptr);
    EXPECT_NE(held, &source);

    // A change of the held copy reaches OnChange and leaves the source alone.
    held->SetSize(7, 7);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(source.Width(), 5);
    source.SetSize(1, 1);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Picture.Bitmap(), held);   // already a bitmap: kept
    EXPECT_EQ(Changes, 2);

    // A JPEG picture asked for its bitmap gives way to a new, empty one.
    TPicture other;
    other.LoadFromFile(Dir.WriteFile("p.jpg", Jpeg));
    Picture.Assign(&other);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Picture.Graphic()->ClassName(), "TJPEGImage");
    EXPECT_NE(Picture.Graphic(), other.Graphic());
    TBitmap pixels;
    pixels.Assign(&Picture);   // through the picture's AssignTo
    EXPECT_EQ(pixels.Width(), 30);
    TBitmap expected;
    expected.Assign(other.Graphic());
    EXPECT_EQ(ReadPixelWord(pixels.Surface(), 3, 4), ReadPixelWord(expected.Surface(), 3, 4));
    TBitmap* fresh = Picture.Bitmap();
    EXPECT_EQ(Changes, 4);
    EXPECT_TRUE(fresh->Empty());
    EXPECT_EQ(Picture.Graphic(), fresh);

    Picture.Assign(nullptr);
    EXPECT_EQ(Changes, 5);
    EXPECT_EQ(Picture.Graphic(), nullptr);
    EXPECT_EQ(Picture.Width(), 0);
    Picture.SetGraphic(nullptr);   // already empty: nothing happens
    EXPECT_EQ(Changes, 5);
}

TEST_F(PictureTest, SavesInTheGraphicsOwnFormat)
{
    Picture.LoadFromFile(Dir.WriteFile("in.jpg", Jpeg));
    std::string out = Dir / "out.jpg";
    Picture.SaveToFile(out);
    EXPECT_EQ(ReadFileBytes(out), Jpeg);

    TPicture empty;
    EXPECT_THROW(empty.SaveToFile(Dir / "nothing.jpg"), EInvalidGraphic);
    EXPECT_FALSE(std::filesystem::exists(Dir / "nothing.jpg"));
}

}
