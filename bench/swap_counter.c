/* Counts a program's presented frames for bench/wayland_bench.py: preloaded,
 * it stands in for eglSwapBuffers and keeps the counts in the file named by
 * QUILLOMAR_SWAP_COUNT, which the benchmark reads while the program runs:
 * the total, then for each surface in the order of its first swap its width
 * and height (32 bits each) and its own count (surfaces beyond the table
 * count in the total only). */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#define SURFACES 16

struct SurfaceCount {
    uint32_t width, height;
    uint64_t swaps;
};

struct SwapCounts {
    uint64_t total;
    struct SurfaceCount surfaces[SURFACES];
};

static volatile struct SwapCounts* counts;
static EGLSurface seen[SURFACES];

static volatile struct SurfaceCount* countOf(EGLSurface surface)
{
    for (int i = 0; i < SURFACES; ++i) {
        if (!seen[i])
            seen[i] = surface;
        if (seen[i] == surface)
            return &counts->surfaces[i];
    }
    return NULL;
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    static EGLBoolean (*realSwap)(EGLDisplay, EGLSurface);
    if (!realSwap) {
        realSwap = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
        const char* path = getenv("QUILLOMAR_SWAP_COUNT");
        const int fd = path ? open(path, O_RDWR | O_CREAT, 0644) : -1;
        if (fd >= 0 && ftruncate(fd, sizeof *counts) == 0) {
            void* shared = mmap(NULL, sizeof *counts, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            counts = shared == MAP_FAILED ? NULL : shared;
        }
        if (fd >= 0)
            close(fd);
    }
    if (counts) {
        ++counts->total;
        volatile struct SurfaceCount* count = countOf(surface);
        EGLint width = 0, height = 0;
        if (count && eglQuerySurface(display, surface, EGL_WIDTH, &width) &&
            eglQuerySurface(display, surface, EGL_HEIGHT, &height)) {
            count->width = (uint32_t)width;
            count->height = (uint32_t)height;
            ++count->swaps;
        }
    }
    return realSwap(display, surface);
}
