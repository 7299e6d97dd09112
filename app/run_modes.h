#pragma once

#include "app/platform.h"

#include <cstdint>

enum RunMode : int { Preview = 0, Saver = 1, Config = 2, Plain = 3 };

extern RunMode runMode;
extern NativeWindow hostWindow;

struct CommandLine {
    RunMode mode;
    std::int32_t number;
};

// Reads the screensaver switches; the last recognised one decides.
CommandLine parseCommandLine(const char* text, bool forceConfig);

// atoi's rules, but a number beyond 32 bits is clamped instead of undefined.
std::int32_t readClampedNumber(const char* text);

// The entry point's dispatch; returns the process exit code (always 0).
int quillomarMain(const char* commandLine, void* instance, int showCommand);

// The dispatch once the mode and host are known. A run that a screensaver host
// started neither takes nor tests the instance marker, so every screen and
// monitor gets its own instance and a restart never meets the one it replaces.
int startRun(RunMode mode, NativeWindow host, bool hostStarted, void* instance, int showCommand);

void computeWindowSize();
int primaryMonitorSize(int which);

// Stores a window size; the aspect ratio keeps its last valid value while the
// height is 0, so a minimised window never hands the scene a division by zero.
void storeWindowGeometry(int width, int height);
