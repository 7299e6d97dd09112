// Linked with --wrap=glfwSwapBuffers into the saver for bench/monitors_bench.py:
// counts each window's presented frames and reports them, with the window's
// size, when the process ends.
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

extern "C" void __real_glfwSwapBuffers(GLFWwindow* window);

namespace {

struct WindowSwaps {
    GLFWwindow* window;
    int width, height;
    long swaps;
    double first, last;
};

WindowSwaps counted[8];

void reportSwaps()
{
    for (const WindowSwaps& w : counted)
        if (w.window && w.swaps > 1)
            std::fprintf(stderr, "window %dx%d fps %.1f\n", w.width, w.height, (w.swaps - 1) / (w.last - w.first));
}

} // namespace

extern "C" void __wrap_glfwSwapBuffers(GLFWwindow* window)
{
    __real_glfwSwapBuffers(window);
    const double now = glfwGetTime();
    for (WindowSwaps& w : counted) {
        if (!w.window) {
            if (&w == counted)
                std::atexit(reportSwaps);
            w.window = window;
            w.first = now;
            glfwGetFramebufferSize(window, &w.width, &w.height);
        }
        if (w.window == window) {
            ++w.swaps;
            w.last = now;
            return;
        }
    }
}
