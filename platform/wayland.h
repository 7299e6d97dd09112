#pragma once

#include "platform/window_system.h"

// The Linux program's own Wayland backend: one full-screen toplevel per
// output, the stars on the primary one, the others black, each drawn from the
// compositor's frame callbacks. Never holds the idle daemon back.
extern const WindowSystem waylandWindowSystem;
