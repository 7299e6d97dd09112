#include "app/run_modes.h"

#include "about/about_window.h"
#include "app/render_settings.h"
#include "app/saver_run.h"

#include <GLFW/glfw3.h>

#include <cstdint>
#include <cstring>

RunMode runMode = Plain;
NativeWindow hostWindow = 0;

std::int32_t readClampedNumber(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit)
            value = limit; // keep scanning the digits, the value stays clamped
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

CommandLine parseCommandLine(const char* text, bool forceConfig)
{
    CommandLine result = {Plain, 0};
    for (const char* p = text; *p; ++p) {
        if (*p != '/')
            continue;
        switch (p[1]) {
        case 'p': result.mode = Preview; break;
        case 's': result.mode = Saver; break;
        case 'c': result.mode = Config; break;
        default: break;
        }
        if (result.mode != Plain)
            result.number = (p[1] && p[2]) ? readClampedNumber(p + 3) : 0;
    }
    if (forceConfig)
        result.mode = Config;
    return result;
}

int quillomarMain(const char* commandLine, void* instance, int showCommand)
{
    const CommandLine parsed = parseCommandLine(commandLine, renderSettings.forceConfig);
    return startRun(parsed.mode, nativeWindowFromNumber(parsed.number), false, instance, showCommand);
}

int startRun(RunMode mode, NativeWindow host, bool hostStarted, void* instance, int showCommand)
{
    runMode = mode;
    hostWindow = host;

    if (!hostStarted && (runMode == Preview || runMode == Plain) && !isFirstInstance())
        return 0;
    if (runMode == Config) {
        new AboutWindow(instance, showCommand); // lives until the process ends
        return 0;
    }
    runSaver();
    return 0;
}

void storeWindowGeometry(int width, int height)
{
    renderSettings.width = width;
    renderSettings.height = height;
    if (height != 0)
        renderSettings.aspectRatio = static_cast<float>(width) / static_cast<float>(height);
    else if (!(renderSettings.aspectRatio > 0.0f))
        renderSettings.aspectRatio = 1.0f;
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

void computeWindowSize()
{
    std::strncpy(renderSettings.title, "Quillomar Screensaver", sizeof renderSettings.title - 1);
    renderSettings.title[sizeof renderSettings.title - 1] = '\0';

    int width = 800;
    int height = 600;
    if (runMode == Preview) {
        // A handle that names no window keeps the fallback size; adopting it
        // fails a moment later anyway.
        int w = 0, h = 0;
        if (getHostClientSize(hostWindow, &w, &h)) {
            width = w;
            height = h;
        }
    } else if (renderSettings.useMonitor && windowsVersionNumber() >= 60) {
        width = primaryMonitorSize(0);
        height = primaryMonitorSize(1);
    }
    storeWindowGeometry(width, height);
}
