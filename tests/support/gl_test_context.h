#pragma once

#include <vector>

struct GLFWwindow;

// A hidden GLFW window with a current context (default hints: the driver's
// newest compatibility context) and GlApi filled. False when no display, no
// context or no window can be had; the caller then skips or fails its test.
bool openTestGlContext(int width, int height);

// Destroys the window and terminates GLFW; safe to call when nothing is open.
void closeTestGlContext();

// The window of the open test context, or null.
GLFWwindow* testGlWindow();

// The back buffer as RGBA bytes, width * height * 4, top row first.
std::vector<unsigned char> readTestFramebuffer(int width, int height);
