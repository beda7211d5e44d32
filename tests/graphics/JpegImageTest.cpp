// TJPEGImage: loading and drawing give libjpeg's pixels, saving gives a
// baseline JFIF file at the chosen quality, and no failure damages a file.

#include <gtest/gtest.h>

#include <jerror.h>

#include <filesystem>

#include "platform/graphics/PixelSurface.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TJPEGImage.h"
#include "platform/rtl/Exception.h"
#include "tests/graphics/JpegTestFiles.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::uint32_t Word(const std::vector<std::uint8_t>& rgb, int width, int x, int y)
{
    std::size_t i = static_cast<std::size_t>((y * width + x) * 3);
    return std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2];
}

// Every pixel of the bitmap as libjpeg's reference decoding has it.
void ExpectPixels(const TBitmap& bitmap, const std::vector<std::uint8_t>& rgb)
{
    ASSERT_EQ(rgb.size(), static_cast<std::size_t>(bitmap.Width() * bitmap.Height() * 3));
    TPixelSurface s = bitmap.Surface();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            ASSERT_EQ(ReadPixelWord(s, x, y), Word(rgb, bitmap.Width(), x, y)) << "at " << x << "," << y;
}

int JpegCodeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Message(), "JPEG エラー #" + std::to_string(e.Code()));
        return e.Code();
    }
    return -1;
}

TEST(JpegImage, LoadsLibjpegsPixelsColourAsTrueColourGreyThroughItsPalette)
{
    struct Case {
        JpegRecipe Recipe;
        ReferenceParams Reference;
        TPixelFormat Format;
    };
    ReferenceParams grey{.Out = JCS_GRAYSCALE, .Quantize = true, .Colors = 236};
    for (const Case& c : {Case{{.Width = 45, .Height = 30}, {}, pf24bit},
                          Case{{.Width = 45, .Height = 30, .Progressive = true}, {}, pf24bit},
                          Case{{.Width = 45, .Height = 30, .Input = JCS_GRAYSCALE}, grey, pf8bit}}) {
        TempDir dir;
        std::string bytes = MakeJpeg(c.Recipe);
        std::string path = dir.WriteFile("picture.jpg", bytes);
        TJPEGImage image;
        image.LoadFromFile(path);
        EXPECT_EQ(image.Width(), c.Recipe.Width);
        EXPECT_EQ(image.Height(), c.Recipe.Height);
        TBitmap bitmap;
        bitmap.Assign(&image);
        EXPECT_EQ(bitmap.PixelFormat(), c.Format);
        ExpectPixels(bitmap, ReferenceRgb(DecodeReference(bytes, c.Reference)));
        // A loaded image saves its stream as it came.
        EXPECT_EQ(image.SaveToBytes(), bytes);
    }
}

TEST(JpegImage, DrawStretchesTheDecodedPixelsWithoutBlending)
{
    std::string bytes = MakeJpeg({.Width = 40, .Height = 24});
    std::vector<std::uint8_t> rgb = ReferenceRgb(DecodeReference(bytes, {}));
    TJPEGImage image;
    image.LoadFromBytes(bytes);
    const int w = 10, h = 48;   // a quarter of the width, twice the height
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(w * h), 0xABCDEF);
    TCanvas canvas(screen.data(), w, h);
    canvas.StretchDraw(Rect(0, 0, w, h), &image);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(screen[static_cast<std::size_t>(y * w + x)],
                      Word(rgb, 40, (2 * x + 1) * 40 / (2 * w), (2 * y + 1) * 24 / (2 * h)))
                << "at " << x << "," << y;
}

TEST(JpegImage, TruncatedFileLoadsWithoutRaising)
{
    TempDir dir;
    std::string bytes = MakeJpeg({.Width = 64, .Height = 64});
    std::string path = dir.WriteFile("cut.jpg", bytes.substr(0, bytes.size() / 2));
    TJPEGImage image;
    ASSERT_NO_THROW(image.LoadFromFile(path));
    EXPECT_EQ(image.Width(), 64);
    EXPECT_EQ(image.Height(), 64);
}

TEST(JpegImage, FailedLoadRaisesAndKeepsThePicture)
{
    TempDir dir;
    std::string good = MakeJpeg({.Width = 20, .Height = 10});
    TJPEGImage image;
    image.LoadFromBytes(good);
    int changes = 0;
    image.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });

    std::string text = dir.WriteFile("notes.jpg", "not a picture at all\n");
    EXPECT_EQ(JpegCodeOf([&] { image.LoadFromFile(text); }), JERR_NO_SOI);
    EXPECT_EQ(JpegCodeOf([&] { image.LoadFromBytes(""); }), JERR_INPUT_EMPTY);
    EXPECT_THROW(image.LoadFromFile(dir.MakeDir("folder.jpg")), EFOpenError);
    try {
        image.LoadFromFile(dir / "missing.jpg");
        ADD_FAILURE() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル " + (dir / "missing.jpg") + " は開けません");
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(image.Width(), 20);
    EXPECT_EQ(image.SaveToBytes(), good);
}

// Smooth ramps in the display's format, as a captured sheet is: red across,
// green down, blue falling across, so that swapped channels show.
void Paint(TBitmap& bitmap, int width, int height)
{
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            WritePixelWord(bitmap.Surface(), x, y,
                           std::uint32_t(x * 4) << 16 | std::uint32_t(y * 6) << 8 | std::uint32_t(200 - x * 2));
}

// The quantisation tables jpeg_set_quality(quality, TRUE) gives colour input.
std::vector<std::vector<unsigned>> TablesOfQuality(int quality)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    std::vector<std::vector<unsigned>> tables;
    for (int t = 0; t < 2; ++t)
        tables.emplace_back(cinfo.quant_tbl_ptrs[t]->quantval, cinfo.quant_tbl_ptrs[t]->quantval + DCTSIZE2);
    jpeg_destroy_compress(&cinfo);
    return tables;
}

TEST(JpegImage, SavesABaselineJfifFileWithTheTablesOfItsQuality)
{
    TBitmap sheet;
    Paint(sheet, 60, 36);
    for (int quality : {80, 90}) {
        SCOPED_TRACE(quality);
        TempDir dir;
        TJPEGImage image;
        image.Assign(&sheet);
        if (quality != 90)
            image.SetCompressionQuality(quality);   // 90 is the default
        std::string path = dir / "sheet.jpg";
        image.SaveToFile(path);
        std::string bytes = ReadFileBytes(path);

        std::vector<int> markers = MarkersUpToScan(bytes);
        ASSERT_GE(markers.size(), 2u);
        EXPECT_EQ(markers[0], 0xD8);
        EXPECT_EQ(markers[1], 0xE0);   // JFIF first
        EXPECT_NE(std::find(markers.begin(), markers.end(), 0xC0), markers.end());   // baseline frame
        EXPECT_EQ(std::find(markers.begin(), markers.end(), 0xDD), markers.end());   // no restart interval

        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
        EXPECT_TRUE(cinfo.saw_JFIF_marker);
        EXPECT_FALSE(cinfo.progressive_mode);
        EXPECT_EQ(cinfo.jpeg_color_space, JCS_YCbCr);
        ASSERT_EQ(cinfo.num_components, 3);
        EXPECT_EQ(cinfo.image_width, 60u);
        EXPECT_EQ(cinfo.image_height, 36u);
        int sampling[3][2] = {{2, 2}, {1, 1}, {1, 1}};
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(cinfo.comp_info[c].h_samp_factor, sampling[c][0]) << "component " << c;
            EXPECT_EQ(cinfo.comp_info[c].v_samp_factor, sampling[c][1]) << "component " << c;
        }
        std::vector<std::vector<unsigned>> expected = TablesOfQuality(quality);
        for (int t = 0; t < 2; ++t) {
            ASSERT_NE(cinfo.quant_tbl_ptrs[t], nullptr);
            std::vector<unsigned> read(cinfo.quant_tbl_ptrs[t]->quantval, cinfo.quant_tbl_ptrs[t]->quantval + DCTSIZE2);
            EXPECT_EQ(read, expected[static_cast<std::size_t>(t)]) << "table " << t;
        }
        jpeg_destroy_decompress(&cinfo);

        // And it holds the picture: colours come back close to the bitmap's.
        TJPEGImage back;
        back.LoadFromBytes(bytes);
        TBitmap pixels;
        pixels.Assign(&back);
        long error = 0;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 60; ++x) {
                std::uint32_t a = ReadPixelWord(sheet.Surface(), x, y), b = ReadPixelWord(pixels.Surface(), x, y);
                for (int shift : {0, 8, 16})
                    error += std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
            }
        EXPECT_LT(error / (60 * 36 * 3), 4);
    }
}

TEST(JpegImage, FailedSaveLeavesNoTemporaryFileAndEarlierFilesIntact)
{
    TempDir dir;
    TBitmap sheet;
    Paint(sheet, 16, 16);
    TJPEGImage image;
    image.Assign(&sheet);
    std::string earlier = dir.WriteFile("sheet_1.jpg", "earlier sheet");
    dir.MakeDir("sheet_2.jpg");
    auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir.Path()))
            names.push_back(e.path().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = listing();

    for (const std::string& target : {dir / "no such folder/sheet.jpg", dir / "sheet_2.jpg"}) {
        try {
            image.SaveToFile(target);
            ADD_FAILURE() << "saved over " << target;
        } catch (const EFCreateError& e) {
            EXPECT_EQ(e.Message(), "ファイル " + target + " を作成できません");
        }
    }
    // An image without pixels fails before any file is touched.
    TJPEGImage empty;
    EXPECT_EQ(JpegCodeOf([&] { empty.SaveToFile(earlier); }), JERR_EMPTY_IMAGE);

    EXPECT_EQ(listing(), before);
    EXPECT_EQ(ReadFileBytes(earlier), "earlier sheet");
}

TEST(JpegImage, AssignSizeAndClearing)
{
    std::string bytes = MakeJpeg({.Width = 12, .Height = 8});
    TJPEGImage a;
    a.LoadFromBytes(bytes);
    a.SetCompressionQuality(500);
    EXPECT_EQ(a.CompressionQuality(), 100);

    TJPEGImage b;
    int changes = 0;
    b.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Width(), 12);
    EXPECT_EQ(b.CompressionQuality(), 100);
    EXPECT_EQ(b.SaveToBytes(), bytes);

    EXPECT_NO_THROW(b.SetWidth(12));
    EXPECT_THROW(b.SetWidth(13), EInvalidGraphic);
    EXPECT_THROW(b.SetHeight(0), EInvalidGraphic);

    // A transparent bitmap still makes an opaque JPEG.
    TBitmap source;
    Paint(source, 4, 4);
    source.SetTransparent(true);
    b.Assign(&source);
    EXPECT_FALSE(b.Empty());
    TBitmap copied;
    copied.Assign(&b);
    EXPECT_EQ(copied.PixelFormat(), pf24bit);   // the display's 32 bits taken as 24
    std::vector<std::uint32_t> screen(16, 0x123456);
    TCanvas canvas(screen.data(), 4, 4);
    canvas.StretchDraw(Rect(0, 0, 4, 4), &b);
    EXPECT_EQ(screen[12], ReadPixelWord(source.Surface(), 0, 3));   // the bottom-left pixel, tmAuto's colour

    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(a.Width(), 12);   // the source keeps its picture
    TBitmap cleared;
    Paint(cleared, 3, 3);
    cleared.Assign(&b);
    EXPECT_TRUE(cleared.Empty());
}

}
