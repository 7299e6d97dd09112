#include "app/window_icon.h"

#include "base/window_icon_picture.h"

#include <GLFW/glfw3.h>

void setWindowIcon(GLFWwindow* window)
{
    unsigned char columns[64 * 64 * 4];
    unsigned char rows[64 * 64 * 4];
    for (int i = 0; i < 64 * 64 * 4; ++i)
        columns[i] = windowIconColumns[i];
    transposeIconColumns(columns, rows);
    GLFWimage image = {64, 64, rows};
    glfwSetWindowIcon(window, 1, &image);
}
