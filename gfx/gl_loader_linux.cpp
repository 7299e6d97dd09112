#include "gfx/gl_api.h"
#include "gfx/gl_loader.h"

#include <dlfcn.h>

namespace {

// glXGetProcAddressARB's type, declared here to keep GLX headers out.
using GlxGetProcAddress = void (*(*)(const unsigned char*))();

void* glLibrary = nullptr;
GlxGetProcAddress glxGetProcAddress = nullptr;

} // namespace

void openGlLibrary()
{
    // RTLD_NODELETE keeps libGL mapped after dlclose, so the table's entries
    // stay valid for the life of the process, as they do on Windows.
    glLibrary = dlopen("libGL.so.1", RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
    glxGetProcAddress = glLibrary != nullptr
        ? reinterpret_cast<GlxGetProcAddress>(dlsym(glLibrary, "glXGetProcAddressARB"))
        : nullptr;
}

void closeGlLibrary()
{
    if (glLibrary != nullptr) {
        dlclose(glLibrary);
    }
    glLibrary = nullptr;
    glxGetProcAddress = nullptr;
}

void* getGlProcAddress(const char* name)
{
    void* address = nullptr;
    if (glxGetProcAddress != nullptr) {
        address = reinterpret_cast<void*>(glxGetProcAddress(reinterpret_cast<const unsigned char*>(name)));
    }
    if (address == nullptr && glLibrary != nullptr) {
        address = dlsym(glLibrary, name);
    }
    return address;
}
