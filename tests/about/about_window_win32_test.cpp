// The Windows About window built in this process, inspected from a second
// thread while its message loop runs, then closed as the close box does.
#include "about/about_layout.h"
#include "about/about_text.h"
#include "about/about_window.h"
#include "about/about_window_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

struct SeenChild {
    bool found = false;
    std::string className;
    LONG style = 0;
    RECT rect = {};
    std::string text;
    LOGFONTA font = {};
    bool hasFont = false;
};

struct Seen {
    bool found = false;
    RECT outer = {};
    int screenWidth = 0, screenHeight = 0;
    LONG style = 0;
    HWND owner = nullptr;
    HWND parent = nullptr;
    BOOL classFound = FALSE;
    WNDCLASSA windowClass = {};
    HCURSOR arrow = nullptr;
    HANDLE informationIcon = nullptr;
    SeenChild notice, header, button;
    BITMAP logo = {};
    COLORREF headerText = 0, noticeText = 0, otherText = 0, textBackground = 0;
    LOGBRUSH brush = {};
    bool brushIsTheBackground = false;
    bool openAfterCommands = false;
    int buttonPixelsOfBackground = -1;
};

SeenChild inspectChild(HWND about, HWND child)
{
    SeenChild seen;
    if (!child)
        return seen;
    seen.found = true;
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    seen.className = name;
    seen.style = GetWindowLongA(child, GWL_STYLE);
    GetWindowRect(child, &seen.rect);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&seen.rect), 2);
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    seen.text = text;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
    seen.hasFont = font && GetObjectA(font, sizeof seen.font, &seen.font) == sizeof seen.font;
    return seen;
}

void inspect(Seen* seen)
{
    HWND about = nullptr;
    // Shown only once every control exists.
    for (int i = 0; i < 200 && !(about && IsWindowVisible(about)); ++i) {
        about = FindWindowA(aboutClassName, aboutTitle);
        Sleep(50);
    }
    if (!about || !IsWindowVisible(about))
        return;
    seen->found = true;
    HDC screen = GetDC(nullptr);
    seen->screenWidth = GetDeviceCaps(screen, HORZRES);
    seen->screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    GetWindowRect(about, &seen->outer);
    seen->style = GetWindowLongA(about, GWL_STYLE);
    seen->owner = GetWindow(about, GW_OWNER);
    seen->parent = GetAncestor(about, GA_PARENT);
    seen->classFound = GetClassInfoA(GetModuleHandleA(nullptr), aboutClassName, &seen->windowClass);
    seen->arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    // Shared images come back as the same handle; Wine's user32 has no icon
    // 104, so there both are null and the class falls back to the default.
    seen->informationIcon =
        LoadImageA(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(104), IMAGE_ICON, 16, 16, LR_SHARED);
    seen->notice = inspectChild(about, aboutNoticeControl);
    seen->header = inspectChild(about, aboutHeaderControl);
    seen->button = inspectChild(about, aboutButtonControl);
    GetObjectA(aboutLogoBitmap, sizeof seen->logo, &seen->logo);

    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(aboutHeaderControl));
    seen->headerText = GetTextColor(dc);
    SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(aboutNoticeControl));
    seen->noticeText = GetTextColor(dc);
    SetTextColor(dc, RGB(1, 2, 3));
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(about)));
    seen->otherText = GetTextColor(dc);
    seen->textBackground = GetBkColor(dc);
    seen->brushIsTheBackground = brush == aboutBackgroundBrush;
    GetObjectA(brush, sizeof seen->brush, &seen->brush);
    DeleteDC(dc);

    // The notice repainting alone must leave the button it overlaps intact.
    UpdateWindow(aboutButtonControl);
    InvalidateRect(aboutNoticeControl, nullptr, TRUE);
    UpdateWindow(aboutNoticeControl);
    HDC window = GetDC(about);
    seen->buttonPixelsOfBackground = 0;
    for (int i = 0; i < aboutButtonRect.width * aboutButtonRect.height; ++i)
        seen->buttonPixelsOfBackground += GetPixel(window, aboutButtonRect.x + i % aboutButtonRect.width,
                                                   aboutButtonRect.y + i / aboutButtonRect.width) == RGB(177, 232, 179);
    ReleaseDC(about, window);

    // Commands that are not the button's click: nothing happens, the window stays.
    SendMessageA(about, WM_COMMAND, 11, 0);
    SendMessageA(about, WM_COMMAND, MAKEWPARAM(10, 1), 0);
    SendMessageA(about, WM_COMMAND, MAKEWPARAM(30, 0), 0);
    seen->openAfterCommands = IsWindow(about) && IsWindowVisible(about);

    PostMessageA(about, WM_CLOSE, 0, 0);
}

void expectFont(const SeenChild& child, const AboutFont& font)
{
    ASSERT_TRUE(child.hasFont);
    EXPECT_EQ(child.font.lfHeight, font.height);
    EXPECT_EQ(child.font.lfWidth, font.width);
    EXPECT_EQ(child.font.lfEscapement, 0);
    EXPECT_EQ(child.font.lfOrientation, 0);
    EXPECT_EQ(child.font.lfWeight, font.weight);
    EXPECT_EQ(child.font.lfItalic, 0);
    EXPECT_EQ(child.font.lfUnderline != 0, font.underline);
    EXPECT_EQ(child.font.lfStrikeOut, 0);
    EXPECT_EQ(child.font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(child.font.lfOutPrecision, OUT_OUTLINE_PRECIS);
    EXPECT_EQ(child.font.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(child.font.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_EQ(child.font.lfPitchAndFamily, VARIABLE_PITCH);
    EXPECT_STREQ(child.font.lfFaceName, "Arial");
}

void expectRect(const SeenChild& child, const AboutRect& rect)
{
    EXPECT_EQ(child.rect.left, rect.x);
    EXPECT_EQ(child.rect.top, rect.y);
    EXPECT_EQ(child.rect.right - child.rect.left, rect.width);
    EXPECT_EQ(child.rect.bottom - child.rect.top, rect.height);
}

} // namespace

TEST(AboutWindowWin32, BuiltAsDesignedAndClosedByWmClose)
{
    Seen seen;
    std::thread inspector(inspect, &seen);
    new AboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL); // returns once the loop ends
    inspector.join();

    ASSERT_TRUE(seen.found);
    const AboutPosition position = aboutWindowPosition(seen.screenWidth, seen.screenHeight);
    EXPECT_EQ(seen.outer.left, position.x);
    EXPECT_EQ(seen.outer.top, position.y);
    EXPECT_EQ(seen.outer.right - seen.outer.left, 400);
    EXPECT_EQ(seen.outer.bottom - seen.outer.top, 300);
    EXPECT_TRUE(seen.style & WS_SYSMENU);
    EXPECT_EQ(seen.style & WS_CAPTION, WS_CAPTION); // what an overlapped window gets with it
    EXPECT_FALSE(seen.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP | WS_CHILD));
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_EQ(seen.parent, GetDesktopWindow());

    ASSERT_TRUE(seen.classFound);
    EXPECT_EQ(seen.windowClass.style, 0u);
    EXPECT_EQ(seen.windowClass.lpfnWndProc, aboutWindowProc);
    EXPECT_EQ(seen.windowClass.cbClsExtra, 0);
    EXPECT_EQ(seen.windowClass.cbWndExtra, 0);
    EXPECT_EQ(seen.windowClass.hIcon, seen.informationIcon);
    EXPECT_EQ(seen.windowClass.hCursor, seen.arrow);
    EXPECT_EQ(seen.windowClass.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));

    const LONG childStyle = WS_CHILD | WS_VISIBLE;
    ASSERT_TRUE(seen.notice.found);
    EXPECT_EQ(seen.notice.className, "Static");
    EXPECT_EQ(seen.notice.style & (childStyle | WS_TABSTOP), childStyle | WS_TABSTOP);
    expectRect(seen.notice, aboutNoticeRect);
    EXPECT_EQ(seen.notice.text, aboutNoticeText);
    expectFont(seen.notice, aboutBodyFont);

    ASSERT_TRUE(seen.header.found);
    EXPECT_EQ(seen.header.className, "Static");
    EXPECT_EQ(seen.header.style & (childStyle | WS_TABSTOP), childStyle | WS_TABSTOP);
    expectRect(seen.header, aboutHeaderRect);
    EXPECT_EQ(seen.header.text, aboutHeaderText);
    expectFont(seen.header, aboutHeaderFont);

    ASSERT_TRUE(seen.button.found);
    EXPECT_EQ(seen.button.className, "Button");
    EXPECT_EQ(seen.button.style & (childStyle | WS_TABSTOP | 0xF), childStyle); // BS_PUSHBUTTON, no tab stop
    expectRect(seen.button, aboutButtonRect);
    EXPECT_EQ(seen.button.text, "Visit website");
    expectFont(seen.button, aboutBodyFont);

    EXPECT_EQ(seen.logo.bmWidth, 110);
    EXPECT_EQ(seen.logo.bmHeight, 83);

    EXPECT_EQ(seen.headerText, RGB(0, 0, 0));
    EXPECT_EQ(seen.noticeText, RGB(0, 51, 255));
    EXPECT_EQ(seen.otherText, RGB(0, 51, 255));
    EXPECT_EQ(seen.textBackground, RGB(177, 232, 179));
    EXPECT_TRUE(seen.brushIsTheBackground);
    EXPECT_EQ(seen.brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(seen.brush.lbColor, RGB(177, 232, 179));

    EXPECT_EQ(seen.buttonPixelsOfBackground, 0);
    EXPECT_TRUE(seen.openAfterCommands);
    EXPECT_FALSE(IsWindow(aboutWindowHandle));
}
