#ifdef RUPINAKO_HAVE_GTK

// A form of the program's size, with picture tiles, shown through the window
// back end: the screen shows exactly the form's client buffer.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/controls/TForm.h"
#include "platform/controls/TImage.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TPicture.h"
#include "tests/display/ScreenStack.h"
#include "tests/display/WindowTestSupport.h"

namespace {

constexpr int Size = 600;
const char* const Caption = "ルピナコ１：１ - 処理中はパソコンに触らないでネ！";

// A picture with a stripe pattern, so that the stretch into a tile shows.
void PaintStripes(TBitmap& bitmap, int width, int height, TColor a, TColor b)
{
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Canvas()->SetPixels(x, y, ((x / 7 + y / 5) % 2) ? a : b);
}

TEST(FormOnScreenTest, ShownFormPutsItsClientBufferOnTheScreen)
{
    SKIP_WITHOUT_DISPLAY();
    TScreenLock lock;
    std::unique_ptr<WindowDisplay> owned = WindowDisplay::Open();
    ASSERT_NE(owned, nullptr);
    WindowDisplay* display = owned.get();
    SetDisplayBackEnd(std::move(owned));

    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption(Caption);
    form->SetBorderStyle(bsToolWindow);
    form->SetFormStyle(fsStayOnTop);
    form->SetPosition(poDesktopCenter);
    form->SetClientWidth(Size);
    form->SetClientHeight(Size);
    form->SetColor(clWhite);
    const TColor colours[][2] = {{clRed, clNavy}, {clLime, clPurple}, {clYellow, clTeal}};
    for (int k = 0; k < 3; ++k) {
        auto* image = new TImage(form.get());
        image->SetParent(form.get());
        image->SetBounds(k * 100, k * 100, 100, 100);
        image->SetStretch(true);
        TBitmap picture;
        PaintStripes(picture, 40 + 90 * k, 30 + 60 * k, colours[k][0], colours[k][1]);
        image->Picture()->SetGraphic(&picture);
    }
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return gdk_window_is_viewable(ClientWindow(*display, form->Handle())); }))
        << "the window never appeared";
    form->Repaint();

    std::vector<std::uint32_t> expected(static_cast<std::size_t>(Size) * Size);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            expected[static_cast<std::size_t>(y) * Size + x] = ColorToPixelWord(form->Canvas()->Pixels(x, y));
    EXPECT_NE(expected[50 * Size + 50], 0xFFFFFFu) << "tile 1 holds its picture";
    EXPECT_EQ(expected[550 * Size + 50], 0xFFFFFFu) << "the rest is the form colour";

    std::string first;
    long differences = CountScreenDifferences(*display, form->Handle(), expected, Size, Size, first);
    if (differences != 0 && CoveredByAnotherWindow(ClientWindow(*display, form->Handle()))) {
        gdk_window_raise(gtk_widget_get_window(static_cast<GtkWidget*>(display->NativeToplevel(form->Handle()))));
        form->Repaint();
        differences = CountScreenDifferences(*display, form->Handle(), expected, Size, Size, first);
    }
    EXPECT_EQ(differences, 0) << "first difference: " << first;
    EXPECT_EQ(std::string(gtk_window_get_title(GTK_WINDOW(display->NativeToplevel(form->Handle())))), Caption);

    form.reset();
    SetDisplayBackEnd(nullptr);
}

}

#endif
