#include "base/render_settings.h"
#include "app/render_window.h"
#include "app/saver_run.h"
#include "app/window_geometry.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "tests/support/allocation_count.h"

#include <chrono>
#include <cstring>

namespace {

void waitForWidth(int width)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (renderSettings.width != width && std::chrono::steady_clock::now() < deadline)
        glfwWaitEventsTimeout(0.05);
}

TEST(RenderWindow, OrdinaryWindowWithTheFixedRenderState)
{
    runMode = Saver;
    initWindowing();

    renderSettings.useMonitor = true;
    computeWindowSize();
    EXPECT_STREQ(renderSettings.title, "Quillomar Screensaver");
    EXPECT_EQ(renderSettings.width, primaryMonitorSize(0));
    EXPECT_EQ(renderSettings.height, primaryMonitorSize(1));
    EXPECT_EQ(renderSettings.width, 1280); // the test display's screen
    EXPECT_EQ(renderSettings.height, 720);

    renderSettings.useMonitor = false;
    computeWindowSize();
    EXPECT_EQ(renderSettings.width, 800);
    EXPECT_EQ(renderSettings.height, 600);
    EXPECT_EQ(renderSettings.aspectRatio, 1.3333334f);

    EXPECT_EQ(openRenderWindow(), 0) << "a 3.0+ context gives status 0";
    ASSERT_NE(renderWindow, nullptr);
    EXPECT_EQ(glfwGetCurrentContext(), renderWindow);
    EXPECT_EQ(glfwGetWindowAttrib(renderWindow, GLFW_DECORATED), GLFW_TRUE);
    EXPECT_EQ(glfwGetWindowMonitor(renderWindow), nullptr);
    requireGlEntries(); // returns: every entry the program calls is there

    applyRenderState();
    GLint polygonMode[2] = {0, 0};
    GlApi.glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_LINE);
    GLint source = 0, destination = 0;
    GlApi.glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    GlApi.glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_ONE);
    EXPECT_EQ(destination, GL_ONE);
    EXPECT_TRUE(GlApi.glIsEnabled(GL_BLEND));
    EXPECT_TRUE(GlApi.glIsEnabled(GL_MULTISAMPLE));
    EXPECT_TRUE(GlApi.glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(GlApi.glIsEnabled(GL_POLYGON_SMOOTH));
    EXPECT_FALSE(GlApi.glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(GlApi.glIsEnabled(GL_DEPTH_TEST));
    GLint samples = 0;
    GlApi.glGetIntegerv(GL_SAMPLES, &samples);
    EXPECT_EQ(samples, 4);
    EXPECT_EQ(glfwGetInputMode(renderWindow, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);

    // Resizing reaches width, height and aspect ratio from event polling,
    // that is before the next frame is drawn.
    glfwSetWindowSize(renderWindow, 640, 480);
    waitForWidth(640);
    EXPECT_EQ(renderSettings.width, 640);
    EXPECT_EQ(renderSettings.height, 480);
    EXPECT_EQ(renderSettings.aspectRatio, 640.0f / 480.0f);

    // The main loop: no heap allocation of ours in any pass (Mesa's buffer
    // swap mallocs for its own X requests, so only operator new is counted),
    // and the close flag ends it after the pass in progress.
    prepareAssets();
    bool keepRunning = true;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(runMainLoopPass(&keepRunning)); // first-frame set-up
    heapAllocations = 0;
    countingMalloc = false;
    countingAllocations = true;
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(runMainLoopPass(&keepRunning));
    countingAllocations = false;
    EXPECT_EQ(heapAllocations, 0);
    glfwSetWindowShouldClose(renderWindow, GLFW_TRUE);
    EXPECT_FALSE(runMainLoopPass(&keepRunning));
    EXPECT_FALSE(keepRunning);

    releaseGlObjects();
    glfwDestroyWindow(renderWindow);
    glfwTerminate();
}

} // namespace
