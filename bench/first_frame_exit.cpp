// Linked with --wrap=glfwSwapBuffers into the saver: it ends right after its
// first presented frame, so start-up can be timed from outside.
#include <GLFW/glfw3.h>

#include <cstdlib>

extern "C" void __real_glfwSwapBuffers(GLFWwindow* window);

extern "C" void __wrap_glfwSwapBuffers(GLFWwindow* window)
{
    __real_glfwSwapBuffers(window);
    std::exit(0);
}
