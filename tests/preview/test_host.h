#pragma once

#include "platform/platform.h"

// A preview host owned by the test process itself, one implementation per
// platform (test_host_win32.cpp, test_host_x11.cpp).

// A visible top-level window with the given client size.
NativeWindow createTestHost(int width, int height);
void resizeTestHost(NativeWindow host, int width, int height);
// Windows: disabled; X11, where nothing is disabled: unmapped.
void disableTestHost(NativeWindow host);
void destroyTestHost(NativeWindow host);
bool testHostExists(NativeWindow host);
// The host is its own again: Windows: its own procedure answers and no GLFW
// property is left; X11: nothing of the saver is left inside it.
bool testHostIsItsOwn(NativeWindow host);
// While adopted, the host's own procedure is no longer asked (Windows); the
// saver's window covers it (X11).
bool testHostIsTakenOver(NativeWindow host);
// A left-button press inside the preview.
void clickTestHost(NativeWindow host);
// A handle that named a window a moment ago.
NativeWindow vanishedWindowHandle();
// The start of the error text for a handle that names no window.
const char* noWindowErrorPrefix();
