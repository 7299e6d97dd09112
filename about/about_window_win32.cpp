#include "about/about_window.h"

#include "about/about_layout.h"
#include "about/about_text.h"
#include "about/about_window_win32.h"

#include <shellapi.h>

HWND aboutWindowHandle = nullptr;
HBITMAP aboutLogoBitmap = nullptr;
HWND aboutNoticeControl = nullptr;
HWND aboutHeaderControl = nullptr;
HWND aboutButtonControl = nullptr;
HBRUSH aboutBackgroundBrush = nullptr;

namespace {

COLORREF win32Color(AboutColor color)
{
    return RGB(color.red, color.green, color.blue);
}

HFONT win32CreateFont(const AboutFont& font)
{
    return CreateFontA(font.height, font.width, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH,
                       "Arial");
}

HWND win32CreateStatic(const char* text, const AboutRect& rect, int id, HFONT font)
{
    // 64-bit Windows has no GWL_HINSTANCE: the handle is read at its full width.
    const HINSTANCE childInstance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(aboutWindowHandle, GWLP_HINSTANCE));
    HWND control = CreateWindowExA(0, "static", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, rect.x, rect.y, rect.width,
                                   rect.height, aboutWindowHandle,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), childInstance, nullptr);
    SetWindowTextA(control, text);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
    return control;
}

} // namespace

AboutWindow::AboutWindow(void* instance, int showCommand)
{
    HINSTANCE programInstance = instance ? static_cast<HINSTANCE>(instance) : GetModuleHandleA(nullptr);

    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(104), IMAGE_ICON, 16, 16, LR_SHARED));

    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = aboutWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = programInstance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = aboutClassName;
    if (!RegisterClassA(&windowClass))
        MessageBoxA(nullptr, "Window Registration Failed!", "Error!", MB_ICONWARNING);

    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int screenWidth = GetDeviceCaps(screen, HORZRES);
    const int screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    const AboutPosition position = aboutWindowPosition(screenWidth, screenHeight);

    aboutWindowHandle = CreateWindowExA(0, aboutClassName, aboutTitle, WS_SYSMENU, position.x, position.y,
                                        aboutWindowWidth, aboutWindowHeight, nullptr, nullptr, programInstance,
                                        nullptr);
    if (!aboutWindowHandle) {
        MessageBoxA(nullptr, "Window Creation Failed!", "Error!", MB_ICONWARNING);
        // Without a window no quit message would ever come: give up here so
        // the process ends instead of waiting forever.
        return;
    }

    aboutLogoBitmap = static_cast<HBITMAP>(
        LoadImageA(programInstance, MAKEINTRESOURCEA(aboutLogoBitmapId), IMAGE_BITMAP, 0, 0, LR_SHARED));

    HFONT bodyFont = win32CreateFont(aboutBodyFont);
    HFONT headerFont = win32CreateFont(aboutHeaderFont);

    aboutNoticeControl = win32CreateStatic(aboutNoticeText, aboutNoticeRect, aboutNoticeId, bodyFont);
    aboutHeaderControl = win32CreateStatic(aboutHeaderText, aboutHeaderRect, aboutHeaderId, headerFont);

    aboutButtonControl = CreateWindowExA(0, "BUTTON", aboutButtonCaption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, aboutButtonRect.x,
                                         aboutButtonRect.y, aboutButtonRect.width, aboutButtonRect.height,
                                         aboutWindowHandle,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(aboutButtonId)),
                                         programInstance, nullptr);
    SendMessageA(aboutButtonControl, WM_SETFONT, reinterpret_cast<WPARAM>(bodyFont), MAKELPARAM(TRUE, 0));
    // The notice's last 20 rows lie under the button. Children stack in creation
    // order, first on top, and WS_CLIPSIBLINGS spares only the siblings above:
    // raise the button, or the notice repainting alone paints over its caption.
    SetWindowPos(aboutButtonControl, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ShowWindow(aboutWindowHandle, showCommand);
    UpdateWindow(aboutWindowHandle);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    // The controls that used them died with the window.
    DeleteObject(bodyFont);
    DeleteObject(headerFont);
}

LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!aboutBackgroundBrush)
        aboutBackgroundBrush = CreateSolidBrush(win32Color(aboutBackgroundColor));

    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        SetBkColor(dc, win32Color(aboutBackgroundColor));
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, "", 0, nullptr);

        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, aboutLogoBitmap);
        BITMAP bitmap = {};
        GetObjectA(aboutLogoBitmap, sizeof bitmap, &bitmap);
        BitBlt(dc, aboutLogoX, aboutLogoY, bitmap.bmWidth, bitmap.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool header = reinterpret_cast<HWND>(lParam) == aboutHeaderControl;
        SetTextColor(dc, win32Color(header ? aboutHeaderColor : aboutNoticeColor));
        SetBkColor(dc, win32Color(aboutBackgroundColor));
        return reinterpret_cast<LRESULT>(aboutBackgroundBrush);
    }
    case WM_COMMAND:
        if (isVisitWebsiteCommand(wParam))
            ShellExecuteA(window, "open", aboutWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        DeleteObject(aboutLogoBitmap);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
