// GLFW sets Windows' focus-stealing timeout to 0 while it runs. A run that a
// key ends must leave it as it found it, as every other way out does.
#include "app/glfw_window.h"
#include "app/render_window.h"
#include "app/saver_run.h"
#include "base/render_settings.h"
#include "base/run_mode.h"

#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>
#include <gtest/gtest.h>

namespace {

DWORD foregroundLockTimeout()
{
    DWORD value = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}

TEST(ForegroundLock, AKeyEndsTheRunWithinAFrameAndPutsTheTimeoutBack)
{
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(123456)), 0);
    ASSERT_EQ(foregroundLockTimeout(), 123456u);
    runMode = Saver;
    renderSettings.useMonitor = false;
    initWindowing();
    computeWindowSize();
    openSaver();
    EXPECT_EQ(foregroundLockTimeout(), 0u) << "GLFW no longer changes it: this test shows nothing";

    PostMessageW(glfwGetWin32Window(renderWindow), WM_KEYDOWN, 'A', 1);
    bool keepRunning = true;
    EXPECT_FALSE(runMainLoopPass(&keepRunning)) << "the pass that polled the key is the last";
    closeSaver();
    EXPECT_EQ(foregroundLockTimeout(), 123456u);
}

} // namespace
