#pragma once

// How much of the picture a Linux run draws. Where OpenGL runs in software the
// multisampling alone costs most of a core, so there the saver draws light:
// one sample per pixel and at most lightFramesPerSecond frames, with motion
// still scaled by the measured frame time. Everything else stays as it is.
enum class RenderQuality { Auto,
                           Full,
                           Light };

// What the windowing system can tell about the renderer before any context
// exists.
enum class GpuAnswer { Unknown,
                       Software,
                       Hardware };

constexpr int lightFramesPerSecond = 30;

// "auto", "full" or "light"; false for anything else, *quality untouched.
bool readRenderQuality(const char* text, RenderQuality* quality);

// True for the GL_RENDERER strings of software rasterisers (Mesa's llvmpipe,
// softpipe, swrast and OpenSWR, Microsoft's WARP under WSL).
bool isSoftwareRenderer(const char* rendererName);

// True when the space-separated list (GLX or EGL extensions) holds name whole.
bool listsName(const char* list, const char* name);

// Full or Light. An explicit choice wins; Auto follows the windowing system's
// answer, then the renderer name (null when unknown); knowing neither, Full.
RenderQuality settleRenderQuality(RenderQuality choice, GpuAnswer answer, const char* rendererName);
