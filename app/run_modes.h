#pragma once

#include "base/run_mode.h"

// The entry point's dispatch; returns the process exit code (always 0).
int quillomarMain(const char* commandLine, void* instance, int showCommand);

// The dispatch once the mode and host are known. A run that a screensaver host
// started neither takes nor tests the instance marker, so every screen and
// monitor gets its own instance and a restart never meets the one it replaces.
int startRun(RunMode mode, NativeWindow host, bool hostStarted, void* instance, int showCommand);
