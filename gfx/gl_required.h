#pragma once

#include <cstddef>

// The GL functions the program calls, each once, in the order of the areas
// that call them.
constexpr std::size_t requiredGlEntryCount = 45;
extern const char* const requiredGlEntryNames[requiredGlEntryCount];

// Name of the first of those entries GlApi left null, or null when all are
// resolved; the program must not call through the table otherwise.
const char* firstMissingGlEntry();
