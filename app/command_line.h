#pragma once

#include "base/run_mode.h"

#include <cstdint>

struct CommandLine {
    RunMode mode;
    std::int32_t number;
};

// Reads the screensaver switches; the last recognised one decides.
CommandLine parseCommandLine(const char* text, bool forceConfig);

// The white space atoi skips before a number.
constexpr char commandLineSpace[] = " \t\n\v\f\r";
bool isCommandLineSpace(char c);

// atoi's rules, but a number beyond 32 bits is clamped instead of undefined.
std::int32_t readClampedNumber(const char* text);
