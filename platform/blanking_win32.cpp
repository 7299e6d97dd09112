#include "platform/glfw_native.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

namespace {

WNDPROC glfwWindowProc = nullptr;

// GLFW's procedure answers WM_ERASEBKGND without erasing, which would leave
// the desktop showing; these windows are erased to black instead, and the
// rest stays GLFW's.
LRESULT CALLBACK blackWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT area;
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    return CallWindowProcW(glfwWindowProc, window, message, wParam, lParam);
}

} // namespace

void showBlackWindow(GLFWwindow* window)
{
    HWND handle = glfwGetWin32Window(window);
    glfwWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(blackWindowProc)));
    glfwShowWindow(window);
    // Erase and paint before the first pass of the loop polls for it.
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_UPDATENOW);
}

// Nothing here: the desktop compositor keeps each window's last frame through
// a display change. (Wine passes no display change on, so this is untried.)
void paintBackgroundBlack(GLFWwindow*)
{
}

void openBackdrop(GLFWwindow*)
{
}

void closeBackdrop()
{
}
