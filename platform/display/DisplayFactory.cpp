#include "platform/display/DisplayFactory.h"

#include <cstdlib>
#include <cstring>

#include "platform/display/HeadlessDisplay.h"
#ifdef RUPINAKO_HAVE_GTK
#include "platform/display/WindowDisplay.h"
#endif

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

std::unique_ptr<DisplayBackEnd> CreateDisplayBackEnd()
{
    try {
        const char* headless = std::getenv("RUPINAKO_HEADLESS");
        bool wantHeadless = headless && std::strcmp(headless, "1") == 0;
#ifdef RUPINAKO_HAVE_GTK
        if (!wantHeadless && (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"))) {
            if (std::unique_ptr<WindowDisplay> window = WindowDisplay::Open())
                return window;
        }
#else
        (void)wantHeadless;
        (void)IsSet;
#endif
    } catch (...) {
        // Whatever went wrong opening the desktop, a headless run still works.
    }
    return std::make_unique<HeadlessDisplay>();
}
