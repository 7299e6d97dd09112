#include "base/run_mode.h"

bool starsOnEveryMonitor = false;
