#include "platform/display/WindowDisplay.h"

#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

#include <gtk/gtk.h>

#include "platform/display/WindowDialogs.h"
#include "platform/display/WindowKeys.h"

namespace {

struct TFormWindow;

// How long one call may keep running GTK's pending work; bounds a flood of
// events so a busy run still gets back to its own work.
constexpr int MaxPendingIterations = 1000;
// How long Present waits at most for its frame to be drawn.
constexpr gint64 PresentDeadlineUs = 500 * 1000;

}  // namespace

struct WindowDisplay::Impl {
    std::map<TWindowId, std::unique_ptr<TFormWindow>> Windows;
    TWindowId NextId = 1;
    std::deque<TInputEvent> Queue;

    TFormWindow* Find(TWindowId id) const
    {
        auto it = Windows.find(id);
        return it == Windows.end() ? nullptr : it->second.get();
    }
    void Push(TInputEvent event) { Queue.push_back(std::move(event)); }
};

namespace {

struct TFormWindow {
    WindowDisplay::Impl* Owner = nullptr;
    TWindowId Id = 0;
    GtkWidget* Toplevel = nullptr;
    GtkWidget* Area = nullptr;
    int ClientWidth = 0, ClientHeight = 0;

    cairo_surface_t* Surface = nullptr;   // the last presented buffer
    unsigned PresentedFrame = 0;          // counts Present calls
    unsigned DrawnFrame = 0;              // the frame the last draw showed

    // Double-click detection: the last press that was not itself a double click.
    guint32 LastPressTime = 0;
    guint LastPressButton = 0;
    double LastPressX = 0, LastPressY = 0;
    bool LastPressValid = false;

    ~TFormWindow()
    {
        if (Toplevel)
            gtk_widget_destroy(Toplevel);
        if (Surface)
            cairo_surface_destroy(Surface);
    }
};

void RunPending()
{
    for (int i = 0; i < MaxPendingIterations && gtk_events_pending(); ++i)
        gtk_main_iteration_do(FALSE);
}

int ScaleOf(const TFormWindow* w)
{
    int scale = gtk_widget_get_scale_factor(w->Area);
    return scale > 0 ? scale : 1;
}

unsigned ShiftFromState(guint state)
{
    unsigned shift = 0;
    if (state & GDK_SHIFT_MASK)
        shift |= 1;
    if (state & GDK_MOD1_MASK)
        shift |= 2;
    if (state & GDK_CONTROL_MASK)
        shift |= 4;
    return shift;
}

// Client pixels from GDK's logical coordinates.
void ToClient(const TFormWindow* w, double x, double y, TInputEvent& e)
{
    int scale = ScaleOf(w);
    e.X = int(std::floor(x * scale));
    e.Y = int(std::floor(y * scale));
}

void ApplyClientSize(TFormWindow* w)
{
    // The request is in logical units; one logical unit is `scale` device pixels.
    int scale = ScaleOf(w);
    gtk_widget_set_size_request(w->Area, (w->ClientWidth + scale - 1) / scale, (w->ClientHeight + scale - 1) / scale);
}

gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    if (!w->Surface) {
        GtkStyleContext* style = gtk_widget_get_style_context(widget);
        gtk_render_background(style, cr, 0, 0, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget));
        return TRUE;
    }
    cairo_save(cr);
    // Undo the display's scale so that one buffer pixel is one device pixel.
    int scale = ScaleOf(w);
    cairo_scale(cr, 1.0 / scale, 1.0 / scale);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_source_surface(cr, w->Surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    w->DrawnFrame = w->PresentedFrame;
    return TRUE;
}

void OnScaleChanged(GObject*, GParamSpec*, gpointer data)
{
    ApplyClientSize(static_cast<TFormWindow*>(data));
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    TInputEvent e;
    e.Kind = TInputKind::CloseRequest;
    e.Window = w->Id;
    w->Owner->Push(e);
    return TRUE;   // the window stays; the controls layer decides
}

void OnMap(GtkWidget*, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    TInputEvent e;
    e.Kind = TInputKind::Expose;
    e.Window = w->Id;
    w->Owner->Push(e);
}

gboolean OnFocus(GtkWidget*, GdkEventFocus* event, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    TInputEvent e;
    e.Kind = event->in ? TInputKind::FocusIn : TInputKind::FocusOut;
    e.Window = w->Id;
    w->Owner->Push(e);
    return FALSE;
}

bool IsDoubleClick(TFormWindow* w, const GdkEventButton* event)
{
    GtkSettings* settings = gtk_widget_get_settings(w->Area);
    gint time = 400, distance = 5;
    g_object_get(settings, "gtk-double-click-time", &time, "gtk-double-click-distance", &distance, nullptr);
    bool dbl = w->LastPressValid && event->button == w->LastPressButton &&
               guint32(event->time - w->LastPressTime) <= guint32(time) &&
               std::fabs(event->x - w->LastPressX) <= distance && std::fabs(event->y - w->LastPressY) <= distance;
    // A third press starts a new click rather than a second double click.
    w->LastPressValid = !dbl;
    w->LastPressButton = event->button;
    w->LastPressTime = event->time;
    w->LastPressX = event->x;
    w->LastPressY = event->y;
    return dbl;
}

gboolean OnButton(GtkWidget*, GdkEventButton* event, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    // GDK adds its own 2BUTTON/3BUTTON events after the presses; the presses
    // themselves carry everything the controls need.
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE)
        return TRUE;
    if (event->button < 1 || event->button > 3)
        return TRUE;
    TInputEvent e;
    e.Window = w->Id;
    e.Kind = event->type == GDK_BUTTON_PRESS ? TInputKind::MouseDown : TInputKind::MouseUp;
    e.Button = int(event->button);
    e.Shift = ShiftFromState(event->state);
    if (e.Kind == TInputKind::MouseDown)
        e.DoubleClick = IsDoubleClick(w, event);
    ToClient(w, event->x, event->y, e);
    w->Owner->Push(e);
    return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    TInputEvent e;
    e.Kind = TInputKind::MouseMove;
    e.Window = w->Id;
    e.Shift = ShiftFromState(event->state);
    ToClient(w, event->x, event->y, e);
    w->Owner->Push(e);
    return TRUE;
}

gboolean OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    // Grabs (a box opening, a button held) also send leave events; only a
    // real move out of the area tells the controls the pointer is gone.
    if (event->mode != GDK_CROSSING_NORMAL)
        return FALSE;
    TInputEvent e;
    e.Kind = TInputKind::MouseMove;
    e.Window = w->Id;
    e.Shift = ShiftFromState(event->state);
    ToClient(w, event->x, event->y, e);
    if (e.X >= 0 && e.Y >= 0 && e.X < w->ClientWidth && e.Y < w->ClientHeight)
        e.X = e.Y = -1;   // left across an edge pixel: report a point surely outside
    w->Owner->Push(e);
    return FALSE;
}

// The key as typed without Shift, so that Shift+1 is still the key '1'.
guint BaseKeyval(const GdkEventKey* event)
{
    guint keyval = 0;
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
    if (gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, GdkModifierType(0), event->group,
                                            &keyval, nullptr, nullptr, nullptr) && keyval)
        return keyval;
    return event->keyval;
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer data)
{
    auto* w = static_cast<TFormWindow*>(data);
    TInputEvent e;
    e.Kind = event->type == GDK_KEY_PRESS ? TInputKind::KeyDown : TInputKind::KeyUp;
    e.Window = w->Id;
    e.Shift = ShiftFromState(event->state);
    e.Key = VirtualKeyFromKeyval(event->keyval);
    if (e.Key == 0 || (e.Key >= 0xBA && e.Key <= 0xDE))
        e.Key = VirtualKeyFromKeyval(BaseKeyval(event));
    w->Owner->Push(e);
    if (event->type != GDK_KEY_PRESS)
        return TRUE;

    gunichar ch = gdk_keyval_to_unicode(event->keyval);
    if ((event->state & GDK_CONTROL_MASK) && e.Key >= 'A' && e.Key <= 'Z')
        ch = e.Key - 'A' + 1;   // Ctrl+A is character 1, as the original desktop types it
    else if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter)
        ch = '\r';
    if (ch != 0) {
        char utf8[8] = {};
        int n = g_unichar_to_utf8(ch, utf8);
        TInputEvent c;
        c.Kind = TInputKind::Char;
        c.Window = w->Id;
        c.Shift = e.Shift;
        c.Text.assign(utf8, size_t(n));
        w->Owner->Push(c);
    }
    return TRUE;
}

gboolean OnDragMotion(GtkWidget* widget, GdkDragContext* context, gint, gint, guint time, gpointer)
{
    bool files = gtk_drag_dest_find_target(widget, context, nullptr) != GDK_NONE;
    gdk_drag_status(context, files ? GDK_ACTION_COPY : GdkDragAction(0), time);
    return TRUE;
}

gboolean OnDragDrop(GtkWidget*, GdkDragContext* context, gint, gint, guint time, gpointer)
{
    // Accepted by the cursor, ignored on drop: refuse, so the source neither
    // waits for data nor deletes anything.
    gtk_drag_finish(context, FALSE, FALSE, time);
    return TRUE;
}

// Draws the window's pending frame now instead of at the next frame tick.
void DrawNow(TFormWindow* w)
{
    if (!gtk_widget_get_mapped(w->Area))
        return;
    gtk_widget_queue_draw(w->Area);
    GdkWindow* window = gtk_widget_get_window(w->Toplevel);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gdk_window_process_updates(window, TRUE);
    G_GNUC_END_IGNORE_DEPRECATIONS
    // Where the synchronous path does not draw (a compositing desktop drives
    // frames itself), run GTK until the frame has been drawn, within bounds.
    gint64 deadline = g_get_monotonic_time() + PresentDeadlineUs;
    while (w->DrawnFrame != w->PresentedFrame && gtk_widget_get_mapped(w->Area) && g_get_monotonic_time() < deadline)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    gdk_display_flush(gdk_window_get_display(window));
}

}  // namespace

WindowDisplay::WindowDisplay() : FImpl(std::make_unique<Impl>()) {}

WindowDisplay::~WindowDisplay()
{
    FImpl->Windows.clear();
    RunPending();
}

std::unique_ptr<WindowDisplay> WindowDisplay::Open()
{
    if (!gtk_init_check(nullptr, nullptr))
        return nullptr;
    return std::unique_ptr<WindowDisplay>(new WindowDisplay());
}

TWindowId WindowDisplay::CreateFormWindow(const TWindowOptions& options)
{
    auto w = std::make_unique<TFormWindow>();
    w->Owner = FImpl.get();
    w->Id = FImpl->NextId++;
    w->ClientWidth = options.ClientWidth > 0 ? options.ClientWidth : 1;
    w->ClientHeight = options.ClientHeight > 0 ? options.ClientHeight : 1;

    GtkWindow* top = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    w->Toplevel = GTK_WIDGET(top);
    gtk_window_set_title(top, options.Caption.c_str());
    if (options.StayOnTop)
        gtk_window_set_keep_above(top, TRUE);
    if (options.ToolWindow)
        gtk_window_set_type_hint(top, GDK_WINDOW_TYPE_HINT_UTILITY);
    if (options.FixedSize)
        gtk_window_set_resizable(top, FALSE);
    if (options.Centred)
        gtk_window_set_position(top, GTK_WIN_POS_CENTER);

    w->Area = gtk_drawing_area_new();
    gtk_widget_set_can_focus(w->Area, TRUE);
    gtk_widget_add_events(w->Area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                       GDK_LEAVE_NOTIFY_MASK);
    gtk_widget_set_halign(w->Area, GTK_ALIGN_START);
    gtk_widget_set_valign(w->Area, GTK_ALIGN_START);
    gtk_container_add(GTK_CONTAINER(top), w->Area);
    ApplyClientSize(w.get());

    TFormWindow* raw = w.get();
    g_signal_connect(w->Area, "draw", G_CALLBACK(OnDraw), raw);
    g_signal_connect(w->Area, "notify::scale-factor", G_CALLBACK(OnScaleChanged), raw);
    g_signal_connect(w->Area, "button-press-event", G_CALLBACK(OnButton), raw);
    g_signal_connect(w->Area, "button-release-event", G_CALLBACK(OnButton), raw);
    g_signal_connect(w->Area, "motion-notify-event", G_CALLBACK(OnMotion), raw);
    g_signal_connect(w->Area, "leave-notify-event", G_CALLBACK(OnLeave), raw);
    g_signal_connect(top, "delete-event", G_CALLBACK(OnDelete), raw);
    g_signal_connect(top, "map", G_CALLBACK(OnMap), raw);
    g_signal_connect(top, "focus-in-event", G_CALLBACK(OnFocus), raw);
    g_signal_connect(top, "focus-out-event", G_CALLBACK(OnFocus), raw);
    g_signal_connect(top, "key-press-event", G_CALLBACK(OnKey), raw);
    g_signal_connect(top, "key-release-event", G_CALLBACK(OnKey), raw);
    gtk_widget_show(w->Area);

    TWindowId id = w->Id;
    FImpl->Windows.emplace(id, std::move(w));
    return id;
}

void WindowDisplay::DestroyFormWindow(TWindowId window)
{
    FImpl->Windows.erase(window);
    // Events already queued for it stay: the controls layer ignores unknown ids.
}

void WindowDisplay::SetCaption(TWindowId window, const std::string& caption)
{
    if (TFormWindow* w = FImpl->Find(window))
        gtk_window_set_title(GTK_WINDOW(w->Toplevel), caption.c_str());
}

void WindowDisplay::ShowFormWindow(TWindowId window, bool visible)
{
    TFormWindow* w = FImpl->Find(window);
    if (!w)
        return;
    if (visible) {
        gtk_widget_show(w->Toplevel);
        gtk_window_present(GTK_WINDOW(w->Toplevel));
    } else {
        gtk_widget_hide(w->Toplevel);
    }
    RunPending();
}

void WindowDisplay::Present(TWindowId window, const std::uint32_t* pixels, int width, int height)
{
    TFormWindow* w = FImpl->Find(window);
    if (!w || !pixels || width <= 0 || height <= 0)
        return;
    if (!w->Surface || cairo_image_surface_get_width(w->Surface) != width ||
        cairo_image_surface_get_height(w->Surface) != height) {
        if (w->Surface)
            cairo_surface_destroy(w->Surface);
        w->Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        if (cairo_surface_status(w->Surface) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(w->Surface);
            w->Surface = nullptr;
            return;
        }
    }
    cairo_surface_flush(w->Surface);
    // RGB24 is the same 0x00RRGGBB word in native byte order; rows may be padded.
    unsigned char* data = cairo_image_surface_get_data(w->Surface);
    int stride = cairo_image_surface_get_stride(w->Surface);
    for (int y = 0; y < height; ++y)
        std::memcpy(data + size_t(y) * size_t(stride), pixels + size_t(y) * size_t(width), size_t(width) * 4);
    cairo_surface_mark_dirty(w->Surface);
    ++w->PresentedFrame;
    DrawNow(w);
}

void WindowDisplay::AcceptDroppedFiles(TWindowId window, bool accept)
{
    TFormWindow* w = FImpl->Find(window);
    if (!w)
        return;
    if (accept) {
        static GtkTargetEntry uriList = {const_cast<gchar*>("text/uri-list"), 0, 0};
        gtk_drag_dest_set(w->Toplevel, GTK_DEST_DEFAULT_HIGHLIGHT, &uriList, 1, GDK_ACTION_COPY);
        if (!g_signal_handler_find(w->Toplevel, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr, (gpointer)OnDragDrop, nullptr)) {
            g_signal_connect(w->Toplevel, "drag-motion", G_CALLBACK(OnDragMotion), w);
            g_signal_connect(w->Toplevel, "drag-drop", G_CALLBACK(OnDragDrop), w);
        }
    } else {
        gtk_drag_dest_unset(w->Toplevel);
    }
}

void WindowDisplay::AnswerDesktop()
{
    RunPending();
}

bool WindowDisplay::NextInput(TInputEvent& event, int timeoutMs)
{
    RunPending();
    if (FImpl->Queue.empty() && timeoutMs > 0) {
        gint64 deadline = g_get_monotonic_time() + gint64(timeoutMs) * 1000;
        bool timedOut = false;
        guint timer = g_timeout_add(guint(timeoutMs), [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        }, &timedOut);
        while (FImpl->Queue.empty() && !timedOut && g_get_monotonic_time() < deadline)
            g_main_context_iteration(nullptr, TRUE);
        if (!timedOut)
            g_source_remove(timer);
    }
    if (FImpl->Queue.empty())
        return false;
    event = std::move(FImpl->Queue.front());
    FImpl->Queue.pop_front();
    return true;
}

void WindowDisplay::MessageBox(const std::string& caption, const std::string& text)
{
    ShowGtkMessageBox(caption, text);
}

int WindowDisplay::Confirm(const std::string& caption, const std::string& text)
{
    return ShowGtkConfirm(caption, text);
}

void WindowDisplay::ErrorBox(const std::string& caption, const std::string& text)
{
    ShowGtkErrorBox(caption, text);
}

void WindowDisplay::Beep()
{
    if (GdkDisplay* display = gdk_display_get_default())
        gdk_display_beep(display);
}

void* WindowDisplay::NativeToplevel(TWindowId window) const
{
    TFormWindow* w = FImpl->Find(window);
    return w ? w->Toplevel : nullptr;
}

void* WindowDisplay::NativeClientArea(TWindowId window) const
{
    TFormWindow* w = FImpl->Find(window);
    return w ? w->Area : nullptr;
}

// Under AddressSanitizer: the desktop libraries under GTK keep caches and
// connections for the life of the process (fontconfig's font sets, the
// accessibility bus) and never free them; those are not leaks of ours, and
// would fail every sanitized run that opens a window. Telling them apart
// needs full malloc stacks, as these libraries are built without frame
// pointers. Without a sanitizer nothing calls these.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libatspi.so\n"
           "leak:libatk-bridge-2.0.so\n";
}

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
