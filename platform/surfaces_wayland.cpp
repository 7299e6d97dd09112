#include "platform/backend_wayland.h"

#include "base/render_settings.h"

#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#include <utility>
#include <unistd.h>

namespace {

// One black pixel, shared by every black output and scaled to its size by
// the viewporter: drawn once, nothing to do per frame.
wl_buffer* blackPixelBuffer()
{
    if (wayland.blackBuffer)
        return wayland.blackBuffer;
    const int fd = memfd_create("quillomar-black", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    const std::uint32_t black = 0xff000000u;
    if (write(fd, &black, sizeof black) == static_cast<ssize_t>(sizeof black)) {
        wl_shm_pool* pool = wl_shm_create_pool(wayland.shm, fd, sizeof black);
        wayland.blackBuffer = wl_shm_pool_create_buffer(pool, 0, 1, 1, 4, WL_SHM_FORMAT_XRGB8888);
        wl_shm_pool_destroy(pool);
    }
    close(fd);
    return wayland.blackBuffer;
}

void sizeFor(const WaylandOutput* output, int* width, int* height)
{
    *width = output->pendingWidth;
    *height = output->pendingHeight;
    if (*width > 0 && *height > 0)
        return;
    // The compositor left the size to us: the output's logical one. mutter
    // reports that in the output's own pixels at an integer scale.
    const int scale = output->scale > 1 ? output->scale : 1;
    const bool physical = output->width == output->modeWidth && output->height == output->modeHeight;
    *width = output->width > 0 ? output->width / (physical ? scale : 1) : 800;
    *height = output->height > 0 ? output->height / (physical ? scale : 1) : 600;
}

// The stars' pixels for a surface of the logical size: the compositor's
// preferred scale where it says one (fractional ones included), else the
// output's integer scale where its mode is that many times the surface, else
// the mode itself shown at the logical size (a fractional scale the
// compositor only rounds). The integer path gives the buffer scale to set.
int starBufferSize(const WaylandOutput* output, int* width, int* height)
{
    const int w = output->surfaceWidth;
    const int h = output->surfaceHeight;
    if (output->viewport && output->scale120 > 0) {
        *width = (w * output->scale120 + 60) / 120;
        *height = (h * output->scale120 + 60) / 120;
        return 1;
    }
    int modeWidth = output->modeWidth;
    int modeHeight = output->modeHeight;
    if ((modeWidth > modeHeight) != (w > h)) // a rotated output
        std::swap(modeWidth, modeHeight);
    const int scale = output->scale > 1 ? output->scale : 1;
    if (scale > 1 && (modeWidth <= 0 || (modeWidth == w * scale && modeHeight == h * scale))) {
        *width = w * scale;
        *height = h * scale;
        return scale;
    }
    // The mode covers the whole output; the surface may cover less of it.
    const int outputWidth = output->positioned && output->width > 0 ? output->width : w;
    const int outputHeight = output->positioned && output->height > 0 ? output->height : h;
    const bool scaled = modeWidth > 0 && (modeWidth != outputWidth || modeHeight != outputHeight);
    *width = output->viewport && scaled ? (w * modeWidth + outputWidth / 2) / outputWidth : w;
    *height = output->viewport && scaled ? (h * modeHeight + outputHeight / 2) / outputHeight : h;
    return 1;
}

// The one black pixel over the whole surface, for the next commit.
void paintBlack(WaylandOutput* output)
{
    if (output->viewport)
        wp_viewport_set_destination(output->viewport, output->surfaceWidth, output->surfaceHeight);
    wl_surface_set_buffer_scale(output->surface, 1);
    if (wl_buffer* black = blackPixelBuffer()) {
        wl_surface_attach(output->surface, black, 0, 0);
        wl_surface_damage(output->surface, 0, 0, output->surfaceWidth, output->surfaceHeight);
    }
}

// Listeners record; the step between frames applies.

void onSurfaceConfigure(void* data, xdg_surface*, uint32_t serial)
{
    auto* output = static_cast<WaylandOutput*>(data);
    if (!output)
        return; // a retired window: it keeps the size it has
    output->configureSerial = serial;
    output->configurePending = true;
    wayland.changed = true;
}

const xdg_surface_listener surfaceListener = {onSurfaceConfigure};

void onToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*)
{
    auto* output = static_cast<WaylandOutput*>(data);
    if (!output)
        return;
    output->pendingWidth = width;
    output->pendingHeight = height;
}

void onToplevelClose(void* data, xdg_toplevel*)
{
    if (data)
        wayland.closeRequested = true;
}

// xdg_wm_base is bound at version 2: the later events never come.
const xdg_toplevel_listener toplevelListener = {onToplevelConfigure, onToplevelClose, nullptr, nullptr};

void onFrameDone(void* data, wl_callback*, uint32_t)
{
    static_cast<WaylandOutput*>(data)->frameDone = true;
    wayland.changed = true;
}

const wl_callback_listener frameListener = {onFrameDone};

void onPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale)
{
    auto* output = static_cast<WaylandOutput*>(data);
    output->scale120 = static_cast<int>(scale);
    output->resized = true;
    wayland.changed = true;
}

const wp_fractional_scale_v1_listener fractionalListener = {onPreferredScale};

void destroyWindow(const WaylandWindow& window)
{
    if (window.viewport)
        wp_viewport_destroy(window.viewport);
    xdg_toplevel_destroy(window.toplevel);
    xdg_surface_destroy(window.xdgSurface);
    wl_surface_destroy(window.surface);
}

// Takes the output's stars and toplevel away and hands the toplevel's
// objects back, to be destroyed or kept; painted black first where anything
// showed, for a toplevel that is kept.
WaylandWindow takeWindow(WaylandOutput* output, bool black)
{
    waylandOutsideListeners("a toplevel taken");
    if (output->frame)
        wl_callback_destroy(output->frame);
    waylandEglDetach(output);
    if (output->fractional)
        wp_fractional_scale_v1_destroy(output->fractional);
    if (black && output->surfaceWidth > 0) {
        paintBlack(output);
        wl_surface_commit(output->surface);
    }
    const WaylandWindow window = {output->surface, output->xdgSurface, output->toplevel, output->viewport,
                                  static_cast<int>(output - wayland.outputs)};
    output->surface = nullptr;
    output->xdgSurface = nullptr;
    output->toplevel = nullptr;
    output->viewport = nullptr;
    output->fractional = nullptr;
    output->frame = nullptr;
    output->frameDone = false;
    output->configurePending = false;
    output->scale120 = 0;
    output->surfaceWidth = output->surfaceHeight = 0;
    output->bufferWidth = output->bufferHeight = 0;
    output->failingSince = -1.0;
    output->render = false;
    output->stars = false;
    if (output->stage != OutputStage::Empty)
        waylandEnterStage(output, OutputStage::Announced);
    return window;
}

} // namespace

void waylandCoverOutput(WaylandOutput* output, bool stars)
{
    waylandOutsideListeners("a toplevel made");
    output->pendingWidth = output->pendingHeight = 0;
    output->surface = wl_compositor_create_surface(wayland.compositor);
    output->xdgSurface = xdg_wm_base_get_xdg_surface(wayland.wmBase, output->surface);
    xdg_surface_add_listener(output->xdgSurface, &surfaceListener, output);
    output->toplevel = xdg_surface_get_toplevel(output->xdgSurface);
    xdg_toplevel_add_listener(output->toplevel, &toplevelListener, output);
    xdg_toplevel_set_title(output->toplevel, renderSettings.title);
    xdg_toplevel_set_app_id(output->toplevel, "quillomar");
    xdg_toplevel_set_fullscreen(output->toplevel, output->output);
    if (wayland.viewporter)
        output->viewport = wp_viewporter_get_viewport(wayland.viewporter, output->surface);
    output->stars = stars;
    if (stars && wayland.fractionalScale && output->viewport) {
        output->fractional =
            wp_fractional_scale_manager_v1_get_fractional_scale(wayland.fractionalScale, output->surface);
        wp_fractional_scale_v1_add_listener(output->fractional, &fractionalListener, output);
    }
    // No buffer before the first configure: xdg-shell forbids it.
    wl_surface_commit(output->surface);
    waylandEnterStage(output, OutputStage::Mapping);
}

void waylandUncoverOutput(WaylandOutput* output)
{
    if (output->surface)
        destroyWindow(takeWindow(output, false));
}

void waylandRetire(WaylandOutput* output)
{
    const int slot = static_cast<int>(output - wayland.outputs);
    waylandDropRetired(slot);
    wayland.retired[slot] = takeWindow(output, true);
    xdg_surface_set_user_data(wayland.retired[slot].xdgSurface, nullptr);
    xdg_toplevel_set_user_data(wayland.retired[slot].toplevel, nullptr);
}

void waylandDropRetired(int output)
{
    WaylandWindow& window = wayland.retired[output];
    if (!window.surface)
        return;
    destroyWindow(window);
    window = {};
}

WaylandOutput* waylandPrimaryOutput()
{
    WaylandOutput* first = nullptr;
    for (WaylandOutput& output : wayland.outputs) {
        if (!output.output || output.gone || output.stage == OutputStage::Failed)
            continue;
        if (output.positioned && output.x == 0 && output.y == 0)
            return &output;
        if (!first || output.order < first->order)
            first = &output;
    }
    return first;
}

bool waylandPlaceStars()
{
    if (waylandRenderOutput())
        return true;
    WaylandOutput* primary = waylandPrimaryOutput();
    if (!primary)
        return false;
    // Where it draws stars already, it takes the render window's place as it is.
    if (primary->stars && primary->surface) {
        primary->render = true;
        if (primary->bufferWidth > 0 && wayland.onSize)
            wayland.onSize(primary->bufferWidth, primary->bufferHeight);
        return true;
    }
    // A new toplevel, not the one already there turned into the render
    // window: on sway the unplugged output's workspace may come to be shown
    // over the one that holds it, and a new window opens where it is seen.
    // The old one stays, black, until the stars' first frame.
    if (primary->surface)
        waylandRetire(primary);
    primary->render = true;
    waylandCoverOutput(primary, true);
    return true;
}

void waylandConfigureSize(WaylandOutput* output)
{
    sizeFor(output, &output->surfaceWidth, &output->surfaceHeight);
}

bool waylandAttachStars(WaylandOutput* output)
{
    waylandOutsideListeners("a star surface made");
    starBufferSize(output, &output->bufferWidth, &output->bufferHeight);
    if (!waylandEglAttach(output))
        return false;
    waylandSizeStars(output);
    return true;
}

void waylandSizeStars(WaylandOutput* output)
{
    waylandOutsideListeners("a star surface sized");
    int width, height;
    const int scale = starBufferSize(output, &width, &height);
    if (output->viewport)
        wp_viewport_set_destination(output->viewport, output->surfaceWidth, output->surfaceHeight);
    wl_surface_set_buffer_scale(output->surface, scale);
    // The next swap commits the new size and scale together.
    if (width != output->bufferWidth || height != output->bufferHeight) {
        output->bufferWidth = width;
        output->bufferHeight = height;
        waylandEglResize(output);
    }
    if (output->render && wayland.onSize)
        wayland.onSize(width, height);
}

void waylandShowBlack(WaylandOutput* output)
{
    waylandOutsideListeners("a surface painted");
    paintBlack(output);
    waylandRequestFrame(output);
    wl_surface_commit(output->surface);
}

void waylandRequestFrame(WaylandOutput* output)
{
    if (output->frame)
        wl_callback_destroy(output->frame); // painted again before the last showed
    output->frame = wl_surface_frame(output->surface);
    wl_callback_add_listener(output->frame, &frameListener, output);
}
