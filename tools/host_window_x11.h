#pragma once

#include <X11/Xlib.h>

// The host's own connection, with protocol errors ignored.
Display* hostDisplay();
