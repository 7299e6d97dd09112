#pragma once

#include "app/platform.h"

struct GLFWwindow;

extern GLFWwindow* renderWindow;

void initWindowing();
int openRenderWindow();
void applyRenderState();

void showWindowingError(int code, const char* description);
void onWindowSize(GLFWwindow* window, int width, int height);
void quitOnInput(GLFWwindow* window, int key, int scancode, int action, int modifiers);
void quitOnInput(GLFWwindow* window, int button, int action, int modifiers);
void ignoreInput(GLFWwindow* window, double x, double y);

// Draws into an existing native window, the preview host: on Windows the host
// itself becomes a GLFW window with an OpenGL context; on X11 the saver's own
// window is embedded in it. Destroying the result gives the host back.
GLFWwindow* adoptNativeWindow(NativeWindow nativeWindow, GLFWwindow* shareWindow);
