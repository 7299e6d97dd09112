#pragma once

#include <cstdint>

// A native window handle (HWND, or an X11 window id), carried as an integer so
// portable code needs no system header.
using NativeWindow = std::uintptr_t;

// How the process was started.
enum RunMode : int { Preview = 0,
                     Saver = 1,
                     Config = 2,
                     Plain = 3 };

// Written once by the entry point; the preview host's handle, else 0.
extern RunMode runMode;
extern NativeWindow hostWindow;

// The user's choice for full-screen runs: stars on every monitor, each with
// a field of its own, instead of on the primary alone with the others black.
// Written once by the entry point; preview runs never take it.
extern bool starsOnEveryMonitor;
