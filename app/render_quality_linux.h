#pragma once

#include "base/render_quality.h"
#include "platform/gl_renderer.h"
#include "platform/window_system.h"

// SYSTEM with the picture chosen just before its render window is made: CHOICE,
// or for Auto what ASK tells about the renderer. The light picture takes one
// sample per pixel and at most lightFramesPerSecond frames.
const WindowSystem* choosingRenderQuality(const WindowSystem* system, RenderQuality choice, GlRenderer (*ask)());
