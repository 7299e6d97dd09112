#include "tools/host_window.h"

#include <windows.h>

namespace {

HWND toHandle(NativeWindow host)
{
    return reinterpret_cast<HWND>(host);
}

RECT outerRect(int width, int height)
{
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    return rect;
}

} // namespace

NativeWindow createHostWindow(const char* title, int x, int y, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground =
            CreateSolidBrush(RGB(hostColourRgb >> 16, (hostColourRgb >> 8) & 0xFF, hostColourRgb & 0xFF));
        windowClass.lpszClassName = L"QuillomarPreviewHost";
        RegisterClassW(&windowClass);
        registered = true;
    }
    const RECT rect = outerRect(width, height);
    HWND host = CreateWindowExA(0, "QuillomarPreviewHost", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    return reinterpret_cast<NativeWindow>(host);
}

void resizeHostWindow(NativeWindow host, int width, int height)
{
    const RECT rect = outerRect(width, height);
    SetWindowPos(toHandle(host), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void destroyHostWindow(NativeWindow host)
{
    DestroyWindow(toHandle(host));
}
