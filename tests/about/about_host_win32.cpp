// Shows the About window alone, without the rest of the program, for tests
// of the window itself.
#include "about/about_window.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    new AboutWindow(instance, showCommand);
    return 0;
}
