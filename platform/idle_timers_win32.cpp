#include "platform/glfw_native.h"

#include <windows.h>

void rememberIdleTimers()
{
}

// Without ES_DISPLAY_REQUIRED the display turns off after the user's time,
// as it does behind any screensaver.
void giveBackIdleTimers()
{
    SetThreadExecutionState(ES_CONTINUOUS);
}
