// Linked with --wrap=glfwSwapBuffers into the saver: counts the presented
// frames and reports them with the framebuffer's sample count when the
// process ends, so a test can tell the light picture from the full one.
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

extern "C" void __real_glfwSwapBuffers(GLFWwindow* window);

namespace {

long swaps = 0;
int samples = -1;
double firstSwap = 0.0;
double lastSwap = 0.0;

void reportSwaps()
{
    std::fprintf(stderr, "swaps %ld samples %d seconds %.3f\n", swaps, samples, lastSwap - firstSwap);
}

} // namespace

extern "C" void __wrap_glfwSwapBuffers(GLFWwindow* window)
{
    __real_glfwSwapBuffers(window);
    lastSwap = glfwGetTime();
    if (swaps++ == 0) {
        using GetIntegerv = void (*)(unsigned int, int*);
        const auto getIntegerv = reinterpret_cast<GetIntegerv>(glfwGetProcAddress("glGetIntegerv"));
        getIntegerv(0x80A9 /* GL_SAMPLES */, &samples);
        firstSwap = lastSwap;
        std::atexit(reportSwaps);
    }
}
