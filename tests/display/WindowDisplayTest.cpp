#ifdef RUPINAKO_HAVE_GTK

#include "platform/display/WindowDisplay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/display/WindowTestSupport.h"

#include "tests/display/ScreenStack.h"

namespace {

constexpr int Size = 600;
const char* const Caption = "ルピナコ１：１ 処理中はパソコンに触らないでください";

// Six colour blocks with a 1-pixel grid over them, and a lone odd pixel in
// each corner, so that a shift, a flip, a scale or a channel swap all show.
std::vector<std::uint32_t> Pattern(std::uint32_t seed)
{
    const std::uint32_t blocks[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x804020};
    std::vector<std::uint32_t> pixels(size_t(Size) * Size);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            std::uint32_t p = blocks[(x / 200) + 3 * (y / 300)] ^ seed;
            if (x % 25 == 3 || y % 25 == 7)
                p = 0xFFFFFF ^ seed;
            pixels[size_t(y) * Size + x] = p;
        }
    pixels[0] = 0x010203;
    pixels[Size - 1] = 0x102030;
    pixels[size_t(Size - 1) * Size] = 0x405060;
    pixels[size_t(Size) * Size - 1] = 0x708090;
    return pixels;
}

std::string Utf8Property(GdkWindow* window, const char* name)
{
    GdkAtom type = GDK_NONE;
    gint format = 0, length = 0;
    guchar* data = nullptr;
    std::string value;
    if (gdk_property_get(window, gdk_atom_intern(name, FALSE), gdk_atom_intern("UTF8_STRING", FALSE), 0, 65536, FALSE,
                         &type, &format, &length, &data))
        value.assign(reinterpret_cast<char*>(data), size_t(length));
    g_free(data);
    return value;
}

std::vector<std::string> AtomProperty(GdkWindow* window, const char* name)
{
    GdkAtom type = GDK_NONE;
    gint format = 0, length = 0;
    guchar* data = nullptr;
    std::vector<std::string> atoms;
    if (gdk_property_get(window, gdk_atom_intern(name, FALSE), gdk_atom_intern("ATOM", FALSE), 0, 1024, FALSE, &type,
                         &format, &length, &data)) {
        auto* list = reinterpret_cast<GdkAtom*>(data);
        for (size_t i = 0; i < size_t(length) / sizeof(GdkAtom); ++i) {
            gchar* atomName = gdk_atom_name(list[i]);
            atoms.push_back(atomName);
            g_free(atomName);
        }
    }
    g_free(data);
    return atoms;
}

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

class WindowDisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_DISPLAY();
        Lock = std::make_unique<TScreenLock>();
        Display = SharedWindowDisplay();
        TWindowOptions options;
        options.Caption = Caption;
        options.ClientWidth = Size;
        options.ClientHeight = Size;
        options.StayOnTop = options.ToolWindow = options.FixedSize = options.Centred = true;
        Id = Display->CreateFormWindow(options);
        Display->ShowFormWindow(Id, true);
        ASSERT_TRUE(PumpUntil([&] { return gdk_window_is_viewable(ClientWindow(*Display, Id)); }))
            << "the window never appeared";
        Drain();
    }
    void TearDown() override
    {
        if (Display) {
            Display->DestroyFormWindow(Id);
            Display->AnswerDesktop();   // off the screen before the next test draws
        }
        Lock.reset();
    }
    std::vector<TInputEvent> Drain()
    {
        std::vector<TInputEvent> events;
        TInputEvent e;
        while (Display->NextInput(e, 0))
            events.push_back(e);
        return events;
    }
    // Queued events of these kinds only (focus and expose notices come and go).
    std::vector<TInputEvent> DrainOf(std::initializer_list<TInputKind> kinds)
    {
        std::vector<TInputEvent> picked;
        for (const TInputEvent& e : Drain())
            if (std::find(kinds.begin(), kinds.end(), e.Kind) != kinds.end())
                picked.push_back(e);
        return picked;
    }

    std::unique_ptr<TScreenLock> Lock;
    WindowDisplay* Display = nullptr;
    TWindowId Id = 0;
};

TEST_F(WindowDisplayTest, PresentedBufferIsOnTheScreenPixelForPixel)
{
    GdkWindow* client = ClientWindow(*Display, Id);
    for (std::uint32_t seed : {0u, 0x5A5A5Au}) {   // a second frame must replace the first
        std::vector<std::uint32_t> pixels = Pattern(seed);
        long differences = 0;
        std::string first;
        // The screen is read right after Present returns. Only when another
        // client's window lies over ours is that no proof: then ours is
        // raised and the frame presented again.
        for (int attempt = 0; attempt < 100; ++attempt) {
            Display->Present(Id, pixels.data(), Size, Size);
            differences = CountScreenDifferences(*Display, Id, pixels, Size, Size, first);
            if (differences == 0 || !CoveredByAnotherWindow(client))
                break;
            gdk_window_raise(gtk_widget_get_window(static_cast<GtkWidget*>(Display->NativeToplevel(Id))));
            gdk_display_sync(gdk_window_get_display(client));
            g_usleep(20 * 1000);
        }
        EXPECT_EQ(differences, 0) << "first difference: " << first;
    }
}

TEST_F(WindowDisplayTest, WindowHasTheCaptionSizeAndKindAsked)
{
    GdkWindow* client = ClientWindow(*Display, Id);
    int scale = gdk_window_get_scale_factor(client);
    EXPECT_EQ(gdk_window_get_width(client) * scale, Size);
    EXPECT_EQ(gdk_window_get_height(client) * scale, Size);

    auto* top = static_cast<GtkWidget*>(Display->NativeToplevel(Id));
    GdkWindow* frame = gtk_widget_get_window(top);
    EXPECT_EQ(gdk_window_get_width(frame) * scale, Size) << "the client area is the whole inside of the window";
    EXPECT_EQ(gdk_window_get_height(frame) * scale, Size);
    EXPECT_EQ(Utf8Property(frame, "_NET_WM_NAME"), Caption);
    EXPECT_TRUE(Contains(AtomProperty(frame, "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_UTILITY"));
    EXPECT_TRUE(Contains(AtomProperty(frame, "_NET_WM_STATE"), "_NET_WM_STATE_ABOVE"));
    EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(top)));

    // Centred on the screen.
    GdkRectangle extents;
    gdk_window_get_frame_extents(frame, &extents);
    GdkScreen* screen = gdk_window_get_screen(frame);
    int screenWidth = 0, screenHeight = 0;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    screenWidth = gdk_screen_get_width(screen);
    screenHeight = gdk_screen_get_height(screen);
    G_GNUC_END_IGNORE_DEPRECATIONS
    EXPECT_NEAR(extents.x + extents.width / 2, screenWidth / 2, 2);
    EXPECT_NEAR(extents.y + extents.height / 2, screenHeight / 2, 40);   // a title bar may sit above

    Display->SetCaption(Id, "計 3 枚");
    PumpUntil([&] { return Utf8Property(frame, "_NET_WM_NAME") == "計 3 枚"; }, 2000);
    EXPECT_EQ(Utf8Property(frame, "_NET_WM_NAME"), "計 3 枚");
}

TEST_F(WindowDisplayTest, MouseInputArrivesInClientPixelsWithDoubleClicks)
{
    GdkWindow* client = ClientWindow(*Display, Id);
    GdkDisplay* gdisplay = gdk_window_get_display(client);
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdisplay));
    auto put = [&](GdkEventType type, double x, double y, guint32 time, guint state = 0) {
        GdkEvent* event = gdk_event_new(type);
        event->any.window = GDK_WINDOW(g_object_ref(client));
        event->any.send_event = TRUE;
        if (type == GDK_MOTION_NOTIFY) {
            event->motion.x = x;
            event->motion.y = y;
            event->motion.time = time;
            event->motion.state = state;
        } else {
            event->button.x = x;
            event->button.y = y;
            event->button.time = time;
            event->button.button = 1;
            event->button.state = state;
        }
        gdk_event_set_device(event, pointer);
        gdk_event_put(event);
        gdk_event_free(event);
    };
    int scale = gdk_window_get_scale_factor(client);
    put(GDK_MOTION_NOTIFY, 30.0 / scale, 40.0 / scale, 1000, GDK_SHIFT_MASK);
    put(GDK_BUTTON_PRESS, 30.0 / scale, 40.0 / scale, 1010);
    put(GDK_BUTTON_RELEASE, 30.0 / scale, 40.0 / scale, 1050);
    put(GDK_BUTTON_PRESS, 31.0 / scale, 40.0 / scale, 1100);     // quick and near: a double click
    put(GDK_BUTTON_RELEASE, 31.0 / scale, 40.0 / scale, 1150);
    put(GDK_BUTTON_PRESS, 31.0 / scale, 40.0 / scale, 5000);     // much later: a single click
    Display->AnswerDesktop();   // only queues

    auto events = DrainOf({TInputKind::MouseMove, TInputKind::MouseDown, TInputKind::MouseUp});
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].Kind, TInputKind::MouseMove);
    EXPECT_EQ(events[0].X, 30);
    EXPECT_EQ(events[0].Y, 40);
    EXPECT_EQ(events[0].Shift, 1u);
    EXPECT_EQ(events[0].Window, Id);
    EXPECT_EQ(events[1].Kind, TInputKind::MouseDown);
    EXPECT_EQ(events[1].Button, 1);
    EXPECT_FALSE(events[1].DoubleClick);
    EXPECT_EQ(events[2].Kind, TInputKind::MouseUp);
    EXPECT_EQ(events[3].Kind, TInputKind::MouseDown);
    EXPECT_TRUE(events[3].DoubleClick);
    EXPECT_EQ(events[3].X, 31);
    EXPECT_FALSE(events[5].DoubleClick);
}

TEST_F(WindowDisplayTest, KeysGiveVirtualCodesAndCharacters)
{
    GdkWindow* frame = gtk_widget_get_window(static_cast<GtkWidget*>(Display->NativeToplevel(Id)));
    PutKey(frame, GDK_KEY_a);
    PutKey(frame, GDK_KEY_Escape);
    PutKey(frame, GDK_KEY_y, GDK_MOD1_MASK);
    Display->AnswerDesktop();
    auto events = DrainOf({TInputKind::KeyDown, TInputKind::KeyUp, TInputKind::Char});
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[0].Kind, TInputKind::KeyDown);
    EXPECT_EQ(events[0].Key, unsigned('A'));
    EXPECT_EQ(events[1].Kind, TInputKind::Char);
    EXPECT_EQ(events[1].Text, "a");
    EXPECT_EQ(events[2].Kind, TInputKind::KeyUp);
    EXPECT_EQ(events[3].Key, 0x1Bu);
    EXPECT_EQ(events[4].Text, "\x1b");
    EXPECT_EQ(events[6].Key, unsigned('Y'));
    EXPECT_EQ(events[7].Text, "y");
    EXPECT_EQ(events[7].Shift, 2u);   // Alt: what accelerators look for
}

TEST_F(WindowDisplayTest, CloseBoxAsksAndLeavesTheWindowOpen)
{
    auto* top = static_cast<GtkWidget*>(Display->NativeToplevel(Id));
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(top)));
    event->any.send_event = TRUE;
    gdk_event_put(event);
    gdk_event_free(event);
    Display->AnswerDesktop();
    auto events = DrainOf({TInputKind::CloseRequest});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Window, Id);
    EXPECT_EQ(Display->NativeToplevel(Id), top);
    EXPECT_TRUE(gtk_widget_get_visible(top));
}

TEST_F(WindowDisplayTest, NextInputWaitsOnlyAsLongAsAsked)
{
    TInputEvent e;
    gint64 start = g_get_monotonic_time();
    EXPECT_FALSE(Display->NextInput(e, 50));
    // Not a timing test: it only must not return before anything could come.
    EXPECT_GE(g_get_monotonic_time() - start, 45 * 1000);
}

TEST_F(WindowDisplayTest, DropTargetTakesFileLists)
{
    auto* top = static_cast<GtkWidget*>(Display->NativeToplevel(Id));
    Display->AcceptDroppedFiles(Id, true);
    GtkTargetList* targets = gtk_drag_dest_get_target_list(top);
    ASSERT_NE(targets, nullptr);
    guint info = 0;
    EXPECT_TRUE(gtk_target_list_find(targets, gdk_atom_intern("text/uri-list", FALSE), &info));
    Display->AcceptDroppedFiles(Id, false);
    EXPECT_EQ(gtk_drag_dest_get_target_list(top), nullptr);
}

TEST(WindowDisplayScaleTest, ClientAreaStaysExactAtDoubleScale)
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        GTEST_SKIP() << "DISPLAY is not set: run under scripts/with-xvfb.sh";
    // The child re-runs this test from its start: it must not wait for the
    // lock its parent holds, and tells so by the environment it inherits.
    std::optional<TScreenLock> lock;
    if (!std::getenv("RUPINAKO_TEST_SCREEN_LOCKED"))
        lock.emplace();
    setenv("RUPINAKO_TEST_SCREEN_LOCKED", "1", 1);
    // Re-executed rather than forked: a fork would share the X connection of
    // this process (and GTK's state once it has been initialised).
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("GDK_SCALE", "2", 1);
            auto display = WindowDisplay::Open();
            if (!display)
                std::exit(3);
            TWindowOptions options;
            options.Caption = Caption;
            options.ClientWidth = options.ClientHeight = Size;
            options.FixedSize = true;
            TWindowId id = display->CreateFormWindow(options);
            display->ShowFormWindow(id, true);
            GdkWindow* client = gtk_widget_get_window(static_cast<GtkWidget*>(display->NativeClientArea(id)));
            if (!PumpUntil([&] { return client && gdk_window_is_viewable(client); }))
                std::exit(4);
            std::vector<std::uint32_t> pixels = Pattern(0);
            display->Present(id, pixels.data(), Size, Size);
            int scale = gdk_window_get_scale_factor(client);
            bool exact = scale == 2 && gdk_window_get_width(client) * scale == Size &&
                         gdk_window_get_height(client) * scale == Size;
            std::exit(exact ? 0 : 5);
        },
        testing::ExitedWithCode(0), "");
    unsetenv("RUPINAKO_TEST_SCREEN_LOCKED");
}

}  // namespace

#endif  // RUPINAKO_HAVE_GTK
