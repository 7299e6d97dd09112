#include "tests/support/gl_test_context.h"

#include "gfx/gl_api.h"

#include <GLFW/glfw3.h>

#include <cstddef>
#include <cstring>

namespace {

GLFWwindow* window = nullptr;

} // namespace

bool openTestGlContext(int width, int height)
{
    closeTestGlContext();
    if (!glfwInit()) {
        return false;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(width, height, "Quillomar test", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(window);
    initGlApi();
    return true;
}

void closeTestGlContext()
{
    if (window != nullptr) {
        glfwMakeContextCurrent(nullptr);
        glfwDestroyWindow(window);
        window = nullptr;
        glfwTerminate();
    }
}

GLFWwindow* testGlWindow()
{
    return window;
}

std::vector<unsigned char> readTestFramebuffer(int width, int height)
{
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<unsigned char> bottomUp(row * static_cast<std::size_t>(height));
    if (window == nullptr || GlApi.glReadPixels == nullptr || bottomUp.empty()) {
        return bottomUp;
    }
    GlApi.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    GlApi.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> topDown(bottomUp.size());
    for (int y = 0; y < height; ++y) {
        std::memcpy(&topDown[static_cast<std::size_t>(y) * row],
                    &bottomUp[static_cast<std::size_t>(height - 1 - y) * row], row);
    }
    return topDown;
}
