#include "platform/platform.h"
#include "platform/x11.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

namespace {

Display* ownDisplay = nullptr;
int lastErrorCode = Success;

int x11RecordError(Display*, XErrorEvent* error)
{
    lastErrorCode = error->error_code;
    return 0;
}

// Nothing can be released over a dead connection, so end at once.
int x11EndOnLostDisplay(Display*)
{
    std::_Exit(0);
}

} // namespace

Display* x11Display()
{
    // GLFW reports any call made before it has started; ask it quietly.
    const GLFWerrorfun callback = glfwSetErrorCallback(nullptr);
    Display* glfwDisplay = glfwGetX11Display();
    glfwSetErrorCallback(callback);
    if (glfwDisplay)
        return glfwDisplay;
    if (!ownDisplay)
        ownDisplay = XOpenDisplay(nullptr);
    return ownDisplay;
}

void x11CloseOwnDisplay()
{
    if (ownDisplay)
        XCloseDisplay(ownDisplay);
    ownDisplay = nullptr;
}

void x11InstallHandlers()
{
    XSetErrorHandler(x11RecordError);
    XSetIOErrorHandler(x11EndOnLostDisplay);
}

void x11ClearErrors(Display* display)
{
    x11InstallHandlers();
    XSync(display, False);
    lastErrorCode = Success;
}

bool x11RequestsFailed(Display* display)
{
    XSync(display, False);
    return lastErrorCode != Success;
}

void endQuietlyOnLostDisplay()
{
    x11InstallHandlers();
}
