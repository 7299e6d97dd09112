#pragma once

#include "platform/window_system.h"

// The Linux program's own Wayland backend: one full-screen toplevel per
// output, the stars on the primary one and the others black (or stars on
// each), each drawn from its own frame callbacks. Never holds the idle daemon
// back.
extern const WindowSystem waylandWindowSystem;
