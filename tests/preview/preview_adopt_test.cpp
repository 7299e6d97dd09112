// The preview in one process: the test owns the host window, so the adoption
// can be watched from both sides (under Wine a GL context cannot be made on
// another process's window).
#include "app/render_window.h"
#include "app/saver_run.h"
#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"
#include "scene/scene.h"
#include "tests/preview/test_host.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, std::string>> errors;

void recordError(int code, const char* description)
{
    errors.emplace_back(code, description ? description : "");
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class PreviewRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        errors.clear();
        glfwSetErrorCallback(recordError);
        runMode = Preview;
    }

    void TearDown() override
    {
        glfwTerminate();
        renderWindow = nullptr;
    }

    // The saver run's start-up up to the main loop, with the test's error
    // callback instead of message boxes.
    void startPreview(NativeWindow host)
    {
        ASSERT_TRUE(glfwInit());
        hostWindow = host;
        computeWindowSize();
        openRenderWindow();
        ASSERT_NE(renderWindow, nullptr);
        requireGlEntries();
        applyRenderState();
        prepareAssets();
    }

    void stopPreview()
    {
        releaseGlObjects();
        glfwDestroyWindow(renderWindow);
        renderWindow = nullptr;
        glfwTerminate();
    }

    bool keepRunning = true;
};

TEST_F(PreviewRun, NothingIsAdoptedBeforeTheLibraryStarts)
{
    const NativeWindow host = createTestHost(152, 112);
    EXPECT_EQ(adoptNativeWindow(host, nullptr), nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, GLFW_NOT_INITIALIZED);
    EXPECT_TRUE(testHostIsItsOwn(host));
    destroyTestHost(host);
}

TEST_F(PreviewRun, HandlesThatNameNoWindowFailWithTheReason)
{
    ASSERT_TRUE(glfwInit());
    const NativeWindow handles[] = {0, vanishedWindowHandle(), nativeWindowFromNumber(-5)};
    for (NativeWindow handle : handles) {
        errors.clear();
        EXPECT_EQ(adoptNativeWindow(handle, nullptr), nullptr) << handle;
        ASSERT_EQ(errors.size(), 1u) << handle;
        EXPECT_EQ(errors[0].second.rfind(noWindowErrorPrefix(), 0), 0u) << errors[0].second;
    }
}

TEST_F(PreviewRun, InvalidContextHintsLeaveTheHostAlone)
{
    const NativeWindow host = createTestHost(152, 112);
    ASSERT_TRUE(glfwInit());
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 0);
    EXPECT_EQ(adoptNativeWindow(host, nullptr), nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, GLFW_INVALID_VALUE);
    EXPECT_TRUE(testHostIsItsOwn(host));
    glfwDefaultWindowHints();
    destroyTestHost(host);
}

TEST_F(PreviewRun, HostIsDrawnIntoFollowedInSizeAndGivenBack)
{
    const NativeWindow host = createTestHost(152, 112);
    startPreview(host);
    EXPECT_TRUE(errors.empty()) << errors[0].second;
    EXPECT_EQ(renderSettings.width, 152);
    EXPECT_EQ(renderSettings.height, 112);
    EXPECT_EQ(renderSettings.aspectRatio, 152.0f / 112.0f);
    EXPECT_TRUE(testHostIsTakenOver(host));
    int width = 0, height = 0;
    glfwGetFramebufferSize(renderWindow, &width, &height);
    EXPECT_EQ(width, 152);
    EXPECT_EQ(height, 112);

    // The saver's own drawing lands in the host's surface.
    std::vector<unsigned char> pixels(152 * 112 * 4);
    GlApi.glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    GlApi.glClear(GL_COLOR_BUFFER_BIT);
    GlApi.glReadPixels(76, 56, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[1], 255);
    EXPECT_EQ(pixels[2], 0);

    // Stars appear within a few seconds (read before each swap).
    int lit = 0;
    for (auto start = std::chrono::steady_clock::now(); lit == 0 && secondsSince(start) < 8;) {
        stepScene(glfwGetTime());
        GlApi.glReadPixels(0, 0, 152, 112, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        for (size_t i = 0; i < pixels.size(); i += 4)
            lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 60;
        glfwSwapBuffers(renderWindow);
        glfwPollEvents();
    }
    EXPECT_GT(lit, 0) << "no star reached the preview";

    // The saver follows the host's size from inside the main loop.
    resizeTestHost(host, 300, 200);
    for (auto start = std::chrono::steady_clock::now(); renderSettings.width != 300 && secondsSince(start) < 5;)
        ASSERT_TRUE(runMainLoopPass(&keepRunning));
    EXPECT_EQ(renderSettings.width, 300);
    EXPECT_EQ(renderSettings.height, 200);
    EXPECT_EQ(renderSettings.aspectRatio, 1.5f);
    glfwGetFramebufferSize(renderWindow, &width, &height);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 200);

    // Mouse movement keeps it running; a disabled host ends the loop after
    // the pass in progress.
    EXPECT_TRUE(runMainLoopPass(&keepRunning));
    disableTestHost(host);
    EXPECT_FALSE(runMainLoopPass(&keepRunning));

    stopPreview();
    EXPECT_TRUE(testHostExists(host));
    EXPECT_TRUE(testHostIsItsOwn(host));
    EXPECT_TRUE(errors.empty()) << errors[0].second;
    destroyTestHost(host);
}

TEST_F(PreviewRun, HostDestroyedUnderTheSaverEndsTheLoopQuietly)
{
    const NativeWindow host = createTestHost(152, 112);
    startPreview(host);
    for (int pass = 0; pass < 5; ++pass)
        ASSERT_TRUE(runMainLoopPass(&keepRunning));

    destroyTestHost(host);
    EXPECT_FALSE(runMainLoopPass(&keepRunning));
    stopPreview(); // must neither crash nor touch a window that is gone
    EXPECT_FALSE(testHostExists(host));
}

// The click ends the loop, and the host is given back in order.
TEST_F(PreviewRun, ClickIntoThePreviewEndsTheLoop)
{
    const NativeWindow host = createTestHost(152, 112);
    startPreview(host);
    ASSERT_TRUE(runMainLoopPass(&keepRunning));
    clickTestHost(host);
    bool running = true;
    for (auto start = std::chrono::steady_clock::now(); running && secondsSince(start) < 5;)
        running = runMainLoopPass(&keepRunning);
    EXPECT_FALSE(running);
    stopPreview();
    EXPECT_TRUE(testHostExists(host));
}

} // namespace
