#pragma once

#include "base/run_mode.h"

// A preview host's own window, made the way the display settings make theirs:
// top level, visible, of the given client size and filled with hostColour.
// The stand-in host program and the in-process test host share it.
constexpr unsigned hostColourRgb = 0x305070;

NativeWindow createHostWindow(const char* title, int x, int y, int width, int height);
void resizeHostWindow(NativeWindow host, int width, int height);
void destroyHostWindow(NativeWindow host);
