// The Wayland backend with an empty scene: clear and present from the star
// output's frame callbacks, until SIGTERM. bench/wayland_bench.py compares
// its CPU time with the saver's on the same compositor and outputs.
#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "gfx/gl_api.h"
#include "platform/platform.h"
#include "platform/wayland.h"

int main()
{
    const WindowSystem& system = waylandWindowSystem;
    watchStopSignals();
    system.initWindowing();
    if (!system.openRenderWindow(storeWindowGeometry))
        return 1;
    initGlApi();
    while (!stopRequested() && !system.closeRequested()) {
        system.applyChanges();
        GlApi.glViewport(0, 0, renderSettings.width, renderSettings.height);
        GlApi.glClear(GL_COLOR_BUFFER_BIT);
        system.swapBuffers();
        system.pollEvents();
    }
    system.closeWindows();
    system.terminate();
    return 0;
}
