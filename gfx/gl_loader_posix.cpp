#include "gfx/gl_api.h"
#include "gfx/gl_loader.h"
#include "platform/window_system.h"

#include <dlfcn.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// glXGetProcAddressARB's type, declared here to keep GLX headers out.
using GlxGetProcAddress = void (*(*)(const unsigned char*))();

void* glLibrary = nullptr;
GlxGetProcAddress glxGetProcAddress = nullptr;

// The extensions that bring the table's extension entries, in table order.
constexpr const char* entryExtensions[] = {
#define GL_CORE(major, minor)
#define GL_EXTENSION(name) name,
#define GL_ENTRY(name)
#include "gfx/gl_entry_origins.inc"
#undef GL_ENTRY
#undef GL_EXTENSION
#undef GL_CORE
};
constexpr std::size_t entryExtensionCount = sizeof entryExtensions / sizeof entryExtensions[0];

void markAdvertised(const char* name, std::size_t length, bool* advertised)
{
    for (std::size_t i = 0; i < entryExtensionCount; ++i) {
        if (std::strlen(entryExtensions[i]) == length && std::strncmp(entryExtensions[i], name, length) == 0) {
            advertised[i] = true;
        }
    }
}

void findAdvertised(bool* advertised)
{
    // One string in a compatibility context, as the saver's; a core profile
    // has none and lists them one by one (Mesa walks its whole list per index).
    const char* list = reinterpret_cast<const char*>(GlApi.glGetString(GL_EXTENSIONS));
    if (list == nullptr) {
        if (GlApi.glGetIntegerv == nullptr || GlApi.glGetStringi == nullptr) {
            return;
        }
        GLint count = 0;
        GlApi.glGetIntegerv(GL_NUM_EXTENSIONS, &count);
        for (GLint i = 0; i < count; ++i) {
            const char* name = reinterpret_cast<const char*>(GlApi.glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
            if (name != nullptr) {
                markAdvertised(name, std::strlen(name), advertised);
            }
        }
        return;
    }
    while (*list != '\0') {
        const std::size_t length = std::strcspn(list, " ");
        markAdvertised(list, length, advertised);
        list += length;
        list += std::strspn(list, " ");
    }
}

} // namespace

void dropEntriesTheContextLacks()
{
    // Without a context there is no version to go by: the lookups stand.
    const char* version =
        GlApi.glGetString != nullptr ? reinterpret_cast<const char*>(GlApi.glGetString(GL_VERSION)) : nullptr;
    int major = 0;
    int minor = 0;
    if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) {
        return;
    }
    bool advertised[entryExtensionCount] = {};
    findAdvertised(advertised);

    bool present = true;
    std::size_t extension = 0;
#define GL_CORE(coreMajor, coreMinor) present = major > (coreMajor) || (major == (coreMajor) && minor >= (coreMinor));
#define GL_EXTENSION(name)            present = advertised[extension++];
#define GL_ENTRY(name)        \
    if (!present) {           \
        GlApi.name = nullptr; \
    }
#include "gfx/gl_entry_origins.inc"
#undef GL_ENTRY
#undef GL_EXTENSION
#undef GL_CORE
}

void openGlLibrary()
{
    // A context whose windowing system brings its own lookup needs no GLX.
    if (contextGlLookup != nullptr) {
        return;
    }
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
    // EGL's lookup (Wayland): glXGetProcAddressARB may not serve a context
    // that GLX did not make.
    if (contextGlLookup != nullptr) {
        return contextGlLookup(name);
    }
    void* address = nullptr;
    if (glxGetProcAddress != nullptr) {
        address = reinterpret_cast<void*>(glxGetProcAddress(reinterpret_cast<const unsigned char*>(name)));
    }
    if (address == nullptr && glLibrary != nullptr) {
        address = dlsym(glLibrary, name);
    }
    return address;
}
