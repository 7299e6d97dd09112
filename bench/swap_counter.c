/* Counts a program's presented frames for bench/wayland_bench.py: preloaded,
 * it stands in for eglSwapBuffers and keeps the count in the file named by
 * QUILLOMAR_SWAP_COUNT, which the benchmark reads while the program runs. */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static volatile uint64_t* swapCount;

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    static EGLBoolean (*realSwap)(EGLDisplay, EGLSurface);
    if (!realSwap) {
        realSwap = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
        const char* path = getenv("QUILLOMAR_SWAP_COUNT");
        const int fd = path ? open(path, O_RDWR | O_CREAT, 0644) : -1;
        if (fd >= 0 && ftruncate(fd, sizeof *swapCount) == 0) {
            void* shared = mmap(NULL, sizeof *swapCount, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            swapCount = shared == MAP_FAILED ? NULL : shared;
        }
        if (fd >= 0)
            close(fd);
    }
    if (swapCount)
        ++*swapCount;
    return realSwap(display, surface);
}
