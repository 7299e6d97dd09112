#include "app/run_modes.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return quillomarMain(commandLine ? commandLine : "", instance, showCommand);
}
