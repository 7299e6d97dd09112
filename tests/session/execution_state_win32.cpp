// Linked with --wrap=glfwSwapBuffers into the Windows saver: on its tenth
// frame it reads the thread's execution state (a call without ES_CONTINUOUS
// changes no lasting state) and writes it to the file QUILLOMAR_STATE_FILE
// names, so a test can see whether the running saver keeps the display on.
#include <GLFW/glfw3.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>

extern "C" void __real_glfwSwapBuffers(GLFWwindow* window);

extern "C" void __wrap_glfwSwapBuffers(GLFWwindow* window)
{
    static int swaps = 0;
    __real_glfwSwapBuffers(window);
    const char* path = std::getenv("QUILLOMAR_STATE_FILE");
    if (++swaps != 10 || !path)
        return;
    const EXECUTION_STATE state = SetThreadExecutionState(0);
    if (FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "%lx\n", static_cast<unsigned long>(state));
        std::fclose(file);
    }
}
