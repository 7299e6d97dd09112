#pragma once

#include "app/platform.h"

// Keeps the saver's window, embedded in the preview host, at the host's size.
// Called with the host's current size each time the host is checked; GLFW
// then reports the new size through the window-size callback. False once the
// saver's window was taken out of the host (a window manager's frame or any
// client that redirects its children) or stays unmapped there.
bool followPreviewHost(NativeWindow host, int width, int height);
