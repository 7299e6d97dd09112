#include "platform/wayland.h"

#include "base/run_mode.h"
#include "platform/backend_wayland.h"
#include "platform/platform.h"

#include <cstdio>

namespace {

// Long enough to cost nothing while the star output is hidden, short enough
// that a stop signal landing just before the wait is seen soon.
constexpr int waitSliceMs = 250;
constexpr int configureWaitMs = 5000;

// A surface whose draw failed is tried again at a display's pace, not in a
// busy loop.
constexpr int retryMs = 16;

double lastSwap = -1.0;

// A key or button, a closed toplevel, nothing left to draw on, or a lost
// compositor: the run ends.
bool closeRequested()
{
    return wayland.closeRequested || wayland.lost;
}

bool changedOrEnding()
{
    return wayland.changed || closeRequested();
}

// Each star surface runs at its own output's pace: the loop wakes for
// whichever may draw first, and for whatever the listeners recorded.
bool passDue()
{
    if (changedOrEnding())
        return true;
    for (const WaylandOutput& output : wayland.outputs)
        if (waylandMayDraw(&output))
            return true;
    return false;
}

bool anyFailing()
{
    for (const WaylandOutput& output : wayland.outputs)
        if (output.failingSince >= 0.0)
            return true;
    return false;
}

void initWindowing()
{
    waylandConnect();
}

int primaryMonitorSize(int which)
{
    const WaylandOutput* primary = wayland.display ? waylandPrimaryOutput() : nullptr;
    if (!primary || primary->width <= 0 || primary->height <= 0)
        return which == 0 ? 800 : 600;
    return which == 0 ? primary->width : primary->height;
}

// Every output is covered, whoever started the run (on Wayland no host
// blanks the others), by the same step that runs between frames; here it
// runs between dispatches until the stars' surface can draw.
bool openRenderWindow(void (*onSize)(int width, int height))
{
    if (!wayland.display || !waylandEglOpen())
        return false;
    wayland.onSize = onSize;
    wayland.everyOutput = starsOnEveryMonitor;
    wayland.covering = true;
    waylandApplyChanges();
    if (!waylandRenderOutput()) {
        std::fputs("Wayland: no output to show the stars on\n", stderr);
        return false;
    }
    const double deadline = waylandSeconds() + configureWaitMs / 1000.0;
    while (!waylandMayDraw(waylandRenderOutput()) && !closeRequested() && waylandSeconds() < deadline) {
        const int slice = anyFailing() ? retryMs : waitSliceMs;
        if (!waylandDispatch(slice, changedOrEnding))
            break;
        waylandApplyChanges();
    }
    if (!waylandMayDraw(waylandRenderOutput())) {
        if (!closeRequested())
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

double seconds()
{
    return waylandSeconds();
}

void applyChanges()
{
    waylandApplyChanges();
}

bool renderFrameDue()
{
    return waylandMayDraw(waylandRenderOutput());
}

// The render window's frame, drawn this pass, goes out here, the one path
// for it: first thing in drawOtherViews, so it is not held back by the other
// outputs' drawing (sent after it, it missed its refresh whenever that took
// most of a frame). Once sent, its stage says so and a second call sends
// nothing; swaps never wait on the compositor.
void presentRender()
{
    WaylandOutput* render = waylandRenderOutput();
    if (!waylandMayDraw(render))
        return;
    // Where the context could not be made current on it again after the other
    // views, the frame went elsewhere: a failure, not a frame. Costs nothing
    // where it stayed current.
    if (!waylandEglMakeCurrent(render)) {
        waylandCountFailure(render);
        return;
    }
    waylandPresent(render);
    lastSwap = waylandSeconds();
}

// One context draws every view: it shares all state with the render
// window's, so none is new to it.
void drawOtherViews(double time, void (*drawView)(const StarView&, double))
{
    presentRender();
    if (!wayland.everyOutput)
        return;
    WaylandOutput* render = waylandRenderOutput();
    bool drew = false;
    for (WaylandOutput& output : wayland.outputs) {
        if (&output == render || !waylandMayDraw(&output))
            continue;
        drew = true;
        if (!waylandEglMakeCurrent(&output)) {
            waylandCountFailure(&output);
            continue;
        }
        const int view = static_cast<int>(&output - wayland.outputs);
        const bool fresh = output.stage == OutputStage::Fresh;
        drawView({view, output.bufferWidth, output.bufferHeight, fresh, false}, time);
        waylandPresent(&output);
    }
    if (!drew)
        return;
    if (render && !waylandEglMakeCurrent(render))
        waylandCountFailure(render);
    lastSwap = waylandSeconds();
}

void swapBuffers()
{
    presentRender();
}

// Returns once a star surface's next frame may be drawn, or something the
// listeners recorded is to be applied, so no frame is drawn that would not
// be shown: a hidden output never calls back and costs no drawing. Input,
// the compositor's end and stop signals end the wait at once; the wait
// slices let the loop see its stop flag and stars that get no frames.
void pollEvents()
{
    if (anyFailing())
        waylandDispatch(retryMs, changedOrEnding);
    while (waylandDispatch(waitSliceMs, passDue) && !passDue() && !stopRequested()) {
        waylandApplyChanges();
        if (closeRequested())
            return;
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
        const int left = static_cast<int>((lastSwap + 1.0 / limit - waylandSeconds()) * 1000.0);
        if (left <= 0 || closeRequested() || stopRequested())
            return;
        waylandDispatch(left, nullptr);
    }
}

void closeWindows()
{
    for (WaylandOutput& output : wayland.outputs)
        waylandUncoverOutput(&output);
    for (int slot = 0; slot < maxStarViews; ++slot)
        waylandDropRetired(slot);
    wayland.covering = false;
}

void endWindowing()
{
    closeWindows();
    contextGlLookup = nullptr;
    waylandEglClose();
    waylandDisconnect();
}

// A GPU reset: the old toplevels stay, black, until the new context's
// surfaces have shown.
void keepWindowsThroughReset()
{
    waylandRetireAll();
}

} // namespace

const WindowSystem waylandWindowSystem = {
    "wayland",
    initWindowing,
    primaryMonitorSize,
    openRenderWindow,
    openBlankingWindows,
    applyWindowState,
    seconds,
    applyChanges,
    renderFrameDue,
    drawOtherViews,
    swapBuffers,
    pollEvents,
    closeRequested,
    closeWindows,
    endWindowing,
    keepFrameRateLimit,
    keepWindowsThroughReset,
};
