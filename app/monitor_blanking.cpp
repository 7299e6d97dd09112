#include "app/monitor_blanking.h"

#include "app/glfw_window.h"
#include "app/window_icon.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "platform/glfw_native.h"

#include <GLFW/glfw3.h>

bool blankOtherMonitors = true;

namespace {

struct BlankingWindow {
    GLFWmonitor* monitor;
    GLFWwindow* window;
};

// A fixed table: monitors come and go only through events, and nothing here
// allocates or runs per frame.
constexpr int maxBlankingWindows = 32;
BlankingWindow blankingWindows[maxBlankingWindows] = {};

void fitToMonitor(const BlankingWindow& blanking)
{
    const GLFWvidmode* mode = glfwGetVideoMode(blanking.monitor);
    if (!mode)
        return;
    int x = 0, y = 0;
    glfwGetMonitorPos(blanking.monitor, &x, &y);
    glfwSetWindowPos(blanking.window, x, y);
    glfwSetWindowSize(blanking.window, mode->width, mode->height);
}

void coverMonitor(GLFWmonitor* monitor)
{
    if (monitor == glfwGetWindowMonitor(renderWindow))
        return;
    BlankingWindow* slot = nullptr;
    for (BlankingWindow& blanking : blankingWindows) {
        if (blanking.monitor == monitor)
            return;
        if (!slot && !blanking.window)
            slot = &blanking;
    }
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!slot || !mode)
        return;

    // An ordinary window laid over the monitor: a full-screen one would take
    // the focus, and the render window would iconify on losing it.
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_FLOATING, GLFW_TRUE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(mode->width, mode->height, renderSettings.title, nullptr, nullptr);
    glfwDefaultWindowHints();
    if (!window)
        return; // GLFW has reported why; the saver itself runs on

    *slot = {monitor, window};
    fitToMonitor(*slot);
    glfwSetKeyCallback(window, quitOnInput);
    glfwSetMouseButtonCallback(window, quitOnInput);
    if (!renderSettings.showCursor)
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    if (renderSettings.windowIcon)
        setWindowIcon(window);
    showBlackWindow(window);
}

void onMonitorEvent(GLFWmonitor* monitor, int event)
{
    if (event == GLFW_DISCONNECTED) {
        for (BlankingWindow& blanking : blankingWindows)
            if (blanking.monitor == monitor) {
                glfwDestroyWindow(blanking.window);
                blanking = {};
            }
    } else {
        coverMonitor(monitor);
    }
    // A monitor coming or going may move the others on the desktop.
    for (const BlankingWindow& blanking : blankingWindows)
        if (blanking.window)
            fitToMonitor(blanking);
}

} // namespace

void openBlankingWindows()
{
    if (!blankOtherMonitors || runMode == Preview || !renderWindow || !glfwGetWindowMonitor(renderWindow))
        return;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i)
        coverMonitor(monitors[i]);
    glfwSetMonitorCallback(onMonitorEvent);
}

void releaseBlankingWindows()
{
    glfwSetMonitorCallback(nullptr);
    for (BlankingWindow& blanking : blankingWindows)
        if (blanking.window) {
            glfwDestroyWindow(blanking.window);
            blanking = {};
        }
}
