#include "app/glfw_window.h"

#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "platform/platform.h"

#include <GLFW/glfw3.h>

GLFWwindow* renderWindow = nullptr;

void showWindowingError(int, const char* description)
{
    showMessageBox(description, "Error", MessageIcon::Information);
}

void onWindowSize(GLFWwindow*, int width, int height)
{
    storeWindowGeometry(width, height);
}

// Input ends the run, not the process: the run's shutdown then puts back what
// GLFW changed on the system (the X screensaver timer, Windows' focus lock).
// A release never ends it: it can only be of a key or button held down since
// before the saver took the keyboard and pointer.
void quitOnInput(GLFWwindow*, int, int, int action, int)
{
    if (action != GLFW_RELEASE)
        glfwSetWindowShouldClose(renderWindow, GLFW_TRUE);
}

void quitOnInput(GLFWwindow*, int, int action, int)
{
    if (action != GLFW_RELEASE)
        glfwSetWindowShouldClose(renderWindow, GLFW_TRUE);
}

void ignoreInput(GLFWwindow*, double, double)
{
}

void hintRenderContext()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, renderSettings.contextVersionMajor);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, renderSettings.contextVersionMinor);
    if (renderSettings.robustContext)
        glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, renderSettings.samples);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
}

int primaryMonitorSize(int which)
{
    // Without a monitor (the library failed to start) answer the fallback size,
    // so every later step still sees a positive width and height.
    const GLFWvidmode* mode = nullptr;
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor())
        mode = glfwGetVideoMode(monitor);
    if (!mode || mode->width <= 0 || mode->height <= 0)
        return which == 0 ? 800 : 600;
    return which == 0 ? mode->width : mode->height;
}
