#pragma once

// The settings request's window. Construction shows it and runs its message
// loop until it is closed. instance is the program's module handle (Windows).
class AboutWindow {
public:
    AboutWindow(void* instance, int showCommand);
};
