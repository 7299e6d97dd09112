#include "platform/platform.h"

#include <csignal>
#include <spawn.h>
#include <string>

extern char** environ;

bool openWebPage(const char* address)
{
    // Finished openers are released by the system at once, never left as
    // zombies; the program starts nothing it waits for.
    static bool reaping = false;
    if (!reaping) {
        struct sigaction reapAtOnce = {};
        reapAtOnce.sa_handler = SIG_DFL;
        reapAtOnce.sa_flags = SA_NOCLDWAIT;
        sigemptyset(&reapAtOnce.sa_mask);
        sigaction(SIGCHLD, &reapAtOnce, nullptr);
        reaping = true;
    }
    // The address travels as one argument: no shell ever sees it. The opener
    // gets the default SIGCHLD back, so what it starts and waits for in turn
    // behaves as usual.
    char program[] = "xdg-open";
    std::string argument = address;
    char* argv[] = {program, &argument[0], nullptr};
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return false;
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const bool started = posix_spawnp(&pid, program, nullptr, &attributes, argv, environ) == 0;
    posix_spawnattr_destroy(&attributes);
    return started;
}
