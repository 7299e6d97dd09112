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

// A full-screen window of the stars: GLFW leaves its background unset, so
// after a layout change reallocates the screen it would show whatever the
// server filled in (the root's colour) until the next frame; black instead.
void paintBackgroundBlack(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    XSetWindowBackground(display, glfwGetX11Window(window), BlackPixel(display, DefaultScreen(display)));
}
