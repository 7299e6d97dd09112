#include "platform/platform.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdint>
#include <ctime>

// Where the swap does not wait for the display (Xvfb, software GL without
// vertical sync, some remote displays) the loop would take every core it can
// get. Motion is scaled by the measured frame time, so sleeping out the rest
// of a refresh period leaves the picture as it was.

namespace {

constexpr std::int64_t nanosPerSecond = 1000000000;

std::int64_t periodNanos = 0;
std::int64_t shortestPeriodNanos = 0;
int limitPerSecond = 0;
std::int64_t lastPassEnd = 0;

std::int64_t monotonicNanos()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * nanosPerSecond + now.tv_nsec;
}

std::int64_t refreshPeriodNanos()
{
    int rate = 0;
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor())
        if (const GLFWvidmode* mode = glfwGetVideoMode(monitor))
            rate = mode->refreshRate;
    if (rate <= 0 || rate > 1000)
        rate = 60;
    return nanosPerSecond / rate;
}

} // namespace

void limitFrameRate(int framesPerSecond)
{
    limitPerSecond = framesPerSecond;
    shortestPeriodNanos = nanosPerSecond / framesPerSecond;
}

int frameRateLimit()
{
    return limitPerSecond;
}

void paceFrame()
{
    if (periodNanos == 0)
        periodNanos = std::max(refreshPeriodNanos(), shortestPeriodNanos);
    std::int64_t now = monotonicNanos();
    // "Well before": a swap that waits for the retrace ends each pass about
    // one period after the last, and such a loop is never slept. A limit
    // below the display's rate is kept to the full period.
    const bool limited = periodNanos == shortestPeriodNanos;
    if (lastPassEnd != 0 && now - lastPassEnd < (limited ? periodNanos : periodNanos * 3 / 4)) {
        const std::int64_t wake = lastPassEnd + periodNanos;
        const timespec until = {static_cast<std::time_t>(wake / nanosPerSecond),
                                static_cast<long>(wake % nanosPerSecond)};
        // A stop signal cuts the sleep short; the loop then ends.
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        now = monotonicNanos();
    }
    lastPassEnd = now;
}
