#pragma once

// Where the stars run on every monitor, each monitor but the render window's
// is a view of its own: a window or surface with its own field of stars.
constexpr int maxStarViews = 32;

struct StarView {
    int view;          // 0 to maxStarViews - 1, kept while its monitor stays
    int width, height; // its pixels
    bool newMonitor;   // its monitor has just come: its field starts afresh
    bool newContext;   // its context has never drawn: set the render state up first
};

// How a saver run shows itself: through GLFW (Windows, X11) or through a
// backend of the platform's own (Wayland). One table is chosen at start-up,
// in one place; the saver run calls through it and never asks which it got.
struct WindowSystem {
    const char* name;
    // Starts the windowing library; a failure is reported and the later steps
    // then fail quietly into the start-up failure path.
    void (*initWindowing)();
    // The size of the monitor the stars run on; which 0 is the width, 1 the
    // height; 800 x 600 when there is none.
    int (*primaryMonitorSize)(int which);
    // The render window with its context current, sized from renderSettings;
    // false when it cannot be had (the caller takes the failure path). Size
    // changes arrive through onSize.
    bool (*openRenderWindow)(void (*onSize)(int width, int height));
    // Any other monitors covered black; nothing for preview and host runs.
    void (*openBlankingWindows)();
    // Swap interval and hidden cursor, the windowing half of the render state.
    void (*applyWindowState)();
    double (*time)();
    // Applies what the windowing callbacks only recorded since the last pass
    // (monitors or outputs that came or went, a size or scale changed, a
    // surface that keeps failing): windows and surfaces are made, moved and
    // dropped here, between frames, never inside a library's callback.
    void (*applyChanges)();
    // False while the render window's frame is not due (a Wayland output that
    // has not called back): its drawing and swap are skipped.
    bool (*renderFrameDue)();
    // Each other monitor's view whose frame is due: drawView with its context
    // current, then presented, without waiting for the display. The render
    // window's context is current again after. Nothing but where the stars
    // run on every monitor.
    void (*drawOtherViews)(double time, void (*drawView)(const StarView& view, double time));
    void (*swapBuffers)();
    // Handles what has arrived; may wait until the next frame is due. A key
    // or button pressed sets the close flag from in here.
    void (*pollEvents)();
    // The close flag or Escape held down: the loop ends after this pass.
    bool (*closeRequested)();
    // The render window and the blanking windows destroyed (a preview host
    // given back).
    void (*closeWindows)();
    // The windowing library ended; also on the start-up failure paths.
    void (*terminate)();
    // After each pass of the main loop: where the swap does not wait for the
    // display, the loop keeps to its frame rate here.
    void (*paceFrame)();
    // After a GPU reset, before the new render window: where set, the old
    // windows stay (black) until the new ones have shown, so the desktop
    // never shows between; where null, closeWindows closes them first.
    void (*keepWindowsThroughReset)() = nullptr;
};

// The current context's entry-point lookup where the windowing system brings
// its own (EGL); null where the GL library's own lookup serves (GLX, WGL).
extern void* (*contextGlLookup)(const char* name);
