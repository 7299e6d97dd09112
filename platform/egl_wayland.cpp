#include "platform/backend_wayland.h"

#include "base/render_settings.h"
#include "platform/gl_renderer.h"

#include <EGL/eglext.h>

#include <cstdio>
#include <dlfcn.h>

namespace {

EGLDisplay eglDisplay = EGL_NO_DISPLAY;
EGLConfig eglConfig = nullptr;
EGLContext eglContext = EGL_NO_CONTEXT;
// The surface the context is current on, so that switching to it again costs
// nothing; unknown after a failed switch.
EGLSurface currentSurface = EGL_NO_SURFACE;
bool currentKnown = false;
void* openGlLibrary = nullptr;

bool makeCurrent(EGLSurface surface)
{
    waylandOutsideListeners("the context switched");
    if (currentKnown && surface == currentSurface)
        return true;
    currentKnown = eglMakeCurrent(eglDisplay, surface, surface, eglContext) == EGL_TRUE;
    currentSurface = surface;
    return currentKnown;
}

bool eglFail(const char* what)
{
    std::fprintf(stderr, "EGL: %s (error 0x%04x)\n", what, static_cast<unsigned>(eglGetError()));
    return false;
}

// Exactly 8 bits a channel: llvmpipe offers a 10-bit config first, which
// weston's pixman renderer shows black.
bool chooseConfig(EGLint samples)
{
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE,
                                 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_SAMPLES, samples, EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    if (!eglChooseConfig(eglDisplay, attributes, configs, 64, &count))
        return false;
    for (EGLint i = 0; i < count; ++i) {
        EGLint red = 0, green = 0, blue = 0, alpha = 0;
        eglGetConfigAttrib(eglDisplay, configs[i], EGL_RED_SIZE, &red);
        eglGetConfigAttrib(eglDisplay, configs[i], EGL_GREEN_SIZE, &green);
        eglGetConfigAttrib(eglDisplay, configs[i], EGL_BLUE_SIZE, &blue);
        eglGetConfigAttrib(eglDisplay, configs[i], EGL_ALPHA_SIZE, &alpha);
        if (red == 8 && green == 8 && blue == 8 && alpha == 8) {
            eglConfig = configs[i];
            return true;
        }
    }
    return false;
}

EGLContext createEglContext(bool version, bool robust)
{
    EGLint attributes[16];
    int n = 0;
    if (version) {
        attributes[n++] = EGL_CONTEXT_MAJOR_VERSION;
        attributes[n++] = renderSettings.contextVersionMajor;
        attributes[n++] = EGL_CONTEXT_MINOR_VERSION;
        attributes[n++] = renderSettings.contextVersionMinor;
    }
    if (robust) {
        attributes[n++] = EGL_CONTEXT_OPENGL_ROBUST_ACCESS;
        attributes[n++] = EGL_TRUE;
        attributes[n++] = EGL_CONTEXT_OPENGL_RESET_NOTIFICATION_STRATEGY;
        attributes[n++] = EGL_LOSE_CONTEXT_ON_RESET;
    }
    attributes[n] = EGL_NONE;
    return eglCreateContext(eglDisplay, eglConfig, EGL_NO_CONTEXT, attributes);
}

// EGL_EXT_device_query names the device behind the display, and Mesa marks
// its software rasteriser's device as such.
GpuAnswer eglDeviceAnswer(EGLDisplay display)
{
    const auto queryDisplay =
        reinterpret_cast<PFNEGLQUERYDISPLAYATTRIBEXTPROC>(eglGetProcAddress("eglQueryDisplayAttribEXT"));
    const auto queryDevice =
        reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
    EGLAttrib device = 0;
    if (!queryDisplay || !queryDevice || !queryDisplay(display, EGL_DEVICE_EXT, &device) || !device)
        return GpuAnswer::Unknown;
    const char* extensions = queryDevice(reinterpret_cast<EGLDeviceEXT>(device), EGL_EXTENSIONS);
    if (extensions && listsName(extensions, "EGL_MESA_device_software"))
        return GpuAnswer::Software;
    if (extensions && listsName(extensions, "EGL_EXT_device_drm"))
        return GpuAnswer::Hardware;
    return GpuAnswer::Unknown;
}

// Otherwise the renderer names itself, in a context made current without a
// surface and dropped at once.
void eglRendererName(EGLDisplay display, char* name, std::size_t size)
{
    const EGLint attributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglBindAPI(EGL_OPENGL_API) || !eglChooseConfig(display, attributes, &config, 1, &count) || count < 1)
        return;
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT)
        return;
    using GetString = const unsigned char* (*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(eglGetProcAddress("glGetString"));
    if (getString && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        constexpr unsigned int glRenderer = 0x1F01;
        if (const unsigned char* text = getString(glRenderer))
            std::snprintf(name, size, "%s", reinterpret_cast<const char*>(text));
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(display, context);
}

} // namespace

GlRenderer waylandQueryGlRenderer()
{
    GlRenderer renderer = {GpuAnswer::Unknown, ""};
    if (!wayland.display)
        return renderer;
    // The display the window's context is made on later: initialised once.
    const EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, wayland.display, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
        return renderer;
    renderer.answer = eglDeviceAnswer(display);
    if (renderer.answer == GpuAnswer::Unknown)
        eglRendererName(display, renderer.name, sizeof renderer.name);
    return renderer;
}

bool waylandEglOpen()
{
    // Opened again after a GPU reset: the lost context cannot be made current
    // again and goes first.
    if (eglContext != EGL_NO_CONTEXT) {
        eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(eglDisplay, eglContext);
        eglContext = EGL_NO_CONTEXT;
    }
    currentKnown = false;
    eglDisplay = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, wayland.display, nullptr);
    if (eglDisplay == EGL_NO_DISPLAY)
        return eglFail("no display on this Wayland connection");
    if (!eglInitialize(eglDisplay, nullptr, nullptr)) {
        eglDisplay = EGL_NO_DISPLAY;
        return eglFail("cannot initialise");
    }
    if (!eglBindAPI(EGL_OPENGL_API))
        return eglFail("no desktop OpenGL");
    const bool found = (renderSettings.samples > 0 && chooseConfig(renderSettings.samples)) || chooseConfig(0);
    if (!found)
        return eglFail("no window config of 8 bits a channel");
    // The robust context where the driver has one, as the X11 program asks.
    if (renderSettings.robustContext)
        eglContext = createEglContext(true, true);
    if (eglContext == EGL_NO_CONTEXT)
        eglContext = createEglContext(true, false);
    if (eglContext == EGL_NO_CONTEXT)
        eglContext = createEglContext(false, false);
    if (eglContext == EGL_NO_CONTEXT)
        return eglFail("cannot create a desktop OpenGL context");
    return true;
}

bool waylandEglAttach(WaylandOutput* output)
{
    if (eglContext == EGL_NO_CONTEXT)
        return false;
    // Sized for real at the surface's configure, before the first frame.
    const int width = output->bufferWidth > 0 ? output->bufferWidth : (output->width > 0 ? output->width : 800);
    const int height = output->bufferHeight > 0 ? output->bufferHeight : (output->height > 0 ? output->height : 600);
    output->eglWindow = wl_egl_window_create(output->surface, width, height);
    if (!output->eglWindow)
        return eglFail("cannot create a window");
    output->eglSurface = eglCreatePlatformWindowSurface(eglDisplay, eglConfig, output->eglWindow, nullptr);
    if (output->eglSurface == EGL_NO_SURFACE) {
        wl_egl_window_destroy(output->eglWindow);
        output->eglWindow = nullptr;
        return eglFail("cannot create a window surface");
    }
    // A failure here is counted and tried again, quietly: an output that
    // keeps failing is given up.
    if (!makeCurrent(output->eglSurface)) {
        waylandEglDetach(output);
        return false;
    }
    // The frame callbacks pace the loop; a swap that waited for one would
    // stall every output and all input while this one is hidden.
    eglSwapInterval(eglDisplay, 0);
    return true;
}

bool waylandEglMakeCurrent(const WaylandOutput* output)
{
    return makeCurrent(output && output->eglSurface ? output->eglSurface : EGL_NO_SURFACE);
}

void waylandEglResize(WaylandOutput* output)
{
    if (output->eglWindow)
        wl_egl_window_resize(output->eglWindow, output->bufferWidth, output->bufferHeight, 0, 0);
}

void waylandEglDetach(WaylandOutput* output)
{
    if (output->eglSurface != EGL_NO_SURFACE && output->eglSurface != nullptr) {
        if (eglGetCurrentSurface(EGL_DRAW) == output->eglSurface)
            makeCurrent(EGL_NO_SURFACE);
        if (currentSurface == output->eglSurface)
            currentKnown = false;
        eglDestroySurface(eglDisplay, output->eglSurface);
    }
    if (output->eglWindow)
        wl_egl_window_destroy(output->eglWindow);
    output->eglSurface = EGL_NO_SURFACE;
    output->eglWindow = nullptr;
}

bool waylandEglSwap(WaylandOutput* output)
{
    waylandOutsideListeners("a frame swapped");
    return eglSwapBuffers(eglDisplay, output->eglSurface) == EGL_TRUE;
}

void waylandEglClose()
{
    if (eglDisplay == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (eglContext != EGL_NO_CONTEXT)
        eglDestroyContext(eglDisplay, eglContext);
    eglTerminate(eglDisplay);
    eglReleaseThread();
    eglDisplay = EGL_NO_DISPLAY;
    eglContext = EGL_NO_CONTEXT;
    currentKnown = false;
}

void* waylandEglProcAddress(const char* name)
{
    if (void* address = reinterpret_cast<void*>(eglGetProcAddress(name)))
        return address;
    // EGL before 1.5 looks up no core entries; the GL library exports them.
    if (!openGlLibrary)
        openGlLibrary = dlopen("libOpenGL.so.0", RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
    return openGlLibrary ? dlsym(openGlLibrary, name) : nullptr;
}
