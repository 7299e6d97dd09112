#include "base/render_settings.h"
#include "platform/glfw_native.h"
#include "platform/platform.h"
#include "platform/x11.h"

#include <GLFW/glfw3.h>

#include <cstring>

// X has no way to draw into another client's window with a context made for
// it the way WGL can, so the saver makes its own window and embeds it in the
// host, as video players do with a given window id. The embedded window
// covers the host's whole client area and follows its size.

namespace {

struct Embedding {
    Display* display;
    Window host;
    Window child;
    int width;
    int height;
    int unmappedPasses;
};

Embedding embedding = {nullptr, 0, 0, 0, 0, 0};

// A client that redirects the host's children maps our window a moment later,
// if at all; give it about half a second before counting the window as lost.
constexpr int unmappedPassLimit = 30;
// Our failures reach whatever error callback is installed, as GLFW's own do.
void x11Fail(const char* text)
{
    const GLFWerrorfun callback = glfwSetErrorCallback(nullptr);
    glfwSetErrorCallback(callback);
    if (callback)
        callback(GLFW_PLATFORM_ERROR, text);
}

bool x11IsChildOf(Display* display, Window child, Window parent)
{
    Window root = 0, actualParent = 0;
    Window* children = nullptr; // Xlib allocates nothing for a window without children
    unsigned int count = 0;
    if (!XQueryTree(display, child, &root, &actualParent, &children, &count))
        return false;
    if (children)
        XFree(children);
    return actualParent == parent;
}

bool x11IsOurSaverWindow(Display* display, Window window)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool ours = std::strcmp(name, renderSettings.title) == 0;
    XFree(name);
    return ours;
}

// A host hands the saver an empty window. One that already holds windows
// belongs to an application, and the saver would cover it. A saver of ours
// that is still ending (a host restarting it) does not count.
bool x11HoldsOtherWindows(Display* display, Window host)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, host, &root, &parent, &children, &count))
        return false;
    bool others = false;
    for (unsigned int i = 0; i < count && !others; ++i) {
        x11ClearErrors(display);
        const bool ours = x11IsOurSaverWindow(display, children[i]);
        others = !ours && !x11RequestsFailed(display); // one that just went away does not count
    }
    if (children)
        XFree(children);
    return others;
}

GLFWwindow* x11CreateHiddenWindow(int width, int height, GLFWwindow* shareWindow)
{
    // Never shown on its own: it only ever appears inside the host.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, renderSettings.title, nullptr, shareWindow);
    glfwWindowHint(GLFW_VISIBLE, GLFW_TRUE);
    glfwWindowHint(GLFW_DECORATED, GLFW_TRUE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_TRUE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_TRUE);
    return window;
}

// Keeps the saver's window, embedded in the preview host, at the host's size.
// False once the window was taken out of the host (a window manager's frame
// or any client that redirects its children) or stays unmapped there.
bool followPreviewHost(Window host, int width, int height)
{
    if (!embedding.child || host != embedding.host)
        return true;
    if (!x11IsChildOf(embedding.display, embedding.child, embedding.host))
        return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(embedding.display, embedding.child, &attributes))
        return false;
    embedding.unmappedPasses = attributes.map_state == IsUnmapped ? embedding.unmappedPasses + 1 : 0;
    if (embedding.unmappedPasses > unmappedPassLimit)
        return false;

    if (width <= 0 || height <= 0 || (width == embedding.width && height == embedding.height))
        return true;
    embedding.width = width;
    embedding.height = height;
    XResizeWindow(embedding.display, embedding.child, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(embedding.display);
    return true;
}

bool x11HostAttributes(NativeWindow host, XWindowAttributes* attributes)
{
    Display* display = x11Display();
    if (!display || host == 0 || host > 0x1FFFFFFF) // X ids use 29 bits
        return false;
    x11InstallHandlers();
    return XGetWindowAttributes(display, static_cast<Window>(host), attributes) != 0;
}

} // namespace

GLFWwindow* adoptNativeWindow(NativeWindow nativeWindow, GLFWwindow* shareWindow)
{
    Display* display = glfwGetX11Display(); // reports GLFW_NOT_INITIALIZED itself
    if (!display)
        return nullptr;

    // X ids use 29 bits; anything wider cannot name a window.
    if (nativeWindow == 0 || nativeWindow > 0x1FFFFFFF) {
        x11Fail("X11: The preview host handle names no window");
        return nullptr;
    }
    const Window host = static_cast<Window>(nativeWindow);

    x11ClearErrors(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, host, &attributes) || x11RequestsFailed(display)) {
        x11Fail("X11: The preview host handle names no window");
        return nullptr;
    }
    if (attributes.root == host) {
        x11Fail("X11: The preview host cannot be a root window");
        return nullptr;
    }
    if (attributes.c_class != InputOutput) {
        x11Fail("X11: The preview host cannot be drawn into");
        return nullptr;
    }
    if (x11HoldsOtherWindows(display, host)) {
        x11Fail("X11: The preview host window already holds an application's windows");
        return nullptr;
    }

    GLFWwindow* window = x11CreateHiddenWindow(attributes.width, attributes.height, shareWindow);
    if (!window)
        return nullptr; // GLFW has told why

    const Window child = glfwGetX11Window(window);
    x11ClearErrors(display);
    XReparentWindow(display, child, host, 0, 0);
    XMapWindow(display, child);
    if (x11RequestsFailed(display) || !x11IsChildOf(display, child, host)) {
        glfwDestroyWindow(window);
        x11Fail("X11: The preview host window is gone");
        return nullptr;
    }

    // The host may have been resized while the window was being made.
    embedding = {display, host, child, attributes.width, attributes.height, 0};
    if (XGetWindowAttributes(display, host, &attributes))
        followPreviewHost(host, attributes.width, attributes.height);
    return window;
}

bool getHostClientSize(NativeWindow host, int* width, int* height)
{
    XWindowAttributes attributes;
    if (!x11HostAttributes(host, &attributes))
        return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

bool isHostWindowEnabled(NativeWindow host)
{
    XWindowAttributes attributes;
    if (!x11HostAttributes(host, &attributes) || attributes.map_state != IsViewable)
        return false;
    // X tells no child that its parent was resized; this check runs every frame.
    return followPreviewHost(static_cast<Window>(host), attributes.width, attributes.height);
}
