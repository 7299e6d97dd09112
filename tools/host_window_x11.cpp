#include "tools/host_window.h"
#include "tools/host_window_x11.h"

namespace {

// Asking about a vanished host is part of the tests.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

Window toWindow(NativeWindow host)
{
    return static_cast<Window>(host);
}

} // namespace

Display* hostDisplay()
{
    // The host lives on its own connection, as another program's would.
    static Display* display = nullptr;
    if (!display) {
        display = XOpenDisplay(nullptr);
        XSetErrorHandler(ignoreError);
    }
    return display;
}

NativeWindow createHostWindow(const char* title, int x, int y, int width, int height)
{
    Display* display = hostDisplay();
    if (!display)
        return 0;
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 0, 0, hostColourRgb);
    XStoreName(display, host, title);
    XSelectInput(display, host, StructureNotifyMask);
    XMapWindow(display, host);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.window == host)
            break;
    }
    return host;
}

void resizeHostWindow(NativeWindow host, int width, int height)
{
    XResizeWindow(hostDisplay(), toWindow(host), static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(hostDisplay(), False);
}

void destroyHostWindow(NativeWindow host)
{
    XDestroyWindow(hostDisplay(), toWindow(host));
    XSync(hostDisplay(), False);
}
