#pragma once

#include "platform/window_system.h"

// The windowing system of the run: GLFW's table unless the entry chose another.
extern const WindowSystem* windowSystem;
extern const WindowSystem glfwWindowSystem;
