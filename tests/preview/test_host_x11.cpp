#include "tests/preview/test_host.h"

#include <X11/Xlib.h>

namespace {

int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

// The test host lives on its own connection, as another program's would.
Display* hostDisplay()
{
    static Display* display = nullptr;
    if (!display) {
        display = XOpenDisplay(nullptr);
        XSetErrorHandler(ignoreError); // asking about a vanished host is part of the test
    }
    return display;
}

Window toWindow(NativeWindow host)
{
    return static_cast<Window>(host);
}

bool hostChildren(NativeWindow host, unsigned int* count)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    if (!XQueryTree(hostDisplay(), toWindow(host), &root, &parent, &children, count))
        return false;
    if (children)
        XFree(children);
    return true;
}

} // namespace

NativeWindow createTestHost(int width, int height)
{
    Display* display = hostDisplay();
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 20, 20, static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 0, 0, 0x305070);
    XSelectInput(display, host, StructureNotifyMask);
    XMapWindow(display, host);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.window == host)
            break;
    }
    return host;
}

void resizeTestHost(NativeWindow host, int width, int height)
{
    XResizeWindow(hostDisplay(), toWindow(host), static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(hostDisplay(), False);
}

void disableTestHost(NativeWindow host)
{
    XUnmapWindow(hostDisplay(), toWindow(host));
    XSync(hostDisplay(), False);
}

void destroyTestHost(NativeWindow host)
{
    XDestroyWindow(hostDisplay(), toWindow(host));
    XSync(hostDisplay(), False);
}

bool testHostExists(NativeWindow host)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(hostDisplay(), toWindow(host), &attributes) != 0;
}

bool testHostIsItsOwn(NativeWindow host)
{
    unsigned int count = 1;
    return hostChildren(host, &count) && count == 0;
}

bool testHostIsTakenOver(NativeWindow host)
{
    unsigned int count = 0;
    return hostChildren(host, &count) && count == 1;
}

void clickTestHost(NativeWindow host)
{
    // A button press as the server would deliver it to the window under the
    // pointer: the saver's window inside the host.
    Display* display = hostDisplay();
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, toWindow(host), &root, &parent, &children, &count) || count == 0)
        return;
    XEvent event = {};
    event.xbutton.type = ButtonPress;
    event.xbutton.window = children[0];
    event.xbutton.root = root;
    event.xbutton.x = 10;
    event.xbutton.y = 10;
    event.xbutton.button = Button1;
    event.xbutton.same_screen = True;
    XSendEvent(display, children[0], False, ButtonPressMask, &event);
    XSync(display, False);
    XFree(children);
}

NativeWindow vanishedWindowHandle()
{
    const NativeWindow host = createTestHost(10, 10);
    destroyTestHost(host);
    return host;
}

const char* noWindowErrorPrefix()
{
    return "X11: ";
}
