#include "base/render_settings.h"
#include "app/render_window.h"
#include "app/window_geometry.h"
#include "base/run_mode.h"
#include "base/window_icon_picture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(WindowGeometry, SizeReportsUpdateTheAspectRatio)
{
    onWindowSize(nullptr, 1920, 1080);
    EXPECT_EQ(renderSettings.width, 1920);
    EXPECT_EQ(renderSettings.height, 1080);
    EXPECT_FLOAT_EQ(renderSettings.aspectRatio, 1920.0f / 1080.0f);
    onWindowSize(nullptr, 800, 600);
    EXPECT_EQ(renderSettings.aspectRatio, 800.0f / 600.0f);
    EXPECT_EQ(renderSettings.aspectRatio, 1.3333334f);
}

// A minimised window reports a height of 0; dividing by it used to hand every
// star an infinite or NaN scale.
TEST(WindowGeometry, ZeroHeightKeepsTheLastValidAspectRatio)
{
    onWindowSize(nullptr, 1280, 720);
    onWindowSize(nullptr, 0, 0);
    EXPECT_EQ(renderSettings.width, 0);
    EXPECT_EQ(renderSettings.height, 0);
    EXPECT_EQ(renderSettings.aspectRatio, 1280.0f / 720.0f);
    onWindowSize(nullptr, 300, 0);
    EXPECT_TRUE(std::isfinite(renderSettings.aspectRatio));
    EXPECT_GT(renderSettings.aspectRatio, 0.0f);

    renderSettings.aspectRatio = 0.0f; // nothing valid seen yet
    storeWindowGeometry(640, 0);
    EXPECT_EQ(renderSettings.aspectRatio, 1.0f);
}

TEST(WindowIcon, TransposeTurnsColumnsIntoRows)
{
    unsigned char rows[64 * 64 * 4];
    transposeIconColumns(windowIconColumns, rows);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(rows[(y * 64 + x) * 4 + c], windowIconColumns[(x * 64 + y) * 4 + c]);
        }
    }
}

// The picture, read as rows: a monitor standing upright (screen above the
// stand), red quadrant top left, yellow bottom right, clear sky above.
TEST(WindowIcon, PictureStandsUpright)
{
    unsigned char rows[64 * 64 * 4];
    transposeIconColumns(windowIconColumns, rows);
    auto at = [&](int x, int y) { return rows + (y * 64 + x) * 4; };
    for (int y = 0; y <= 5; ++y) {
        for (int x = 0; x < 64; ++x)
            EXPECT_EQ(at(x, y)[3], 0) << "rows 0 to 5 are empty: " << x << ", " << y;
    }
    EXPECT_EQ(at(10, 20)[0], 255); // red quadrant
    EXPECT_EQ(at(10, 20)[1], 72);
    EXPECT_EQ(at(50, 40)[0], 240); // yellow quadrant
    EXPECT_EQ(at(50, 40)[2], 0);
    EXPECT_EQ(at(40, 20)[1], 217); // green
    EXPECT_EQ(at(10, 40)[2], 255); // blue
    EXPECT_EQ(at(31, 62)[3], 255); // the foot is at the bottom
    EXPECT_EQ(at(2, 62)[3], 0);    // beside the foot: transparent
    EXPECT_EQ(at(0, 30)[2], 255);  // frame edge
}

} // namespace
