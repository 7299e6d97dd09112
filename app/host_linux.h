#pragma once

#include "base/render_quality.h"
#include "base/run_mode.h"

#include <cstdint>
#include <vector>

// The Linux program's own layer around the screensaver command line: the
// options and the variable that XScreenSaver, xsecurelock and other hosts use.

// BadOption: an option's value is not one it takes; the program says so and
// ends with 0 instead of guessing. OnIdle: the program stays and starts the
// saver each time GNOME's session has been idle long enough. Stop: ends this
// user's savers on the current displays.
enum class LinuxAction { Run,
                         Help,
                         Version,
                         BadOption,
                         OnIdle,
                         Stop };

// Which windowing system shows the run: chosen by WAYLAND_DISPLAY unless
// --x11 or --wayland forces one.
enum class LinuxWindowing { Chosen,
                            X11,
                            Wayland };

struct LinuxRun {
    LinuxAction action;
    RunMode mode;
    NativeWindow window;
    bool hostStarted; // started by a host: no instance marker
    LinuxWindowing windowing;
    RenderQuality quality;
    bool everyMonitor;              // --monitors all
    std::uint64_t idleMilliseconds; // OnIdle: how long the session is idle first
    const char* refusal;            // BadOption: what the option takes
};

// Reads the arguments (without the program name) and XSCREENSAVER_WINDOW
// (null when unset). --window-id wins over the variable, the variable over
// --root; without any of them the arguments are the screensaver switches.
LinuxRun readLinuxArguments(int count, const char* const* arguments, const char* windowVariable, bool forceConfig);

// An X window id as hosts and xwininfo write it: decimal, or hexadecimal after
// 0x. Anything else, or a number beyond 32 bits, gives 0, which names no window.
NativeWindow readWindowId(const char* text);

// True when the run is shown through Wayland: a full-screen run (no X window
// to draw into) with WAYLAND_DISPLAY set, or forced by --wayland.
bool usesWayland(const LinuxRun& run, const char* waylandDisplay);

// What an OnIdle run starts: a full-screen run as idle daemons start it, with
// the windowing and quality the user chose. Null-terminated; the program's
// own path goes before it.
std::vector<const char*> idleSaverArguments(const LinuxRun& run);

extern const char linuxUsage[];
