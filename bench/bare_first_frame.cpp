// The yardstick for the saver's start-up: a bare GLFW program that opens the
// same full-screen window and context, presents one cleared frame and exits.
#include <GLFW/glfw3.h>

using ClearFn = void (*)(unsigned int);

int main()
{
    if (!glfwInit())
        return 1;
    // The saver's hints, so both ask for the same context.
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 1);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    GLFWwindow* window = glfwCreateWindow(mode->width, mode->height, "Bare first frame", monitor, nullptr);
    if (!window)
        return 1;
    glfwMakeContextCurrent(window);
    auto clear = reinterpret_cast<ClearFn>(glfwGetProcAddress("glClear"));
    clear(0x00004000); // colour buffer
    glfwSwapBuffers(window);
    // Ends as the saver's yardstick build does, without tearing down: only
    // the way to the first frame is timed.
    return 0;
}
