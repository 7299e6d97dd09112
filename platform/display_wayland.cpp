#include "platform/backend_wayland.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>

WaylandState wayland = {};

namespace {

timespec startTime = {};

WaylandOutput* outputByName(std::uint32_t name)
{
    for (WaylandOutput& output : wayland.outputs)
        if (output.output && output.name == name)
            return &output;
    return nullptr;
}

int dispatchPending(wl_display* display)
{
    wayland.dispatching = true;
    const int dispatched = wl_display_dispatch_pending(display);
    wayland.dispatching = false;
    return dispatched;
}

int roundtrip(wl_display* display)
{
    wayland.dispatching = true;
    const int dispatched = wl_display_roundtrip(display);
    wayland.dispatching = false;
    return dispatched;
}

void recordResize(WaylandOutput* output)
{
    output->resized = true;
    wayland.changed = true;
}

// Output geometry

void onOutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                      int32_t)
{
}

void onOutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    auto* output = static_cast<WaylandOutput*>(data);
    if (!(flags & WL_OUTPUT_MODE_CURRENT))
        return;
    output->modeWidth = width;
    output->modeHeight = height;
    // xdg-output's logical size wins: it is what a full-screen surface gets.
    if (!output->positioned) {
        output->width = width;
        output->height = height;
    }
}

// A scale or mode changed under a running saver: its pixels follow.
void onOutputDone(void* data, wl_output*)
{
    recordResize(static_cast<WaylandOutput*>(data));
}

void onOutputScale(void* data, wl_output*, int32_t factor)
{
    static_cast<WaylandOutput*>(data)->scale = factor;
}

// The versions bound here never send the later events, left null.
const wl_output_listener outputListener = {onOutputGeometry, onOutputMode, onOutputDone, onOutputScale, nullptr,
                                           nullptr};

void onLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y)
{
    auto* output = static_cast<WaylandOutput*>(data);
    output->positioned = true;
    output->x = x;
    output->y = y;
}

void onLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height)
{
    auto* output = static_cast<WaylandOutput*>(data);
    output->width = width;
    output->height = height;
}

void onXdgOutputDone(void*, zxdg_output_v1*)
{
}

void onXdgOutputText(void*, zxdg_output_v1*, const char*)
{
}

const zxdg_output_v1_listener xdgOutputListener = {onLogicalPosition, onLogicalSize, onXdgOutputDone,
                                                   onXdgOutputText, onXdgOutputText};

void watchOutputPosition(WaylandOutput* output)
{
    if (!wayland.outputManager || output->xdgOutput)
        return;
    output->xdgOutput = zxdg_output_manager_v1_get_xdg_output(wayland.outputManager, output->output);
    zxdg_output_v1_add_listener(output->xdgOutput, &xdgOutputListener, output);
}

// Only bound here: the step between frames covers it.
void addOutput(std::uint32_t name, std::uint32_t version)
{
    WaylandOutput* output = nullptr;
    for (WaylandOutput& slot : wayland.outputs)
        if (slot.stage == OutputStage::Empty) {
            output = &slot;
            break;
        }
    if (!output)
        return; // beyond any real desk; that output stays uncovered
    *output = {};
    output->name = name;
    output->order = wayland.announced++;
    output->scale = 1;
    output->failingSince = -1.0;
    output->output = static_cast<wl_output*>(
        wl_registry_bind(wayland.registry, name, &wl_output_interface, version < 2 ? version : 2));
    wl_output_add_listener(output->output, &outputListener, output);
    watchOutputPosition(output);
    waylandEnterStage(output, OutputStage::Announced);
    wayland.changed = true;
}

void onPing(void*, xdg_wm_base* wmBase, uint32_t serial)
{
    xdg_wm_base_pong(wmBase, serial);
}

const xdg_wm_base_listener wmBaseListener = {onPing};

// Registry

template <typename T>
T* bindGlobal(std::uint32_t name, const wl_interface* interface, std::uint32_t offered, std::uint32_t wanted)
{
    return static_cast<T*>(wl_registry_bind(wayland.registry, name, interface, offered < wanted ? offered : wanted));
}

void onGlobal(void*, wl_registry*, uint32_t name, const char* interface, uint32_t version)
{
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !wayland.compositor) {
        wayland.compositor = bindGlobal<wl_compositor>(name, &wl_compositor_interface, version, 4);
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0 && !wayland.wmBase) {
        wayland.wmBase = bindGlobal<xdg_wm_base>(name, &xdg_wm_base_interface, version, 2);
        xdg_wm_base_add_listener(wayland.wmBase, &wmBaseListener, nullptr);
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !wayland.shm) {
        wayland.shm = bindGlobal<wl_shm>(name, &wl_shm_interface, version, 1);
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0 && !wayland.viewporter) {
        wayland.viewporter = bindGlobal<wp_viewporter>(name, &wp_viewporter_interface, version, 1);
    } else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0 &&
               !wayland.fractionalScale) {
        wayland.fractionalScale =
            bindGlobal<wp_fractional_scale_manager_v1>(name, &wp_fractional_scale_manager_v1_interface, version, 1);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !wayland.outputManager) {
        wayland.outputManager = bindGlobal<zxdg_output_manager_v1>(name, &zxdg_output_manager_v1_interface, version, 2);
        for (WaylandOutput& output : wayland.outputs)
            if (output.output)
                watchOutputPosition(&output);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !wayland.seat) {
        wayland.seat = bindGlobal<wl_seat>(name, &wl_seat_interface, version, 5);
        waylandWatchSeat();
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        addOutput(name, version);
    }
}

void onGlobalRemove(void*, wl_registry*, uint32_t name)
{
    if (WaylandOutput* output = outputByName(name)) {
        output->gone = true;
        wayland.changed = true;
    }
}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

} // namespace

bool waylandConnect()
{
    clock_gettime(CLOCK_MONOTONIC, &startTime);
    wayland.lastStarFrame = -1.0;
    wayland.display = wl_display_connect(nullptr);
    if (!wayland.display) {
        std::fputs("Wayland: cannot connect to the compositor\n", stderr);
        return false;
    }
    wayland.registry = wl_display_get_registry(wayland.display);
    wl_registry_add_listener(wayland.registry, &registryListener, nullptr);
    // The globals first, then what the bound outputs and seat tell.
    const char* refusal = nullptr;
    if (roundtrip(wayland.display) < 0 || roundtrip(wayland.display) < 0)
        refusal = "Wayland: the compositor broke the connection\n";
    else if (!wayland.compositor || !wayland.wmBase || !wayland.shm)
        refusal = "Wayland: the compositor lacks wl_compositor, wl_shm or xdg_wm_base\n";
    if (!refusal)
        return true;
    // No connection at all from here on: the later steps fail quietly.
    std::fputs(refusal, stderr);
    waylandDisconnect();
    return false;
}

void waylandDisconnect()
{
    if (!wayland.display)
        return;
    for (WaylandOutput& output : wayland.outputs)
        if (output.stage != OutputStage::Empty)
            waylandDropOutput(&output);
    for (const WaylandWindow& window : wayland.retired)
        if (window.surface)
            waylandDropRetired(window.output);
    if (wayland.blackBuffer)
        wl_buffer_destroy(wayland.blackBuffer);
    waylandDropInput();
    if (wayland.seat)
        wl_seat_destroy(wayland.seat);
    if (wayland.outputManager)
        zxdg_output_manager_v1_destroy(wayland.outputManager);
    if (wayland.viewporter)
        wp_viewporter_destroy(wayland.viewporter);
    if (wayland.fractionalScale)
        wp_fractional_scale_manager_v1_destroy(wayland.fractionalScale);
    if (wayland.shm)
        wl_shm_destroy(wayland.shm);
    if (wayland.wmBase)
        xdg_wm_base_destroy(wayland.wmBase);
    if (wayland.compositor)
        wl_compositor_destroy(wayland.compositor);
    wl_registry_destroy(wayland.registry);
    wl_display_flush(wayland.display);
    wl_display_disconnect(wayland.display);
    wayland = {};
}

bool waylandDispatch(int timeoutMs, bool (*ready)())
{
    wl_display* display = wayland.display;
    if (wayland.lost)
        return false;
    const double deadline = waylandSeconds() + timeoutMs / 1000.0;
    for (;;) {
        while (wl_display_prepare_read(display) != 0)
            if (dispatchPending(display) < 0) {
                wayland.lost = true;
                return false;
            }
        // A full socket is no failure: the rest goes with the next flush.
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            wayland.lost = true;
            return false;
        }
        const int left = static_cast<int>((deadline - waylandSeconds()) * 1000.0 + 0.5);
        const int wait = (ready && ready()) || left <= 0 ? 0 : left;
        pollfd fd = {wl_display_get_fd(display), POLLIN, 0};
        const int polled = poll(&fd, 1, wait);
        if (polled > 0) {
            if (wl_display_read_events(display) < 0) {
                wayland.lost = true;
                return false;
            }
        } else {
            wl_display_cancel_read(display);
        }
        if (dispatchPending(display) < 0) {
            wayland.lost = true;
            return false;
        }
        // A timeout or a signal hands control back: the caller looks at its
        // stop flag, and a hidden output never stalls the loop.
        if (polled <= 0 || !ready || ready() || waylandSeconds() >= deadline)
            return true;
    }
}

double waylandSeconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - startTime.tv_sec) + (now.tv_nsec - startTime.tv_nsec) * 1e-9;
}

WaylandOutput* waylandRenderOutput()
{
    for (WaylandOutput& output : wayland.outputs)
        if (output.surface && output.render)
            return &output;
    return nullptr;
}

void waylandDropOutput(WaylandOutput* output)
{
    waylandUncoverOutput(output);
    waylandDropRetired(static_cast<int>(output - wayland.outputs));
    if (output->xdgOutput)
        zxdg_output_v1_destroy(output->xdgOutput);
    if (output->output)
        wl_output_destroy(output->output);
    *output = {};
}
