#include "base/run_exit.h"

#include <cstdlib>

void (*startupShutdown)() = nullptr;

void failStartup()
{
    if (startupShutdown)
        startupShutdown();
    std::exit(0);
}
