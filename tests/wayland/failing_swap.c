/* Preloaded into the saver: swaps 30 to 39 fail without presenting, as
 * eglSwapBuffers does when the surface or the connection falters. With
 * QUILLOMAR_FAIL_MAKE_CURRENT set, eglMakeCurrent onto a surface fails from
 * its 30th call on: for good ("always") or for two calls ("twice"). Every
 * other call is the real one. */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    static EGLBoolean (*realSwap)(EGLDisplay, EGLSurface);
    static int swaps;
    if (!realSwap)
        realSwap = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
    ++swaps;
    if (!getenv("QUILLOMAR_FAIL_MAKE_CURRENT") && swaps >= 30 && swaps < 40)
        return EGL_FALSE;
    return realSwap(display, surface);
}

EGLBoolean eglMakeCurrent(EGLDisplay display, EGLSurface draw, EGLSurface read, EGLContext context)
{
    static EGLBoolean (*realMakeCurrent)(EGLDisplay, EGLSurface, EGLSurface, EGLContext);
    static int calls;
    const char* mode = getenv("QUILLOMAR_FAIL_MAKE_CURRENT");
    if (!realMakeCurrent)
        realMakeCurrent = (EGLBoolean(*)(EGLDisplay, EGLSurface, EGLSurface, EGLContext))dlsym(RTLD_NEXT,
                                                                                               "eglMakeCurrent");
    if (mode && draw != EGL_NO_SURFACE && ++calls >= 30 && (strcmp(mode, "always") == 0 || calls < 32))
        return EGL_FALSE;
    return realMakeCurrent(display, draw, read, context);
}
