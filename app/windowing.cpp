#include "app/windowing.h"

#include "app/glfw_window.h"
#include "app/monitor_blanking.h"
#include "app/window_icon.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "platform/glfw_native.h"
#include "platform/platform.h"

#include <GLFW/glfw3.h>

namespace {

// A full-screen window restored from iconified has taken the idle timers again.
bool idleTimersTaken = false;

void onIconify(GLFWwindow*, int iconified)
{
    if (!iconified)
        idleTimersTaken = true;
}

void glfwStartWindowing()
{
    glfwSetErrorCallback(showWindowingError);
    if (!glfwInit())
        showMessageBox("Failed to initialize GLFW", "Debug", MessageIcon::Information);
    else
        rememberIdleTimers();
}

// GLFW hands size changes to onWindowSize, which stores them as onSize does.
bool glfwOpenRenderWindow(void (*)(int, int))
{
    hintRenderContext();
    if (runMode == Preview) {
        renderWindow = adoptNativeWindow(hostWindow, nullptr);
    } else {
        GLFWmonitor* monitor = renderSettings.useMonitor ? glfwGetPrimaryMonitor() : nullptr;
        // The other monitors' full-screen windows take the focus in turn;
        // none may iconify for losing it.
        if (starsOnEveryMonitor)
            glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
        renderWindow =
            glfwCreateWindow(renderSettings.width, renderSettings.height, renderSettings.title, monitor, nullptr);
    }
    if (!renderWindow)
        return false;

    glfwSetWindowSizeCallback(renderWindow, onWindowSize);
    glfwSetKeyCallback(renderWindow, quitOnInput);
    glfwSetMouseButtonCallback(renderWindow, quitOnInput);
    glfwSetCursorPosCallback(renderWindow, ignoreInput);
    glfwSetScrollCallback(renderWindow, ignoreInput);
    glfwSetWindowIconifyCallback(renderWindow, onIconify);
    giveBackIdleTimers();
    glfwMakeContextCurrent(renderWindow);
    if (renderSettings.windowIcon)
        setWindowIcon(renderWindow);
    return true;
}

// The swap waits for the display instead.
bool renderFrameAlwaysDue()
{
    return true;
}

void glfwApplyWindowState()
{
    glfwSwapInterval(renderSettings.swapInterval ? 1 : 0);
    if (!renderSettings.showCursor)
        glfwSetInputMode(renderWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void glfwApplyChanges()
{
    applyMonitorChanges();
    if (idleTimersTaken)
        giveBackIdleTimers();
    idleTimersTaken = false;
}

void glfwSwapRenderWindow()
{
    glfwSwapBuffers(renderWindow);
}

bool glfwCloseRequested()
{
    return glfwGetKey(renderWindow, GLFW_KEY_ESCAPE) != GLFW_RELEASE || glfwWindowShouldClose(renderWindow) == 1;
}

void glfwCloseWindows()
{
    releaseBlankingWindows();
    glfwDestroyWindow(renderWindow);
    renderWindow = nullptr;
}

} // namespace

const WindowSystem glfwWindowSystem = {
    "GLFW",
    glfwStartWindowing,
    primaryMonitorSize,
    glfwOpenRenderWindow,
    openBlankingWindows,
    glfwApplyWindowState,
    glfwGetTime,
    glfwApplyChanges,
    renderFrameAlwaysDue,
    drawOtherMonitors,
    glfwSwapRenderWindow,
    glfwPollEvents,
    glfwCloseRequested,
    glfwCloseWindows,
    glfwTerminate,
    paceFrame,
};

const WindowSystem* windowSystem = &glfwWindowSystem;
