/* Preloaded into the saver: swaps 30 to 39 fail without presenting, as
 * eglSwapBuffers does when the surface or the connection falters; every
 * other swap is the real one. */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <dlfcn.h>

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    static EGLBoolean (*realSwap)(EGLDisplay, EGLSurface);
    static int swaps;
    if (!realSwap)
        realSwap = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
    ++swaps;
    if (swaps >= 30 && swaps < 40)
        return EGL_FALSE;
    return realSwap(display, surface);
}
