// Looks at About windows from outside, as another Windows program would.
//   about_probe rects          one line per About window: outer x y width height
//   about_probe command N      posts WM_COMMAND with wParam N to the first one
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

BOOL CALLBACK collect(HWND window, LPARAM list)
{
    char className[64] = {};
    char title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "VantorelWindowClass") == 0 && std::strcmp(title, "About") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<HWND> windows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
    if (argc >= 2 && std::strcmp(argv[1], "rects") == 0) {
        for (HWND window : windows) {
            RECT r;
            GetWindowRect(window, &r);
            std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "command") == 0 && !windows.empty()) {
        const WPARAM wParam = static_cast<WPARAM>(std::strtoull(argv[2], nullptr, 0));
        return PostMessageA(windows[0], WM_COMMAND, wParam, 0) ? 0 : 1;
    }
    return 2;
}
