// window-probe FILE: appends one line per mapped top-level window of the X
// display to FILE: its title (_NET_WM_NAME, else WM_NAME), a tab, its width
// and height in pixels. The program's end-to-end tests start it from the
// opener hook, while the program's window is still open.
//
// window-probe --close TITLE: asks every mapped top-level window of that
// title to close, as a window manager's close box does (WM_DELETE_WINDOW);
// exit status 1 when there is none.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <string>

namespace {

std::string Title(Display* display, Window window)
{
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 4096, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

void RequestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
}

}

int main(int argc, char** argv)
{
    bool closing = argc == 3 && std::string(argv[1]) == "--close";
    if (argc != 2 && !closing)
        return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    std::FILE* out = closing ? nullptr : std::fopen(argv[1], "a");
    if (!closing && !out)
        return 1;
    int found = 0;
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            std::string title = Title(display, children[i]);
            if (closing && title == argv[2]) {
                RequestClose(display, children[i]);
                ++found;
            } else if (out && !title.empty()) {
                std::fprintf(out, "%s\t%d\t%d\n", title.c_str(), attributes.width, attributes.height);
            }
        }
        XFree(children);
    }
    if (out)
        std::fclose(out);
    XCloseDisplay(display);
    return closing && found == 0 ? 1 : 0;
}
