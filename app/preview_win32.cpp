#include "app/render_window.h"

#include "app/render_settings.h"

#include <GLFW/glfw3.h>

// Preview adoption on X11 is still to come: report it through the windowing
// error path so the run ends the orderly way.
GLFWwindow* adoptNativeWindow(NativeWindow, GLFWwindow*)
{
    showWindowingError(0, "WGL: Preview windows are not supported yet");
    return nullptr;
}
