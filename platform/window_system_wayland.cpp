#include "platform/wayland.h"

#include "base/run_mode.h"
#include "platform/backend_wayland.h"
#include "platform/platform.h"

#include <cstdio>
#include <ctime>

namespace {

// Long enough to cost nothing while the star output is hidden, short enough
// that a stop signal landing just before the wait is seen soon.
constexpr int waitSliceMs = 250;
constexpr int configureWaitMs = 5000;

constexpr int retryMs = 16;

timespec startTime = {};
double lastSwap = -1.0;
bool swapFailed = false;
bool viewSwapFailed = false;
bool presentedEarly = false; // this pass's render frame went out before the other views

bool starsConfigured()
{
    const WaylandOutput* render = waylandRenderOutput();
    return render && render->configured;
}

bool frameDue()
{
    return waylandFrameDue(waylandRenderOutput());
}

// Each star surface runs at its own output's pace: the loop wakes for
// whichever is due first.
bool anyFrameDue()
{
    for (const WaylandOutput& output : wayland.outputs)
        if (waylandFrameDue(&output))
            return true;
    return false;
}

// A key or button, a closed toplevel or a lost compositor: the run ends.
bool closeRequested()
{
    return wayland.closeRequested || wayland.lost;
}

bool frameDueOrEnding()
{
    return anyFrameDue() || closeRequested();
}

void initWindowing()
{
    clock_gettime(CLOCK_MONOTONIC, &startTime);
    waylandConnect();
}

int primaryMonitorSize(int which)
{
    const WaylandOutput* primary = wayland.display ? waylandPrimaryOutput() : nullptr;
    if (!primary || primary->width <= 0 || primary->height <= 0)
        return which == 0 ? 800 : 600;
    return which == 0 ? primary->width : primary->height;
}

bool openRenderWindow(void (*onSize)(int width, int height))
{
    if (!wayland.display || !waylandEglOpen())
        return false;
    wayland.onSize = onSize;
    wayland.everyOutput = starsOnEveryMonitor;
    waylandPlaceStars();
    if (!waylandRenderOutput()) {
        std::fputs("Wayland: no output to show the stars on\n", stderr);
        return false;
    }
    // Every output is covered, whoever started the run: on Wayland no host
    // blanks the others.
    wayland.covering = true;
    for (WaylandOutput& output : wayland.outputs)
        if (output.output && !output.surface)
            waylandCoverOutput(&output, wayland.everyOutput);
    for (int waited = 0; !starsConfigured() && waited < configureWaitMs; waited += waitSliceMs)
        if (!waylandDispatch(waitSliceMs, starsConfigured))
            break;
    if (!starsConfigured()) {
        std::fputs("Wayland: the compositor did not show the window\n", stderr);
        return false;
    }
    contextGlLookup = waylandEglProcAddress;
    return true;
}

void openBlankingWindows()
{
}

void applyWindowState()
{
}

double secondsSinceStart()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - startTime.tv_sec) + (now.tv_nsec - startTime.tv_nsec) * 1e-9;
}

void applyChanges()
{
}

// With the stars on the render window's output alone, the loop only ever
// wakes for its frame.
bool renderFrameDue()
{
    return !wayland.everyOutput || frameDue();
}

void presentRender()
{
    // Only the first pass after the star surface is made can find no frame
    // due; the swap never waits on the compositor.
    if (!frameDue())
        return;
    WaylandOutput* render = waylandRenderOutput();
    waylandRequestFrame(render);
    swapFailed = !waylandEglSwap(render);
    if (swapFailed) {
        // Nothing was committed, so that callback would never come.
        wl_callback_destroy(render->frame);
        render->frame = nullptr;
    }
    lastSwap = secondsSinceStart();
}

// One context draws every view: it shares all state with the render
// window's, so none is new to it.
void drawOtherViews(double time, void (*drawView)(const StarView&, double))
{
    if (!wayland.everyOutput)
        return;
    // No swap waits here: the render window's frame goes out as soon as it is
    // drawn. Sent after the other outputs' drawing, it missed its refresh
    // first whenever the drawing took most of a frame.
    if (frameDue()) {
        presentRender();
        presentedEarly = true;
    }
    const WaylandOutput* render = waylandRenderOutput();
    bool drew = false;
    viewSwapFailed = false;
    for (WaylandOutput& output : wayland.outputs) {
        if (&output == render || !waylandFrameDue(&output))
            continue;
        drew = true;
        if (!waylandEglMakeCurrent(&output)) {
            viewSwapFailed = true;
            continue;
        }
        const int view = static_cast<int>(&output - wayland.outputs);
        drawView({view, output.bufferWidth, output.bufferHeight, output.fresh, false}, time);
        output.fresh = false;
        waylandRequestFrame(&output);
        if (!waylandEglSwap(&output)) {
            wl_callback_destroy(output.frame);
            output.frame = nullptr;
            viewSwapFailed = true;
        }
    }
    if (!drew)
        return;
    waylandEglMakeCurrent(render);
    lastSwap = secondsSinceStart();
}

void swapBuffers()
{
    if (presentedEarly) {
        presentedEarly = false;
        return;
    }
    presentRender();
}

// Returns once a star surface's next frame is due, so no frame is drawn that
// would not be shown: a hidden output never calls back and costs no drawing.
// Input, the compositor's end and stop signals end the wait at once.
void pollEvents()
{
    // A swap that keeps failing is tried again at a display's pace, not in a
    // busy loop.
    if (swapFailed || viewSwapFailed)
        waylandDispatch(retryMs, closeRequested);
    while (waylandDispatch(waitSliceMs, frameDueOrEnding) && !frameDueOrEnding() && !stopRequested()) {
    }
}

// The frame callbacks pace the loop. A frame rate limit below the output's
// (the light picture) makes the next pass wait out the rest of the period
// since the last one that drew on any output, so every output keeps to it,
// with input and signals still handled at once.
void keepFrameRateLimit()
{
    const int limit = frameRateLimit();
    if (limit <= 0 || lastSwap < 0.0)
        return;
    for (;;) {
        const int left = static_cast<int>((lastSwap + 1.0 / limit - secondsSinceStart()) * 1000.0);
        if (left <= 0 || closeRequested() || stopRequested())
            return;
        waylandDispatch(left, nullptr);
    }
}

void closeWindows()
{
    for (WaylandOutput& output : wayland.outputs)
        waylandUncoverOutput(&output);
    waylandDropRetired();
}

void endWindowing()
{
    closeWindows();
    contextGlLookup = nullptr;
    waylandEglClose();
    waylandDisconnect();
}

} // namespace

const WindowSystem waylandWindowSystem = {
    "wayland",
    initWindowing,
    primaryMonitorSize,
    openRenderWindow,
    openBlankingWindows,
    applyWindowState,
    secondsSinceStart,
    applyChanges,
    renderFrameDue,
    drawOtherViews,
    swapBuffers,
    pollEvents,
    closeRequested,
    closeWindows,
    endWindowing,
    keepFrameRateLimit,
};
