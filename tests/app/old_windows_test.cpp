#include "base/render_settings.h"
#include "app/render_window.h"
#include "base/run_mode.h"

#include <gtest/gtest.h>

#include <cstring>

// Linked with --wrap of windowsVersionNumber (its C++ symbol): the program
// believes it runs on Windows XP (5.1).
extern "C" int __wrap__Z20windowsVersionNumberv()
{
    return 51;
}

namespace {

TEST(WindowSize, WindowsOlderThanVistaGetsTheFallbackSize)
{
    runMode = Saver;
    renderSettings.useMonitor = true;
    computeWindowSize();
    EXPECT_EQ(renderSettings.width, 800);
    EXPECT_EQ(renderSettings.height, 600);
    EXPECT_EQ(renderSettings.aspectRatio, 1.3333334f);
    EXPECT_STREQ(renderSettings.title, "Quillomar Screensaver");
    EXPECT_LT(std::strlen(renderSettings.title), sizeof renderSettings.title);
}

} // namespace
