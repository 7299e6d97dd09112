// Shows the About window alone, without the rest of the program, for tests
// of the window itself.
#include "about/about_window.h"

int main()
{
    new AboutWindow(nullptr, 0);
    return 0;
}
