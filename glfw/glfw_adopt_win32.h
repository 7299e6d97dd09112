#pragma once

// An addition to GLFW's Win32 backend, compiled into our static GLFW: turns an
// existing window into a GLFW window with an OpenGL context. glfwDestroyWindow
// on the result gives the window back (its own procedure, property and icons)
// instead of destroying it.

#include <GLFW/glfw3.h>

#ifdef __cplusplus
extern "C" {
#endif

// nativeWindow is an HWND. Returns NULL after reporting the reason through
// the error callback.
GLFWwindow* glfwAdoptWin32Window(void* nativeWindow, GLFWwindow* share);

#ifdef __cplusplus
}
#endif
