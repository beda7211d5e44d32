#ifdef RUPINAKO_HAVE_GTK
#include "tests/display/ScreenStack.h"

// Xlib names its connection type "Display", as the controls layer names its
// back-end accessor: this file stays apart from the display headers.
#include <algorithm>
#include <dlfcn.h>
#include <gdk/gdkx.h>
#include <vector>

// Whether a mapped window of another client lies over ours on the X server.
// Other tests (the program's own window tests) may show windows on the same
// server at the same time. The X client library is already in the process
// (GDK uses it) but not linked to the test directly, so it is looked up.
bool CoveredByAnotherWindow(GdkWindow* ours)
{
    GdkDisplay* display = gdk_window_get_display(ours);
    if (!GDK_IS_X11_DISPLAY(display))
        return false;
    auto queryTree = reinterpret_cast<decltype(&XQueryTree)>(dlsym(RTLD_DEFAULT, "XQueryTree"));
    auto getAttributes = reinterpret_cast<decltype(&XGetWindowAttributes)>(dlsym(RTLD_DEFAULT, "XGetWindowAttributes"));
    auto xFree = reinterpret_cast<decltype(&XFree)>(dlsym(RTLD_DEFAULT, "XFree"));
    if (!queryTree || !getAttributes || !xFree)
        return false;
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    Window root = GDK_WINDOW_XID(gdk_get_default_root_window());
    auto children = [&](Window w, Window& parent) {
        Window rootReturn = 0;
        Window* list = nullptr;
        unsigned count = 0;
        std::vector<Window> result;
        if (queryTree(x, w, &rootReturn, &parent, &list, &count)) {
            result.assign(list, list + count);
            if (list)
                xFree(list);
        }
        return result;
    };
    // Our window as a child of the root (a window manager may have put a frame around it).
    Window top = GDK_WINDOW_XID(gdk_window_get_toplevel(ours));
    for (Window parent = 0;; top = parent) {
        children(top, parent);
        if (parent == root || parent == 0)
            break;
    }
    XWindowAttributes mine;
    if (!getAttributes(x, top, &mine))
        return false;
    Window unused = 0;
    std::vector<Window> stack = children(root, unused);   // bottom to top
    auto at = std::find(stack.begin(), stack.end(), top);
    if (at == stack.end())
        return false;
    for (auto it = at + 1; it != stack.end(); ++it) {
        XWindowAttributes other;
        if (getAttributes(x, *it, &other) && other.map_state == IsViewable && other.c_class == InputOutput &&
            other.x < mine.x + mine.width && mine.x < other.x + other.width && other.y < mine.y + mine.height &&
            mine.y < other.y + other.height)
            return true;
    }
    return false;
}

#endif  // RUPINAKO_HAVE_GTK
