#include "app/saver_run.h"

#include "app/render_window.h"
#include "base/run_exit.h"
#include "base/run_mode.h"
#include "gfx/context_reset.h"
#include "gfx/gl_api.h"
#include "gfx/gl_required.h"
#include "gfx/noise_texture.h"
#include "gfx/shader_program.h"
#include "model/quad_upload.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "scene/scene_field.h"

#include <cstdio>

namespace {

// A GPU that resets again this soon after the last is not coming back: the
// run ends rather than hold the screen black.
constexpr double resetSpacing = 20.0;
double lastReset = -resetSpacing;

// The other monitors' fields, by view; the primary's is the scene's own.
SceneField otherFields[maxStarViews];

// A context made for another monitor shares the primary's objects, but not
// the state that says how they are used.
void drawOtherView(const StarView& view, double time)
{
    if (view.view < 0 || view.view >= maxStarViews)
        return;
    if (view.newContext) {
        applyGlRenderState();
        bindNoiseTexture();
        bindQuadModel();
    }
    SceneField& field = otherFields[view.view];
    if (view.newMonitor)
        startOtherField(field);
    stepOtherField(field, view.width, view.height, time);
}

void closeWindowing()
{
    windowSystem->closeWindows();
    windowSystem->terminate();
}

// The context is gone for good: a new window and context, the assets again,
// and the scene goes on where it was.
bool recoverFromReset()
{
    const double now = windowSystem->time();
    if (now - lastReset < resetSpacing) {
        std::fputs("The GPU was reset again; the screensaver ends.\n", stderr);
        return false;
    }
    lastReset = now;
    if (windowSystem->keepWindowsThroughReset)
        windowSystem->keepWindowsThroughReset();
    else
        windowSystem->closeWindows();
    openSaver();
    return true;
}

} // namespace

void prepareAssets()
{
    loadNoiseTexture();
    if (!loadShaderProgram())
        failStartup();
    uploadQuadModel();
}

void releaseGlObjects()
{
    GlApi.glDeleteProgram(shaderProgram);
    GlApi.glDeleteTextures(1, &noiseTexture);
    GlApi.glDeleteBuffers(1, &positionBuffer);
    GlApi.glDeleteBuffers(1, &texCoordBuffer);
    GlApi.glDeleteBuffers(1, &normalBuffer);
    GlApi.glDeleteBuffers(1, &tangentBuffer);
    GlApi.glDeleteBuffers(1, &bitangentBuffer);
    GlApi.glDeleteBuffers(1, &indexBuffer);
}

void requireGlEntries()
{
    // Calling a null entry would crash the saver; say which one is missing.
    if (const char* missing = firstMissingGlEntry()) {
        char text[160];
        std::snprintf(text, sizeof text, "The OpenGL driver does not provide %s, which the screensaver needs.", missing);
        showMessageBox(text, "Error", MessageIcon::Information);
        failStartup();
    }
}

bool runMainLoopPass(bool* keepRunning)
{
    windowSystem->applyChanges();
    const double time = windowSystem->time();
    const bool due = windowSystem->renderFrameDue();
    if (due)
        stepScene(time);
    windowSystem->drawOtherViews(time, drawOtherView);
    if (due)
        windowSystem->swapBuffers();
    windowSystem->pollEvents();
    if (windowSystem->closeRequested())
        *keepRunning = false;
    if (stopRequested())
        *keepRunning = false;
    if (runMode == Preview && !isHostWindowEnabled(hostWindow))
        return false;
    if (*keepRunning && contextWasReset() && !recoverFromReset())
        return false;
    return *keepRunning;
}

void openSaver()
{
    openRenderWindow();
    startupShutdown = closeWindowing;
    windowSystem->openBlankingWindows();
    requireGlEntries();
    applyRenderState();
    prepareAssets();
    watchContextResets();
}

void closeSaver()
{
    releaseGlObjects();
    closeWindowing();
}

void runSaver()
{
    initWindowing();
    computeWindowSize();
    openSaver();

    bool keepRunning = true;
    while (runMainLoopPass(&keepRunning))
        windowSystem->paceFrame();

    closeSaver();
}
