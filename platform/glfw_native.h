#pragma once

#include "base/run_mode.h"

struct GLFWwindow;

// The system's half of GLFW windows that GLFW 3.3 cannot make on its own.

// Draws into an existing native window, the preview host: on Windows the host
// itself becomes a GLFW window with an OpenGL context; on X11 the saver's own
// window is embedded in it. Destroying the result gives the host back.
GLFWwindow* adoptNativeWindow(NativeWindow nativeWindow, GLFWwindow* shareWindow);

// Shows a window made without a context painted black, with nothing of the
// desktop showing first, and never taking the focus.
void showBlackWindow(GLFWwindow* window);

// A full-screen window's background black: after a layout change the server
// would otherwise show what it filled in until the next frame.
void paintBackgroundBlack(GLFWwindow* window);
// Where no window manager stacks the saver's windows, a black window over the
// whole desktop just under ABOVE, until closeBackdrop; nothing elsewhere.
void openBackdrop(GLFWwindow* above);
void closeBackdrop();

// GLFW takes the session's idle timers while one of its windows is full
// screen (X11: the screensaver timer set to 0; Windows: the display kept on),
// so no locker and no display power-off would come while the stars show.
// rememberIdleTimers reads the user's before the first window;
// giveBackIdleTimers puts them back after each full-screen window GLFW makes
// or restores.
void rememberIdleTimers();
void giveBackIdleTimers();
