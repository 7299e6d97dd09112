#include "platform/glfw_native.h"

#include "glfw/glfw_adopt_win32.h"

GLFWwindow* adoptNativeWindow(NativeWindow nativeWindow, GLFWwindow* shareWindow)
{
    return glfwAdoptWin32Window(reinterpret_cast<void*>(nativeWindow), shareWindow);
}
