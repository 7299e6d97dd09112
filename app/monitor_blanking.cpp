#include "app/monitor_blanking.h"

#include "app/glfw_window.h"
#include "app/window_icon.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "platform/glfw_native.h"

#include <GLFW/glfw3.h>

namespace {

// Where a window was last fitted: its monitor's place and mode.
struct Area {
    int x, y, width, height, refreshRate;
};

struct BlankingWindow {
    // Null once the monitor has gone: GLFW frees it as its callback returns.
    GLFWmonitor* monitor;
    // Null where none could be had: the monitor keeps its slot until it goes,
    // so nothing is tried again every pass.
    GLFWwindow* window;
    bool stars;        // a full-screen window with a context, drawn each frame
    int width, height; // a star window's framebuffer
    bool newMonitor, newContext;
    // The render window has moved onto its monitor: it goes once the stars
    // have been drawn there, so the desktop never shows in between.
    bool retiring;
    Area fitted;
};

// A fixed table: monitors come and go only through events, and nothing here
// allocates per frame. A star window's place in it is its view.
BlankingWindow blankingWindows[maxStarViews] = {};

// What the monitor callback recorded for the next pass; GLFW forbids making
// and destroying windows inside its callbacks.
GLFWmonitor* renderMonitor = nullptr; // null once it has gone
Area renderArea = {};
bool monitorsChanged = false;
bool windowsRetiring = false;
// A layout change arrives as several RandR events, and the monitors that stay
// may move after the one that went: for a while after a change, every pass
// checks that each window still sits on its monitor.
constexpr int settlingPasses = 60;
int passesToSettle = 0;

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
    if (blanking.window)
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
    if (window) {
        giveBackIdleTimers();
        paintBackgroundBlack(window);
    }
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

bool areaOf(GLFWmonitor* monitor, Area* area)
{
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!mode)
        return false;
    *area = {0, 0, mode->width, mode->height, mode->refreshRate};
    glfwGetMonitorPos(monitor, &area->x, &area->y);
    return true;
}

// Lays the window over its monitor unless it already is: a full-screen
// window at the monitor's mode, a black one as an ordinary window.
void fitToMonitor(GLFWwindow* window, GLFWmonitor* monitor, bool fullScreen, Area& fitted)
{
    Area now;
    if (!areaOf(monitor, &now))
        return;
    if (now.x == fitted.x && now.y == fitted.y && now.width == fitted.width && now.height == fitted.height &&
        now.refreshRate == fitted.refreshRate)
        return;
    fitted = now;
    if (fullScreen) {
        glfwSetWindowMonitor(window, monitor, 0, 0, now.width, now.height, now.refreshRate);
        giveBackIdleTimers();
    } else {
        glfwSetWindowPos(window, now.x, now.y);
        glfwSetWindowSize(window, now.width, now.height);
    }
}

void fitAll()
{
    if (renderMonitor)
        fitToMonitor(renderWindow, renderMonitor, true, renderArea);
    for (BlankingWindow& blanking : blankingWindows)
        if (blanking.monitor && blanking.window)
            fitToMonitor(blanking.window, blanking.monitor, blanking.stars, blanking.fitted);
}

void coverMonitor(GLFWmonitor* monitor)
{
    if (monitor == renderMonitor)
        return;
    BlankingWindow* slot = nullptr;
    for (BlankingWindow& blanking : blankingWindows) {
        if (blanking.monitor == monitor)
            return;
        if (!slot && !blanking.monitor && !blanking.window)
            slot = &blanking;
    }
    if (!slot)
        return;
    *slot = {monitor, nullptr, false, 0, 0, true, true, false, {}};
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!mode)
        return;

    // A monitor whose stars cannot be had is covered black instead.
    GLFWwindow* window = starsOnEveryMonitor ? openStarWindow(monitor, mode) : nullptr;
    const bool stars = window != nullptr;
    if (!window)
        window = openBlackWindow(mode);
    if (!window)
        return; // GLFW has reported why; the saver itself runs on

    slot->window = window;
    slot->stars = stars;
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
        areaOf(monitor, &slot->fitted);
    } else {
        fitToMonitor(window, monitor, false, slot->fitted);
        showBlackWindow(window);
    }
}

// The stars go to the primary monitor (GLFW lists it first), full screen at
// its mode, under the window that covers it until they have been drawn there.
void moveStars()
{
    GLFWmonitor* target = glfwGetPrimaryMonitor();
    if (!target)
        return; // none left: the first to come takes them
    renderArea = {};
    fitToMonitor(renderWindow, target, true, renderArea);
    if (glfwGetWindowMonitor(renderWindow) != target)
        return;
    renderMonitor = target;
    for (BlankingWindow& blanking : blankingWindows)
        if (blanking.monitor == target) {
            blanking.monitor = nullptr;
            blanking.retiring = true;
            windowsRetiring = true;
        }
}

void onMonitorEvent(GLFWmonitor* monitor, int event)
{
    if (event == GLFW_DISCONNECTED) {
        if (monitor == renderMonitor)
            renderMonitor = nullptr;
        for (BlankingWindow& blanking : blankingWindows)
            if (blanking.monitor == monitor)
                blanking.monitor = nullptr;
    }
    monitorsChanged = true;
}

} // namespace

void openBlankingWindows()
{
    if (runMode == Preview || !renderWindow || !glfwGetWindowMonitor(renderWindow))
        return;
    renderMonitor = glfwGetWindowMonitor(renderWindow);
    paintBackgroundBlack(renderWindow);
    openBackdrop(renderWindow);
    areaOf(renderMonitor, &renderArea);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i)
        coverMonitor(monitors[i]);
    glfwSetMonitorCallback(onMonitorEvent);
}

void applyMonitorChanges()
{
    // Retired in an earlier pass, so the stars have been drawn over it since.
    if (windowsRetiring)
        for (BlankingWindow& blanking : blankingWindows)
            if (blanking.retiring)
                forget(blanking);
    windowsRetiring = false;
    if (monitorsChanged)
        passesToSettle = settlingPasses;
    if (passesToSettle == 0)
        return;
    --passesToSettle;
    if (!monitorsChanged) {
        fitAll();
        return;
    }
    monitorsChanged = false;
    for (BlankingWindow& blanking : blankingWindows)
        if (!blanking.monitor && blanking.window && !blanking.retiring)
            forget(blanking);
    if (!renderMonitor)
        moveStars();
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i)
        coverMonitor(monitors[i]);
    // A monitor coming or going may move the others on the desktop.
    fitAll();
}

void releaseBlankingWindows()
{
    glfwSetMonitorCallback(nullptr);
    for (BlankingWindow& blanking : blankingWindows)
        forget(blanking);
    closeBackdrop();
    renderMonitor = nullptr;
    monitorsChanged = windowsRetiring = false;
    passesToSettle = 0;
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
