#pragma once

#include <cstdint>

// Linux only: the saver started by GNOME's own idle monitor, for a desktop
// that offers Wayland clients no idle protocol. Each time the session has been
// idle for idleMilliseconds, this program is started again with arguments
// (null-terminated) as a child; never a second while one runs, and never
// again before the user has been active and idle once more. Returns, with the
// child ended, on SIGTERM, SIGINT or SIGHUP or when the session bus goes
// away; says why on stderr and returns at once where there is no session bus.
void runSaverOnGnomeIdle(std::uint64_t idleMilliseconds, const char* const* arguments);
