#include "bench/gl_api_context.h"

#include <GLFW/glfw3.h>

namespace {

GLFWwindow* window = nullptr;

} // namespace

bool openBenchGlContext()
{
    if (!glfwInit()) {
        return false;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(64, 64, "Quillomar bench", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(window);
    return true;
}

void closeBenchGlContext()
{
    if (window != nullptr) {
        glfwDestroyWindow(window);
        window = nullptr;
    }
    glfwTerminate();
}
