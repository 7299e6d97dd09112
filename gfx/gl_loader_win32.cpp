#include "gfx/gl_api.h"
#include "gfx/gl_loader.h"

#include <windows.h>

namespace {

HMODULE glLibrary = nullptr;

} // namespace

void openGlLibrary()
{
    glLibrary = LoadLibraryA("opengl32.dll");
}

void closeGlLibrary()
{
    // The program imports wglGetProcAddress, so opengl32.dll stays loaded and
    // the entries stay valid after this reference is dropped.
    if (glLibrary != nullptr) {
        FreeLibrary(glLibrary);
    }
}

void* getGlProcAddress(const char* name)
{
    void* address = reinterpret_cast<void*>(wglGetProcAddress(name));
    if (isUsableGlAddress(address)) {
        return address;
    }
    if (glLibrary == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(glLibrary, name));
}

void dropEntriesTheContextLacks()
{
}
