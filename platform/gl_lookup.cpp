#include "platform/window_system.h"

void* (*contextGlLookup)(const char* name) = nullptr;
