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

#include "platform/window_system.h"

#include <cstdint>
#include <cstdio>

// How an output goes through its stages. Listeners only record what the
// compositor said (the fields under "recorded" below); the step between
// frames (waylandApplyChanges) and the frame's swap move the stages, always
// through waylandEnterStage, which holds the rules:
//   Empty      no output in this slot
//   Announced  bound, no toplevel: before the run shows, or after its
//              toplevel went (stars moved, context reset)
//   Mapping    a toplevel made; not yet configured, or its star surface not
//              yet made
//   Fresh      its star surface made, nothing drawn yet: a field of its own
//              starts afresh
//   Presented  a frame (or the black pixel) committed, its callback pending
//   Ready      the callback came: the next frame may be drawn
//   Failed     kept failing for failingGiveUpSeconds: black for good
// A black output goes Mapping, Presented, Ready and stays. An output whose
// global goes is dropped, from any stage, at the next step.
enum class OutputStage { Empty,
                         Announced,
                         Mapping,
                         Fresh,
                         Presented,
                         Ready,
                         Failed };

// A surface or context that fails this long without one success is given up.
constexpr double failingGiveUpSeconds = 3.0;

struct WaylandOutput {
    OutputStage stage;
    bool render; // the render window's: the saver's loop draws the scene's own field
    bool stars;  // wants stars, else black

    wl_output* output;
    std::uint32_t name; // the registry's name, which its removal quotes
    int order;          // announcement order: the first is the fallback primary
    zxdg_output_v1* xdgOutput;
    bool positioned; // xdg-output told the logical position
    int x, y;
    int width, height;         // logical size, else the current mode; 0 while unknown
    int modeWidth, modeHeight; // the current mode: the output's own pixels
    int scale;                 // wl_output's integer scale
    int scale120;              // the compositor's preferred scale in 120ths; 0 while unsaid

    // recorded by the listeners, applied between frames
    bool gone;                       // its global was removed
    bool configurePending;           // a configure to acknowledge
    std::uint32_t configureSerial;   //
    int pendingWidth, pendingHeight; // the toplevel's last configure
    bool resized;                    // its mode, scale or preferred scale changed
    bool frameDone;                  // the compositor called back for the last frame

    double failingSince; // when its draws began failing; negative while they pass

    wl_surface* surface;
    xdg_surface* xdgSurface;
    xdg_toplevel* toplevel;
    wp_viewport* viewport; // the surface's logical size, whatever its buffer's
    wp_fractional_scale_v1* fractional;
    wl_callback* frame;              // the callback asked for with the last commit
    int surfaceWidth, surfaceHeight; // logical; 0 until the first configure
    int bufferWidth, bufferHeight;   // the stars' pixels
    wl_egl_window* eglWindow;
    EGLSurface eglSurface;
};

// A toplevel taken from an output and kept, black, until the output's new
// surface has shown, so the desktop never shows between.
struct WaylandWindow {
    wl_surface* surface;
    xdg_surface* xdgSurface;
    xdg_toplevel* toplevel;
    wp_viewport* viewport;
    int output; // the slot whose new surface it waits for
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
    WaylandOutput outputs[maxStarViews];
    int announced;        // outputs announced so far, for their order
    bool covering;        // every output gets a toplevel at the next step
    bool everyOutput;     // stars on every output, not only on the render window's
    bool changed;         // a listener recorded something for the next step
    bool closeRequested;  // a key or button pressed, a toplevel closed, or nothing left to draw on
    bool lost;            // the connection broke
    bool dispatching;     // the listeners are running: they only record
    double lastStarFrame; // the last star frame asked for or called back; negative until then
    WaylandWindow retired[maxStarViews];
    void (*onSize)(int width, int height);
};

extern WaylandState wayland;

// Every call that makes, sizes, draws on or drops a surface, or switches the
// context, says so first: a listener that reaches one shows on stderr, which
// the end-to-end runs require empty.
inline void waylandOutsideListeners(const char* what)
{
    if (wayland.dispatching)
        std::fprintf(stderr, "Wayland: %s inside a listener\n", what);
}

// display_wayland.cpp
bool waylandConnect();
void waylandDisconnect();
// The loop's one clock: monotonic seconds since the connection was made.
double waylandSeconds();
// Dispatches what arrives for at most timeoutMs, returning early once
// `ready()` holds or a signal interrupts the wait. False once the
// connection is gone.
bool waylandDispatch(int timeoutMs, bool (*ready)());
// The render window's output, while it has one.
WaylandOutput* waylandRenderOutput();
// Releases the output's objects and empties its slot.
void waylandDropOutput(WaylandOutput* output);

// input_wayland.cpp
void waylandWatchSeat();
void waylandDropInput();

// outputs_wayland.cpp
void waylandEnterStage(WaylandOutput* output, OutputStage stage);
// The one test of whether the output's stars may draw their next frame now.
bool waylandMayDraw(const WaylandOutput* output);
// Everything the listeners recorded, applied: toplevels and star surfaces
// made, sized, moved and dropped; outputs that kept failing given up.
void waylandApplyChanges();
// A frame drawn on the output, committed with its callback asked for, or a
// failure counted.
void waylandPresent(WaylandOutput* output);
void waylandCountFailure(WaylandOutput* output);
// Every toplevel kept black and its stars dropped, for a new context's.
void waylandRetireAll();

// surfaces_wayland.cpp
// A full-screen toplevel on the output: stars where `stars`, else black.
void waylandCoverOutput(WaylandOutput* output, bool stars);
void waylandUncoverOutput(WaylandOutput* output);
// The output's toplevel kept black until its next surface has shown.
void waylandRetire(WaylandOutput* output);
void waylandDropRetired(int output);
// The primary output: logical position 0,0, else the first announced.
WaylandOutput* waylandPrimaryOutput();
// Gives the render window to an output that can draw when no output has it;
// false when none can.
bool waylandPlaceStars();
// The configure's size for the surface, in logical pixels.
void waylandConfigureSize(WaylandOutput* output);
// The star surface made at the configured size; false when EGL fails there.
bool waylandAttachStars(WaylandOutput* output);
// Sizes the star surface's buffer at its output's own pixels, after a
// configure or a change of the output's scale or mode.
void waylandSizeStars(WaylandOutput* output);
// The one black pixel over the whole surface, with a callback for when it shows.
void waylandShowBlack(WaylandOutput* output);
void waylandRequestFrame(WaylandOutput* output);

// egl_wayland.cpp
bool waylandEglOpen();
bool waylandEglAttach(WaylandOutput* output);
// The context current on the output's surface, or on none for null; does
// nothing when it already is.
bool waylandEglMakeCurrent(const WaylandOutput* output);
void waylandEglResize(WaylandOutput* output);
void waylandEglDetach(WaylandOutput* output);
// False when the frame did not reach the compositor.
bool waylandEglSwap(WaylandOutput* output);
void waylandEglClose();
void* waylandEglProcAddress(const char* name);
