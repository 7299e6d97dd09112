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

// Makes an existing native window (the preview host) a GLFW window with an
// OpenGL context. Destroying the result gives the host back untouched.
GLFWwindow* adoptNativeWindow(NativeWindow nativeWindow, GLFWwindow* shareWindow);
