#pragma once

// State and helpers shared by the Wayland backend's files; nothing outside
// platform/*_wayland.cpp includes this.

#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <cstdint>

constexpr int waylandMaxOutputs = 16;

struct WaylandOutput {
    wl_output* output;
    std::uint32_t name; // the registry's name, which its removal quotes
    int order;          // announcement order: the first is the fallback primary
    zxdg_output_v1* xdgOutput;
    bool positioned; // xdg-output told the logical position
    int x, y;
    int width, height;         // logical size, else the current mode; 0 while unknown
    int modeWidth, modeHeight; // the current mode: the output's own pixels
    int scale;                 // wl_output's integer scale

    wl_surface* surface;
    xdg_surface* xdgSurface;
    xdg_toplevel* toplevel;
    wp_viewport* viewport; // the surface's logical size, whatever its buffer's
    wp_fractional_scale_v1* fractional;
    int scale120;                    // the compositor's preferred scale in 120ths; 0 while unsaid
    bool stars;                      // an EGL surface draws stars here
    bool render;                     // the render window's: the saver's loop draws the scene's own field
    bool fresh;                      // its stars have not drawn yet: a field of its own starts afresh
    bool configured;                 // the first configure was acknowledged
    int pendingWidth, pendingHeight; // the toplevel's last configure
    int surfaceWidth, surfaceHeight; // logical
    int bufferWidth, bufferHeight;   // the stars' pixels
    wl_egl_window* eglWindow;
    EGLSurface eglSurface;
    wl_callback* frame; // the pending frame callback: its next frame is not due
};

// A toplevel's objects; the window a new render window replaces is kept
// this way, black, until the stars' first frame is up, so the desktop never
// shows between.
struct WaylandWindow {
    wl_surface* surface;
    xdg_surface* xdgSurface;
    xdg_toplevel* toplevel;
    wp_viewport* viewport;
};

struct WaylandState {
    wl_display* display;
    wl_registry* registry;
    wl_compositor* compositor;
    xdg_wm_base* wmBase;
    wl_shm* shm;
    wp_viewporter* viewporter;
    wp_fractional_scale_manager_v1* fractionalScale;
    zxdg_output_manager_v1* outputManager;
    wl_seat* seat;
    wl_pointer* pointer;
    wl_keyboard* keyboard;
    wl_buffer* blackBuffer;
    WaylandOutput outputs[waylandMaxOutputs];
    int announced;       // outputs announced so far, for their order
    bool covering;       // outputs announced from now on get a surface at once
    bool everyOutput;    // stars on every output, not only on the render window's
    bool closeRequested; // a key or button pressed, or a toplevel closed
    bool lost;           // the connection broke
    WaylandWindow retired;
    void (*onSize)(int width, int height);
};

extern WaylandState wayland;

// display_wayland.cpp
bool waylandConnect();
void waylandDisconnect();
// Dispatches what arrives for at most timeoutMs, returning early once
// `ready()` holds or a signal interrupts the wait. False once the
// connection is gone.
bool waylandDispatch(int timeoutMs, bool (*ready)());
// The render window's output, while it has one.
WaylandOutput* waylandRenderOutput();

// input_wayland.cpp
void waylandWatchSeat();
void waylandDropInput();

// surfaces_wayland.cpp
// A full-screen toplevel on the output: stars where `stars` (and EGL can draw
// there), else black.
void waylandCoverOutput(WaylandOutput* output, bool stars);
void waylandUncoverOutput(WaylandOutput* output);
// The primary output: logical position 0,0, else the first announced.
WaylandOutput* waylandPrimaryOutput();
// Gives the render window to the primary output when no output has it.
void waylandPlaceStars();
// Sizes the star surface's buffer at its output's own pixels, after a
// configure or a change of the output's scale or mode.
void waylandSizeStars(WaylandOutput* output);
void waylandRequestFrame(WaylandOutput* output);
// A star surface that may take its next frame: configured, and the
// compositor has called back for the last one.
bool waylandFrameDue(const WaylandOutput* output);
void waylandDropRetired();

// egl_wayland.cpp
bool waylandEglOpen();
bool waylandEglAttach(WaylandOutput* output);
// The context current on the output's surface, or on none for null.
bool waylandEglMakeCurrent(const WaylandOutput* output);
void waylandEglResize(WaylandOutput* output);
void waylandEglDetach(WaylandOutput* output);
// False when the frame did not reach the compositor.
bool waylandEglSwap(WaylandOutput* output);
void waylandEglClose();
void* waylandEglProcAddress(const char* name);
