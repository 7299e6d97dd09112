// The About window where the system refuses its class and its window: the
// class name is taken first by a class whose windows refuse creation.
#include "about/about_window.h"

#include <windows.h>

namespace {

LRESULT CALLBACK refuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        return FALSE;
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSA taken = {};
    taken.lpfnWndProc = refuseCreation;
    taken.hInstance = instance;
    taken.lpszClassName = "VantorelWindowClass";
    RegisterClassA(&taken);
    new AboutWindow(instance, showCommand);
    return 0;
}
