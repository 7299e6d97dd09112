#include "gfx/gl_api.h"

#include "gfx/gl_loader.h"

#include <cstdint>

GlApiTable GlApi;
int glVersionMajor = 0;
int glVersionMinor = 0;

bool isUsableGlAddress(const void* address)
{
    const auto value = reinterpret_cast<std::intptr_t>(address);
    return value != 0 && value != 1 && value != 2 && value != 3 && value != -1;
}

int initGlApi()
{
    openGlLibrary();
#define GL_FUNCTION(ret, name, params) \
    GlApi.name = reinterpret_cast<ret(GL_APIENTRY*) params>(getGlProcAddress(#name));
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
    closeGlLibrary();
    dropEntriesTheContextLacks();

    if (GlApi.glGetIntegerv == nullptr) {
        return -1;
    }
    // A context older than 3.0 rejects these queries and leaves the values untouched.
    glVersionMajor = 0;
    glVersionMinor = 0;
    GlApi.glGetIntegerv(GL_MAJOR_VERSION, &glVersionMajor);
    GlApi.glGetIntegerv(GL_MINOR_VERSION, &glVersionMinor);
    return glVersionMajor < 3 ? -1 : 0;
}
