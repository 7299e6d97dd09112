#include "tests/preview/test_host.h"
#include "tools/host_window.h"

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
    HWND host = reinterpret_cast<HWND>(createHostWindow("Quillomar Test Host", 20, 20, width, height));
    // Its own procedure answers askHost, so the test can tell whose procedure runs.
    SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(testHostProc));
    SendMessageW(host, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hostIcon()));
    SendMessageW(host, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hostIcon()));
    return reinterpret_cast<NativeWindow>(host);
}

void resizeTestHost(NativeWindow host, int width, int height)
{
    resizeHostWindow(host, width, height);
}

void disableTestHost(NativeWindow host)
{
    EnableWindow(toHandle(host), FALSE);
}

void destroyTestHost(NativeWindow host)
{
    destroyHostWindow(host);
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
