#pragma once
// Helpers for the tests that need a real X display (run them under
// scripts/with-xvfb.sh). Only built with GTK.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#include <gtk/gtk.h>

#include "platform/display/WindowDisplay.h"

// The process's window back end, opened once; null when there is no display.
inline WindowDisplay* SharedWindowDisplay()
{
    static std::unique_ptr<WindowDisplay> display = [] {
        const char* name = std::getenv("DISPLAY");
        return name && *name ? WindowDisplay::Open() : nullptr;
    }();
    return display.get();
}

#define SKIP_WITHOUT_DISPLAY()                                                                        \
    do {                                                                                              \
        if (!SharedWindowDisplay())                                                                   \
            GTEST_SKIP() << "no X display (DISPLAY unset or not reachable): run the display tests "    \
                            "under scripts/with-xvfb.sh";                                             \
    } while (0)

// Held by every test that puts a window or a box on the screen. Tests run
// in parallel processes (ctest -j) would otherwise cover each other's
// windows, and a screenshot would see the wrong pixels.
class TScreenLock {
public:
    TScreenLock()
    {
        std::string name = "/tmp/rupinako-screen";
        for (const char* c = std::getenv("DISPLAY"); c && *c; ++c)
            name += (*c >= '0' && *c <= '9') ? *c : '_';
        FFd = open((name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (FFd >= 0)
            while (flock(FFd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~TScreenLock()
    {
        if (FFd >= 0)
            close(FFd);   // releases the lock
    }
    TScreenLock(const TScreenLock&) = delete;
    TScreenLock& operator=(const TScreenLock&) = delete;

private:
    int FFd = -1;
};

// Runs GTK until the condition holds or the time is up; returns the condition.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    gint64 deadline = g_get_monotonic_time() + gint64(timeoutMs) * 1000;
    while (!done()) {
        if (g_get_monotonic_time() > deadline)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(2000);
    }
    return true;
}

// Puts a key press and release for keyval into GDK's queue, as the X server
// would deliver them to that window.
inline void PutKey(GdkWindow* window, guint keyval, guint state = 0)
{
    GdkDisplay* display = gdk_window_get_display(window);
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count);
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(window));
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        event->key.state = state;
        event->key.keyval = keyval;
        event->key.hardware_keycode = count > 0 ? guint16(keys[0].keycode) : 0;
        event->key.group = count > 0 ? guint8(keys[0].group) : 0;
        gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
        gdk_event_put(event);
        gdk_event_free(event);
    }
    g_free(keys);
}

inline GdkWindow* ClientWindow(WindowDisplay& display, TWindowId id)
{
    return gtk_widget_get_window(static_cast<GtkWidget*>(display.NativeClientArea(id)));
}

// Reads the screen's pixels under the client area straight from the X server
// and counts those that differ from the buffer.
inline long CountScreenDifferences(WindowDisplay& display, TWindowId id, const std::vector<std::uint32_t>& expected,
                                   int width, int height, std::string& firstDifference)
{
    GdkWindow* client = ClientWindow(display, id);
    int x = 0, y = 0;
    gdk_window_get_origin(client, &x, &y);
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, width, height);
    if (!shot) {
        firstDifference = "no screenshot";
        return -1;
    }
    int channels = gdk_pixbuf_get_n_channels(shot);
    int stride = gdk_pixbuf_get_rowstride(shot);
    const guchar* data = gdk_pixbuf_read_pixels(shot);
    long differences = 0;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) {
            const guchar* p = data + size_t(row) * stride + size_t(col) * channels;
            std::uint32_t got = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
            std::uint32_t want = expected[size_t(row) * width + col];
            if (got != want && differences++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d,%d) is %06X, not %06X", col, row, unsigned(got), unsigned(want));
                firstDifference = text;
            }
        }
    g_object_unref(shot);
    return differences;
}
