// window-probe FILE: appends one line per mapped top-level window of the X
// display to FILE: its title (_NET_WM_NAME, else WM_NAME), a tab, its width
// and height in pixels. The program's end-to-end tests start it from the
// opener hook, while the program's window is still open.

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

}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    std::FILE* out = std::fopen(argv[1], "a");
    if (!out)
        return 1;
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            std::string title = Title(display, children[i]);
            if (!title.empty())
                std::fprintf(out, "%s\t%d\t%d\n", title.c_str(), attributes.width, attributes.height);
        }
        XFree(children);
    }
    std::fclose(out);
    XCloseDisplay(display);
    return 0;
}
