#include "platform/gl_renderer.h"
#include "platform/x11.h"

#include <GLFW/glfw3.h>
#include <GL/glx.h>
#include <GL/glxext.h>
#include <dlfcn.h>

#include <cstdio>

namespace {

using GlxQueryExtensionsString = const char* (*)(Display*, int);
using GlxGetProcAddress = void (*(*)(const GLubyte*))();
using GlGetString = const GLubyte* (*)(GLenum);

// GLX_MESA_query_renderer answers without a context. The GL library is
// opened by name, as GLFW and the entry-point table do, so the program does
// not link it; it stays loaded, since GLX leaves a close hook on the display.
GpuAnswer x11AskGlx(Display* display)
{
    void* library = dlopen("libGL.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return GpuAnswer::Unknown;
    GpuAnswer answer = GpuAnswer::Unknown;
    const auto queryExtensions =
        reinterpret_cast<GlxQueryExtensionsString>(dlsym(library, "glXQueryExtensionsString"));
    const auto getProcAddress = reinterpret_cast<GlxGetProcAddress>(dlsym(library, "glXGetProcAddressARB"));
    const int screen = DefaultScreen(display);
    const char* extensions = queryExtensions ? queryExtensions(display, screen) : nullptr;
    if (getProcAddress && extensions && listsName(extensions, "GLX_MESA_query_renderer")) {
        const auto queryRenderer = reinterpret_cast<PFNGLXQUERYRENDERERINTEGERMESAPROC>(
            getProcAddress(reinterpret_cast<const GLubyte*>("glXQueryRendererIntegerMESA")));
        unsigned int accelerated[3] = {};
        if (queryRenderer && queryRenderer(display, screen, 0, GLX_RENDERER_ACCELERATED_MESA, accelerated))
            answer = accelerated[0] ? GpuAnswer::Hardware : GpuAnswer::Software;
    }
    return answer;
}

// Without the extension (NVIDIA's driver, indirect GLX) only a context can
// tell. A hidden 1 x 1 window is never mapped, so nothing shows, and it costs
// one context creation, against making the render window twice.
void x11AskContext(char* name, std::size_t size)
{
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* probe = glfwCreateWindow(1, 1, "", nullptr, nullptr);
    glfwWindowHint(GLFW_VISIBLE, GLFW_TRUE);
    if (!probe)
        return;
    GLFWwindow* current = glfwGetCurrentContext();
    glfwMakeContextCurrent(probe);
    const auto getString = reinterpret_cast<GlGetString>(glfwGetProcAddress("glGetString"));
    if (const GLubyte* renderer = getString ? getString(GL_RENDERER) : nullptr)
        std::snprintf(name, size, "%s", reinterpret_cast<const char*>(renderer));
    glfwMakeContextCurrent(current);
    glfwDestroyWindow(probe);
}

} // namespace

GlRenderer x11QueryGlRenderer()
{
    GlRenderer renderer = {GpuAnswer::Unknown, ""};
    // A failure here shows again, and is reported, when the render window is made.
    GLFWerrorfun shown = glfwSetErrorCallback(nullptr);
    if (Display* display = x11Display()) {
        renderer.answer = x11AskGlx(display);
        if (renderer.answer == GpuAnswer::Unknown)
            x11AskContext(renderer.name, sizeof renderer.name);
    }
    glfwSetErrorCallback(shown);
    return renderer;
}
