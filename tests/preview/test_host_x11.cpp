#include "tests/preview/test_host.h"
#include "tools/host_window.h"
#include "tools/host_window_x11.h"

namespace {

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
    return createHostWindow("Quillomar Test Host", 20, 20, width, height);
}

void resizeTestHost(NativeWindow host, int width, int height)
{
    resizeHostWindow(host, width, height);
}

void disableTestHost(NativeWindow host)
{
    XUnmapWindow(hostDisplay(), toWindow(host));
    XSync(hostDisplay(), False);
}

void destroyTestHost(NativeWindow host)
{
    destroyHostWindow(host);
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
