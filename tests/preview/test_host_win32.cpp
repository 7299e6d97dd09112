#include "tests/preview/test_host.h"

#include <windows.h>

namespace {

const UINT askHost = WM_APP + 7;
const LRESULT hostAnswer = 4242;

LRESULT CALLBACK testHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == askHost)
        return hostAnswer;
    return DefWindowProcW(window, message, wParam, lParam);
}

HICON hostIcon()
{
    return LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION));
}

HWND toHandle(NativeWindow host)
{
    return reinterpret_cast<HWND>(host);
}

} // namespace

NativeWindow createTestHost(int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = testHostProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuillomarTestHost";
        RegisterClassW(&windowClass);
        registered = true;
    }
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = CreateWindowW(L"QuillomarTestHost", L"Quillomar Test Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(host, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hostIcon()));
    SendMessageW(host, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hostIcon()));
    return reinterpret_cast<NativeWindow>(host);
}

void resizeTestHost(NativeWindow host, int width, int height)
{
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(toHandle(host), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void disableTestHost(NativeWindow host)
{
    EnableWindow(toHandle(host), FALSE);
}

void destroyTestHost(NativeWindow host)
{
    DestroyWindow(toHandle(host));
}

bool testHostExists(NativeWindow host)
{
    return IsWindow(toHandle(host)) != FALSE;
}

bool testHostIsItsOwn(NativeWindow host)
{
    HWND window = toHandle(host);
    const LRESULT bigIcon = SendMessageW(window, WM_GETICON, ICON_BIG, 0);
    const LRESULT smallIcon = SendMessageW(window, WM_GETICON, ICON_SMALL, 0);
    return SendMessageW(window, askHost, 0, 0) == hostAnswer && !GetPropW(window, L"GLFW") &&
           GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(testHostProc) &&
           bigIcon == reinterpret_cast<LRESULT>(hostIcon()) && smallIcon == reinterpret_cast<LRESULT>(hostIcon());
}

bool testHostIsTakenOver(NativeWindow host)
{
    HWND window = toHandle(host);
    return SendMessageW(window, askHost, 0, 0) != hostAnswer && GetPropW(window, L"GLFW");
}

void clickTestHost(NativeWindow host)
{
    PostMessageW(toHandle(host), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
}

NativeWindow vanishedWindowHandle()
{
    const NativeWindow host = createTestHost(10, 10);
    destroyTestHost(host);
    return host;
}

const char* noWindowErrorPrefix()
{
    return "WGL: Failed to retrieve DC for window";
}
