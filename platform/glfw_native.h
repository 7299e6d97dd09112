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
