#include "app/glfw_window.h"

#include "app/window_geometry.h"
#include "platform/platform.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

GLFWwindow* renderWindow = nullptr;

void showWindowingError(int, const char* description)
{
    showMessageBox(description, "Error", MessageIcon::Information);
}

void onWindowSize(GLFWwindow*, int width, int height)
{
    storeWindowGeometry(width, height);
}

void quitOnInput(GLFWwindow*, int, int, int, int)
{
    std::exit(0);
}

void quitOnInput(GLFWwindow*, int, int, int)
{
    std::exit(0);
}

void ignoreInput(GLFWwindow*, double, double)
{
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
