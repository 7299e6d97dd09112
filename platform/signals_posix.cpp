#include "platform/platform.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace {

// Raised by signal handlers and by GDBus's thread; lock-free, so both may.
std::atomic<int> stopSignalled{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler writes it");

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

void requestStop()
{
    stopSignalled = 1;
}

bool stopRequested()
{
    return stopSignalled != 0;
}
