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
    bool stars;        // a full-screen window with a context, drawn each frame
    int width, height; // a star window's framebuffer
    bool newMonitor, newContext;
};

// A fixed table: monitors come and go only through events, and nothing here
// allocates per frame. A star window's place in it is its view.
BlankingWindow blankingWindows[maxStarViews] = {};

BlankingWindow* entryOf(GLFWwindow* window)
{
    for (BlankingWindow& blanking : blankingWindows)
        if (blanking.window == window)
            return &blanking;
    return nullptr;
}

void onStarWindowSize(GLFWwindow* window, int width, int height)
{
    if (BlankingWindow* blanking = entryOf(window)) {
        blanking->width = width;
        blanking->height = height;
    }
}

void forget(BlankingWindow& blanking)
{
    glfwDestroyWindow(blanking.window);
    blanking = {};
}

// Full screen at the monitor's current mode, sharing the render window's
// objects. It neither takes the focus nor iconifies for losing it, so no
// window of the saver ever hides another.
GLFWwindow* openStarWindow(GLFWmonitor* monitor, const GLFWvidmode* mode)
{
    glfwDefaultWindowHints();
    hintRenderContext();
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    GLFWwindow* window = glfwCreateWindow(mode->width, mode->height, renderSettings.title, monitor, renderWindow);
    glfwDefaultWindowHints();
    return window;
}

GLFWwindow* openBlackWindow(const GLFWvidmode* mode)
{
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
    return window;
}

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

    const bool stars = starsOnEveryMonitor;
    GLFWwindow* window = stars ? openStarWindow(monitor, mode) : openBlackWindow(mode);
    if (!window)
        return; // GLFW has reported why; the saver itself runs on

    *slot = {monitor, window, stars, 0, 0, true, true};
    if (stars)
        giveBackIdleTimers();
    glfwSetKeyCallback(window, quitOnInput);
    glfwSetMouseButtonCallback(window, quitOnInput);
    glfwSetCursorPosCallback(window, ignoreInput);
    glfwSetScrollCallback(window, ignoreInput);
    if (!renderSettings.showCursor)
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    if (renderSettings.windowIcon)
        setWindowIcon(window);
    if (stars) {
        glfwGetFramebufferSize(window, &slot->width, &slot->height);
        glfwSetFramebufferSizeCallback(window, onStarWindowSize);
    } else {
        fitToMonitor(*slot);
        showBlackWindow(window);
    }
}

void onMonitorEvent(GLFWmonitor* monitor, int event)
{
    if (event == GLFW_DISCONNECTED) {
        for (BlankingWindow& blanking : blankingWindows)
            if (blanking.monitor == monitor)
                forget(blanking);
    } else {
        coverMonitor(monitor);
    }
    // A monitor coming or going may move the others on the desktop; a
    // full-screen window follows its monitor by itself.
    for (const BlankingWindow& blanking : blankingWindows)
        if (blanking.window && !blanking.stars)
            fitToMonitor(blanking);
}

} // namespace

void openBlankingWindows()
{
    if (!(blankOtherMonitors || starsOnEveryMonitor) || runMode == Preview || !renderWindow ||
        !glfwGetWindowMonitor(renderWindow))
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
        if (blanking.window)
            forget(blanking);
}

void drawOtherMonitors(double time, void (*drawView)(const StarView& view, double time))
{
    if (!starsOnEveryMonitor)
        return;
    bool drew = false;
    for (BlankingWindow& blanking : blankingWindows) {
        if (!blanking.stars || blanking.width <= 0 || blanking.height <= 0)
            continue;
        glfwMakeContextCurrent(blanking.window);
        // One wait for the display per frame, the render window's: N windows
        // that each waited would each get 1/N of the refresh.
        if (blanking.newContext)
            glfwSwapInterval(0);
        const int view = static_cast<int>(&blanking - blankingWindows);
        drawView({view, blanking.width, blanking.height, blanking.newMonitor, blanking.newContext}, time);
        blanking.newMonitor = blanking.newContext = false;
        glfwSwapBuffers(blanking.window);
        drew = true;
    }
    if (drew)
        glfwMakeContextCurrent(renderWindow);
}
