// Linked with --wrap for GLFW's window making and dropping and for the calls
// that run our callbacks: making or dropping a window while one of our
// callbacks runs aborts the run (GLFW forbids both there). With
// QUILLOMAR_REFUSE_STAR_WINDOWS set, every window that would share the render
// window's objects is refused, as a driver out of contexts would. The calls
// made and refused are reported on exit, so a test can tell a bounded give-up
// from one tried again every pass.
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

extern "C" {
GLFWwindow* __real_glfwCreateWindow(int width, int height, const char* title, GLFWmonitor* monitor,
                                    GLFWwindow* share);
void __real_glfwDestroyWindow(GLFWwindow* window);
void __real_glfwPollEvents(void);
void __real_glfwSetWindowMonitor(GLFWwindow* window, GLFWmonitor* monitor, int x, int y, int width, int height,
                                 int refreshRate);
}

namespace {

int inCallbacks = 0;
long made = 0, refused = 0, dropped = 0;

void report()
{
    std::fprintf(stderr, "windows made %ld refused %ld dropped %ld\n", made, refused, dropped);
}

void requireNoCallback(const char* call)
{
    if (inCallbacks == 0)
        return;
    std::fprintf(stderr, "%s called from a GLFW callback\n", call);
    std::fflush(stderr);
    std::abort();
}

} // namespace

extern "C" GLFWwindow* __wrap_glfwCreateWindow(int width, int height, const char* title, GLFWmonitor* monitor,
                                               GLFWwindow* share)
{
    requireNoCallback("glfwCreateWindow");
    if (made + refused == 0)
        std::atexit(report);
    if (share && std::getenv("QUILLOMAR_REFUSE_STAR_WINDOWS")) {
        ++refused;
        return nullptr;
    }
    GLFWwindow* window = __real_glfwCreateWindow(width, height, title, monitor, share);
    made += window != nullptr;
    return window;
}

extern "C" void __wrap_glfwDestroyWindow(GLFWwindow* window)
{
    requireNoCallback("glfwDestroyWindow");
    dropped += window != nullptr;
    __real_glfwDestroyWindow(window);
}

// Every callback of ours runs inside one of these.
extern "C" void __wrap_glfwPollEvents(void)
{
    ++inCallbacks;
    __real_glfwPollEvents();
    --inCallbacks;
}

extern "C" void __wrap_glfwSetWindowMonitor(GLFWwindow* window, GLFWmonitor* monitor, int x, int y, int width,
                                            int height, int refreshRate)
{
    ++inCallbacks;
    __real_glfwSetWindowMonitor(window, monitor, x, y, width, height, refreshRate);
    --inCallbacks;
}
