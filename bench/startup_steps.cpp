// Where the saver's start-up goes: runSaver's steps up to the first presented
// frame, each timed, in the saver's order. Pairs with startup_bench.py, which
// times whole processes. Run it on a display (natively or under Wine).
#include "app/render_window.h"
#include "app/saver_run.h"
#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"
#include "gfx/noise_texture.h"
#include "gfx/shader_program.h"
#include "model/quad_upload.h"
#include "scene/scene.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point mark = Clock::now();
double total = 0.0;

void step(const char* name)
{
    const Clock::time_point now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - mark).count();
    total += ms;
    std::printf("%-28s %8.2f ms\n", name, ms);
    mark = now;
}

} // namespace

int main()
{
    runMode = Saver;
    mark = Clock::now();
    initWindowing();
    step("initWindowing");
    computeWindowSize();
    step("computeWindowSize");
    openRenderWindow();
    step("openRenderWindow");
    requireGlEntries();
    step("requireGlEntries");
    applyRenderState();
    step("applyRenderState");
    loadNoiseTexture();
    step("loadNoiseTexture");
    loadShaderProgram();
    step("loadShaderProgram");
    uploadQuadModel();
    step("uploadQuadModel");
    stepScene(glfwGetTime());
    step("first stepScene");
    glfwSwapBuffers(renderWindow);
    step("first glfwSwapBuffers");
    GlApi.glFinish();
    step("glFinish (after present)");
    std::printf("%-28s %8.2f ms\n", "total to first frame", total);
    std::fflush(stdout);
    return 0;
}
