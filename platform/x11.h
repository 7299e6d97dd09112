#pragma once

// The process-wide X11 state, for the *_x11 files alone: one connection, one
// set of Xlib handlers, one declaration of what is taken from GLFW.

#include <X11/Xlib.h>

struct GLFWwindow;

// GLFW's native access; glfw3native.h would also pull in the XRandR headers.
extern "C" Display* glfwGetX11Display(void);
extern "C" Window glfwGetX11Window(GLFWwindow* window);

// The program's one connection: GLFW's while GLFW runs, else one of its own,
// opened on first use (the About window; host checks where GLFW failed to
// start). Null without a display.
Display* x11Display();
void x11CloseOwnDisplay();

// Xlib's default handlers end the process with 1 on any protocol error and on
// a lost connection. A host window may vanish at any moment, so errors are
// recorded for the calls to act on; a lost connection ends with 0, as every
// other path does. GLFW puts the default error handler back after each of its
// own error traps, so every group of our requests installs ours again.
void x11InstallHandlers();

// Flushes what is pending, installs the handlers and forgets older errors.
void x11ClearErrors(Display* display);

// Waits for the requests since x11ClearErrors; true when one of them failed.
bool x11RequestsFailed(Display* display);
