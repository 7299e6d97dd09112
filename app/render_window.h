#pragma once

#include "app/glfw_window.h"
#include "app/windowing.h"
#include "platform/glfw_native.h"

// The saver run's window steps, through the chosen windowing system.
void initWindowing();
// Title, size and aspect ratio of the render window for the run mode: the
// host's client size in preview, the primary monitor's otherwise.
void computeWindowSize();
int openRenderWindow();
void applyRenderState();
// Its GL half, for every context the stars are drawn with.
void applyGlRenderState();
