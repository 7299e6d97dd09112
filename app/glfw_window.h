#pragma once

struct GLFWwindow;

// The GLFW window of the run (null on a system without GLFW) and its callbacks.
extern GLFWwindow* renderWindow;

void showWindowingError(int code, const char* description);
void onWindowSize(GLFWwindow* window, int width, int height);
void quitOnInput(GLFWwindow* window, int key, int scancode, int action, int modifiers);
void quitOnInput(GLFWwindow* window, int button, int action, int modifiers);
void ignoreInput(GLFWwindow* window, double x, double y);

// The render window's context and framebuffer hints; every window the stars
// are drawn in has the same.
void hintRenderContext();

// The primary monitor's width (which 0) or height (1); 800 x 600 without one.
int primaryMonitorSize(int which);
