#include "app/render_window.h"

#include "app/window_geometry.h"
#include "app/windowing.h"
#include "base/render_settings.h"
#include "base/run_exit.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"
#include "platform/platform.h"

#include <cstring>

void initWindowing()
{
    windowSystem->initWindowing();
}

void computeWindowSize()
{
    std::strncpy(renderSettings.title, "Quillomar Screensaver", sizeof renderSettings.title - 1);
    renderSettings.title[sizeof renderSettings.title - 1] = '\0';

    int width = 800;
    int height = 600;
    if (runMode == Preview) {
        // A handle that names no window keeps the fallback size; adopting it
        // fails a moment later anyway.
        int w = 0, h = 0;
        if (getHostClientSize(hostWindow, &w, &h)) {
            width = w;
            height = h;
        }
    } else if (renderSettings.useMonitor && windowsVersionNumber() >= 60) {
        width = windowSystem->primaryMonitorSize(0);
        height = windowSystem->primaryMonitorSize(1);
    }
    storeWindowGeometry(width, height);
}

int openRenderWindow()
{
    if (!windowSystem->openRenderWindow(storeWindowGeometry)) {
        showMessageBox("Failed to open window", "Debug", MessageIcon::Information);
        // No window is open, here or after a reset closed them: ending the
        // library is the whole shutdown.
        startupShutdown = windowSystem->terminate;
        failStartup();
    }
    return initGlApi();
}

static void setCapability(GLenum capability, bool enabled)
{
    if (enabled)
        GlApi.glEnable(capability);
    else
        GlApi.glDisable(capability);
}

void applyRenderState()
{
    applyGlRenderState();
    windowSystem->applyWindowState();
}

void applyGlRenderState()
{
    GlApi.glCullFace(GL_BACK);
    GlApi.glFrontFace(GL_CW);
    GlApi.glEnable(GL_BLEND);
    GlApi.glBlendFunc(GL_ONE, GL_ONE);
    GlApi.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    setCapability(GL_MULTISAMPLE, renderSettings.multisample);
    setCapability(GL_LINE_SMOOTH, renderSettings.lineSmooth);
    setCapability(GL_POLYGON_SMOOTH, renderSettings.polygonSmooth);
}
