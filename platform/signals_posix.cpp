#include "platform/platform.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t stopSignalled = 0;

extern "C" void onStopSignal(int)
{
    stopSignalled = 1;
}

} // namespace

void watchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Xlib's reads and writes go on after the handler; the pacing sleep
    // returns early, which only ends the last pass sooner.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool stopRequested()
{
    return stopSignalled != 0;
}
