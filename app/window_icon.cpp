#include "app/window_icon.h"

#include <GLFW/glfw3.h>

const unsigned char windowIconColumns[64 * 64 * 4] = {
#include "app/window_icon_data.inc"
};

void transposeIconColumns(const unsigned char* columns, unsigned char* rows)
{
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            for (int c = 0; c < 4; ++c)
                rows[(y * 64 + x) * 4 + c] = columns[(x * 64 + y) * 4 + c];
        }
    }
}

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
