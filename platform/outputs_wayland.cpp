#include "platform/backend_wayland.h"

#include <cstdio>

namespace {

// A locker that announces nothing (swaylock, hyprlock) covers the saver, and
// the compositor then calls none of its star surfaces back: after this long
// without one the run ends, rather than draw unseen under the lock and
// outlive it.
constexpr double starsStalledSeconds = 3.0;

bool allowed(OutputStage from, OutputStage to)
{
    switch (to) {
    case OutputStage::Empty:
    case OutputStage::Announced:
        return true;
    case OutputStage::Mapping:
        return from == OutputStage::Announced;
    case OutputStage::Fresh:
        return from == OutputStage::Mapping;
    case OutputStage::Presented:
        return from == OutputStage::Mapping || from == OutputStage::Fresh || from == OutputStage::Ready;
    case OutputStage::Ready:
        return from == OutputStage::Presented;
    case OutputStage::Failed:
        return from != OutputStage::Empty && from != OutputStage::Announced;
    }
    return false;
}

// Covered black for good; its stars, if it had the render window's, go to
// another output at this same step.
void giveUp(WaylandOutput* output)
{
    std::fputs("Wayland: an output kept failing to draw; it stays black\n", stderr);
    if (output->frame) {
        wl_callback_destroy(output->frame);
        output->frame = nullptr;
    }
    waylandEglDetach(output);
    output->render = false;
    output->stars = false;
    output->failingSince = -1.0;
    waylandShowBlack(output);
    waylandEnterStage(output, OutputStage::Failed);
}

void applyConfigure(WaylandOutput* output)
{
    output->configurePending = false;
    xdg_surface_ack_configure(output->xdgSurface, output->configureSerial);
    const int width = output->surfaceWidth;
    const int height = output->surfaceHeight;
    waylandConfigureSize(output);
    const bool first = output->stage == OutputStage::Mapping && width == 0;
    if (!first && width == output->surfaceWidth && height == output->surfaceHeight)
        return;
    if (output->stars) {
        if (output->eglSurface)
            waylandSizeStars(output);
        return; // the star surface is made below
    }
    waylandShowBlack(output);
    if (output->stage == OutputStage::Mapping || output->stage == OutputStage::Ready)
        waylandEnterStage(output, OutputStage::Presented);
}

void applyOutput(WaylandOutput* output, double now)
{
    if (output->frameDone) {
        output->frameDone = false;
        if (output->frame) {
            wl_callback_destroy(output->frame);
            output->frame = nullptr;
        }
        if (output->stage == OutputStage::Presented) {
            waylandEnterStage(output, OutputStage::Ready);
            if (output->stars)
                wayland.lastStarFrame = now;
        }
        // Its surface shows: the window it replaced can go.
        waylandDropRetired(static_cast<int>(output - wayland.outputs));
    }
    if (output->configurePending)
        applyConfigure(output);
    if (output->resized) {
        output->resized = false;
        if (output->eglSurface)
            waylandSizeStars(output);
    }
    if (output->stage == OutputStage::Mapping && output->stars && output->surfaceWidth > 0) {
        if (waylandAttachStars(output)) {
            output->failingSince = -1.0;
            waylandEnterStage(output, OutputStage::Fresh);
        } else {
            waylandCountFailure(output);
        }
    }
    if (output->failingSince >= 0.0 && now - output->failingSince >= failingGiveUpSeconds)
        giveUp(output);
}

} // namespace

void waylandEnterStage(WaylandOutput* output, OutputStage stage)
{
    if (!allowed(output->stage, stage))
        std::fprintf(stderr, "Wayland: an output went from stage %d to %d\n", static_cast<int>(output->stage),
                     static_cast<int>(stage));
    output->stage = stage;
}

bool waylandMayDraw(const WaylandOutput* output)
{
    return output && output->stars && output->eglSurface &&
           (output->stage == OutputStage::Fresh || output->stage == OutputStage::Ready);
}

void waylandApplyChanges()
{
    if (!wayland.display)
        return;
    waylandOutsideListeners("the recorded changes applied");
    const double now = waylandSeconds();
    wayland.changed = false;
    bool unplugged = false;
    for (WaylandOutput& output : wayland.outputs)
        if (output.gone) {
            waylandDropOutput(&output);
            unplugged = true;
        }
    // sway moves an unplugged output's workspace to another output and may
    // show it there over the one that holds our toplevel, leaving that output
    // to the desktop: every toplevel is made anew, where it is seen, the old
    // ones kept black until the new ones show.
    if (unplugged && wayland.covering)
        waylandRetireAll();
    for (WaylandOutput& output : wayland.outputs)
        if (output.stage != OutputStage::Empty)
            applyOutput(&output, now);
    if (wayland.covering) {
        // After the stars' output went or gave up, the next that can draw
        // takes them; with none left the run ends in order.
        if (!waylandPlaceStars())
            wayland.closeRequested = true;
        for (WaylandOutput& output : wayland.outputs)
            if (output.stage == OutputStage::Announced)
                waylandCoverOutput(&output, wayland.everyOutput);
    }
    // A star surface made above took the context; the loop draws on the
    // render window's between the views.
    if (const WaylandOutput* render = waylandRenderOutput())
        if (render->eglSurface && !waylandEglMakeCurrent(render))
            waylandCountFailure(waylandRenderOutput());
    if (wayland.lastStarFrame >= 0.0 && now - wayland.lastStarFrame > starsStalledSeconds)
        wayland.closeRequested = true;
}

void waylandPresent(WaylandOutput* output)
{
    waylandRequestFrame(output);
    if (!waylandEglSwap(output)) {
        // Nothing was committed, so that callback would never come.
        wl_callback_destroy(output->frame);
        output->frame = nullptr;
        waylandCountFailure(output);
        return;
    }
    output->failingSince = -1.0;
    // Counted from the request too: a frame that took long to draw is no
    // sign of a lock.
    wayland.lastStarFrame = waylandSeconds();
    waylandEnterStage(output, OutputStage::Presented);
}

void waylandCountFailure(WaylandOutput* output)
{
    if (output->failingSince < 0.0)
        output->failingSince = waylandSeconds();
}

void waylandRetireAll()
{
    for (WaylandOutput& output : wayland.outputs)
        if (output.surface)
            waylandRetire(&output);
    // The new context's stars have not asked for a frame yet.
    wayland.lastStarFrame = -1.0;
}
