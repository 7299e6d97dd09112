#pragma once

#include "platform/window_system.h"

// Covers every monitor but the render window's, and keeps doing so for
// monitors connected later: with a black window, or with a full-screen window
// of stars of its own where they run on every monitor. Either ends the run on
// input, as the render window does. Only for full-screen Saver and Plain runs:
// a host that hands the saver its window covers the other monitors itself.
void openBlankingWindows();
// Between frames: what the monitor callback recorded. Covers the monitors that
// came, drops the windows of those that went, and moves the stars to another
// monitor when theirs went.
void applyMonitorChanges();
void releaseBlankingWindows();

// The WindowSystem's drawOtherViews for GLFW: each star window drawn and
// swapped without waiting, the render window's context current again after.
void drawOtherMonitors(double time, void (*drawView)(const StarView& view, double time));
