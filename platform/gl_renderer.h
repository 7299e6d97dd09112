#pragma once

#include "base/render_quality.h"

// What OpenGL on the display runs on, found before the render window is made
// (the windowing library must be started). The name is GL_RENDERER where it
// had to be asked, otherwise empty.
struct GlRenderer {
    GpuAnswer answer;
    char name[128];
};

GlRenderer x11QueryGlRenderer();
// The same through EGL on the Wayland connection.
GlRenderer waylandQueryGlRenderer();
