#pragma once

struct GLFWwindow;

// Hands the built-in picture to the window as its icon.
void setWindowIcon(GLFWwindow* window);
