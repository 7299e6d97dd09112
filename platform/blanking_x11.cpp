#include "platform/glfw_native.h"
#include "platform/x11.h"

#include <GLFW/glfw3.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

void showBlackWindow(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    const Window handle = glfwGetX11Window(window);
    // GLFW leaves the background unset, so the server would keep whatever
    // was on the monitor; with a background the server paints it black on
    // mapping and on every exposure, with no drawing of ours.
    XSetWindowBackground(display, handle, BlackPixel(display, DefaultScreen(display)));

    // A window manager must neither hand it the keyboard (the render window
    // keeps it) nor leave its panels above it.
    if (XWMHints* hints = XGetWMHints(display, handle)) {
        hints->flags |= InputHint;
        hints->input = False;
        XSetWMHints(display, handle, hints);
        XFree(hints);
    }
    const Atom fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, handle, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&fullscreen), 1);
    glfwShowWindow(window);
}

namespace {

Window backdrop = 0;

} // namespace

// Without a window manager the saver stacks its windows itself, and when
// monitors are switched off or moved the server shows the new layout before
// the saver hears of it: a black window over the whole screen just under the
// saver's covers the desktop until they are moved. Under a window manager
// (the window is not the root's child) full-screen windows follow their
// monitors through it instead.
void openBackdrop(GLFWwindow* above)
{
    Display* display = glfwGetX11Display();
    const Window handle = glfwGetX11Window(above);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, handle, &root, &parent, &children, &count))
        return;
    if (children)
        XFree(children);
    if (parent != root || backdrop)
        return;
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    attributes.override_redirect = True;
    backdrop = XCreateWindow(display, root, 0, 0, 32767, 32767, 0, CopyFromParent, InputOutput, CopyFromParent,
                             CWBackPixel | CWOverrideRedirect, &attributes);
    XWindowChanges changes = {};
    changes.sibling = handle;
    changes.stack_mode = Below;
    XConfigureWindow(display, backdrop, CWSibling | CWStackMode, &changes);
    XMapWindow(display, backdrop);
    XFlush(display);
}

void closeBackdrop()
{
    if (backdrop)
        XDestroyWindow(glfwGetX11Display(), backdrop);
    backdrop = 0;
}

// A full-screen window of the stars: GLFW leaves its background unset, so
// after a layout change reallocates the screen it would show whatever the
// server filled in (the root's colour) until the next frame; black instead.
void paintBackgroundBlack(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    XSetWindowBackground(display, glfwGetX11Window(window), BlackPixel(display, DefaultScreen(display)));
}
