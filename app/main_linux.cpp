#include "app/host_linux.h"
#include "app/render_quality_linux.h"
#include "app/run_modes.h"
#include "app/windowing.h"
#include "base/render_settings.h"
#include "platform/gl_renderer.h"
#include "platform/idle_monitor.h"
#include "platform/platform.h"
#include "platform/wayland.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const LinuxRun run = readLinuxArguments(argc - 1, argv + 1, std::getenv("XSCREENSAVER_WINDOW"),
                                            renderSettings.forceConfig);
    if (run.action == LinuxAction::Help) {
        std::fputs(linuxUsage, stdout);
        return 0;
    }
    if (run.action == LinuxAction::Version) {
        std::printf("quillomar %s\n", QUILLOMAR_VERSION);
        return 0;
    }
    if (run.action == LinuxAction::BadOption) {
        std::fprintf(stderr, "quillomar: %s\n", run.refusal);
        return 0;
    }
    if (run.action == LinuxAction::OnIdle) {
        runSaverOnGnomeIdle(run.idleMilliseconds, idleSaverArguments(run).data());
        return 0;
    }
    const char* xDisplay = std::getenv("DISPLAY");
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    if (run.action == LinuxAction::Stop) {
        const char* displays[] = {xDisplay, waylandDisplay};
        stopSavers(displays, 2);
        return 0;
    }
    if (run.mode == Config && !(xDisplay && *xDisplay) && waylandDisplay && *waylandDisplay) {
        std::fputs("quillomar: the About window needs an X display, and there is none (DISPLAY is unset);\n"
                   "on Wayland, run quillomar /s or quillomar --root to see the stars.\n",
                   stderr);
        return 0;
    }
    // The one place the windowing system is chosen.
    const bool wayland = usesWayland(run, waylandDisplay);
    // A full-screen run outside a host's window is the session's own: it never
    // shows under a lock, and ends when the session locks. A host that hands
    // its window owns the lock itself.
    const bool fullScreen = run.mode == Saver || run.mode == Plain;
    if (fullScreen && watchSessionLock())
        return 0;
    // No Wayland host keeps to one saver, and an idle daemon starts the next
    // at its next timeout while the stars still show: one per user and display.
    if (wayland && run.mode != Config && !isFirstWaylandSaver(waylandDisplay))
        return 0;
    if (fullScreen)
        offerStop(wayland ? waylandDisplay : xDisplay);
    windowSystem = choosingRenderQuality(wayland ? &waylandWindowSystem : &glfwWindowSystem, run.quality,
                                         wayland ? waylandQueryGlRenderer : x11QueryGlRenderer);
    endQuietlyOnLostDisplay();
    // The About window has its own loop and ends by its own close box.
    if (run.mode != Config)
        watchStopSignals();
    // run.hostStarted is the one place that tells a host's run from one the
    // user started: such runs take no instance marker.
    starsOnEveryMonitor = run.everyMonitor;
    return startRun(run.mode, run.window, run.hostStarted, nullptr, 0);
}
