// A loop that only clears and presents, on the saver's own full-screen window
// and paced as the saver's main loop is, until SIGTERM. bench/pacing_bench.py
// compares its CPU time with the saver's. --unpaced leaves the pacing out.
#include "app/render_window.h"
#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"
#include "platform/platform.h"

#include <GLFW/glfw3.h>

#include <cstring>

int main(int argc, char** argv)
{
    const bool paced = !(argc > 1 && std::strcmp(argv[1], "--unpaced") == 0);
    watchStopSignals();
    runMode = Saver;
    initWindowing();
    computeWindowSize();
    openRenderWindow();
    applyRenderState();
    while (!stopRequested()) {
        GlApi.glClear(GL_COLOR_BUFFER_BIT);
        glfwSwapBuffers(renderWindow);
        glfwPollEvents();
        if (paced)
            paceFrame();
    }
    glfwDestroyWindow(renderWindow);
    glfwTerminate();
    return 0;
}
