#include "tests/scene/gl_call_log.h"
#include "tests/scene/scene_fixture.h"

#include "scene/scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using SceneClockTest = SceneTest;

TEST(SceneSeed, UsesTheMillisecondAndTenthDigits)
{
    EXPECT_EQ(sceneSeedFromTime(1.23456), 45u);
    EXPECT_EQ(sceneSeedFromTime(0.0), 0u);
    EXPECT_EQ(sceneSeedFromTime(0.0099), 99u);
    EXPECT_EQ(sceneSeedFromTime(3600.00421), 42u);
}

TEST(SceneSeed, TimesBeyondThirtyTwoBitsStayDefined)
{
    // 500000 s * 10000 exceeds 2^32; the low 32 bits of 5e9 are 705032704.
    EXPECT_EQ(sceneSeedFromTime(500000.0), 4u);
    EXPECT_EQ(sceneSeedFromTime(-1.0), 0u);
    EXPECT_LT(sceneSeedFromTime(1e300), 100u);
}

TEST_F(SceneClockTest, FirstCallSetsTheSceneUpOnce)
{
    installNoopGl();
    stepScene(1.23456);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(startTime, static_cast<float>(1.23456));
    EXPECT_EQ(lastSpawnTime, 0.0f);
    EXPECT_FLOAT_EQ(sceneRandom, 0.185f) << "first draw of seed 45 is 185";
    EXPECT_LT(elapsed, 1e-6f);
    EXPECT_EQ(frameDelta, static_cast<float>(elapsed));
    EXPECT_EQ(liveCount(), 1);

    // The first star of seed 45, the same on every platform: red, downward,
    // from u1 = 0.3942 and u2 = 0.4259.
    ASSERT_EQ(active[0], 1);
    EXPECT_EQ(direction[0], Downward);
    EXPECT_TRUE(std::equal(color[0], color[0] + 4, starPalette[1]));
    EXPECT_NEAR(posX[0], -0.2116f, 1e-6f);
    EXPECT_NEAR(posY[0], 1.5f - 0.47036f * frameDelta, 1e-6f);
    EXPECT_NEAR(velY[0], -0.47036f, 1e-6f);
    EXPECT_EQ(velX[0], 0.0f);

    const float random = sceneRandom;
    const float start = startTime;
    for (int frame = 1; frame <= 300; ++frame) {
        stepScene(1.23456 + frame / 60.0);
    }
    EXPECT_EQ(sceneRandom, random);
    EXPECT_EQ(startTime, start);
    EXPECT_NEAR(elapsed, 5.0f, 1e-5f);
    EXPECT_EQ(previousElapsed, elapsed);
    EXPECT_GE(liveCount(), 6) << "one star per 0.8 s";
}

TEST_F(SceneClockTest, SameTimeTwiceGivesZeroDeltaButStillDraws)
{
    installRecordingGl();
    stepScene(10.0);
    stepScene(12.5);
    const float x = posX[0];
    const float y = posY[0];
    glCallCount = 0;
    stepScene(12.5);
    EXPECT_EQ(frameDelta, 0.0f);
    EXPECT_EQ(posX[0], x);
    EXPECT_EQ(posY[0], y);
    EXPECT_EQ(liveCount(), 2) << "no spawn: 0.8 s have not passed since the last";
    int draws = 0;
    for (int i = 0; i < glCallCount; ++i) {
        draws += std::strcmp(glCalls[i].name, "glDrawElements") == 0;
    }
    EXPECT_EQ(draws, 4);
}

TEST_F(SceneClockTest, ElapsedIsTakenInDoubleBeforeRounding)
{
    installNoopGl();
    // A start time whose float copy differs from it: elapsed must come from
    // the double time minus the widened float start.
    const double start = 86400.123456789;
    stepScene(start);
    stepScene(start + 0.016);
    const double expected = (start + 0.016) - static_cast<double>(static_cast<float>(start));
    EXPECT_EQ(elapsed, expected);
}

TEST_F(SceneClockTest, EveryFrameMovesByItsTrueStepAfterDaysOfRunning)
{
    installNoopGl();
    struct Run {
        double hours;
        double rate;
    };
    for (const Run run : {Run{100.0, 144.0}, Run{7 * 24.0, 60.0}}) {
        SetUp();
        stepScene(0.25);
        const double later = run.hours * 3600.0;
        for (int frame = 0; frame < 2000; ++frame) {
            float x[starSlotCount], y[starSlotCount];
            std::copy(posX, posX + starSlotCount, x);
            std::copy(posY, posY + starSlotCount, y);
            stepScene(later + frame / run.rate);
            if (frame == 0)
                continue; // the jump to the later time
            ASSERT_NEAR(frameDelta, 1.0 / run.rate, 1e-6) << run.hours << " h, frame " << frame;
            // A slot retired and filled again in this frame jumps by screens.
            for (int slot = 0; slot < starSlotCount; ++slot) {
                const float moved = posX[slot] - x[slot] + posY[slot] - y[slot];
                if (active[slot] && std::fabs(moved) < 0.5f) {
                    ASSERT_NEAR(moved, (velX[slot] + velY[slot]) / run.rate, 1e-5);
                }
            }
        }
    }
}

// Other monitors' fields step beside the primary's without touching it: the
// primary's stars are the same frame for frame as when it runs alone, and no
// two screens show the same stars.
TEST_F(SceneClockTest, OtherMonitorsFieldsLeaveThePrimarysAsItRunsAlone)
{
    installNoopGl();
    const auto run = [this](SceneField* others, int count) {
        SetUp();
        for (int i = 0; i < count; ++i)
            startOtherField(others[i]);
        for (int frame = 0; frame < 2000; ++frame) {
            const double time = 3.21 + frame / 60.0;
            stepScene(time);
            for (int i = 0; i < count; ++i)
                stepOtherField(others[i], 1024 + 256 * i, 768, time);
        }
        return primaryField;
    };
    static SceneField alone, others[2];
    alone = run(others, 0);
    const SceneField& beside = run(others, 2);
    EXPECT_EQ(std::memcmp(&alone, &beside, sizeof alone), 0);
    EXPECT_EQ(currentField, &primaryField);
    for (const SceneField& other : others) {
        EXPECT_NE(std::memcmp(other.posX, beside.posX, sizeof beside.posX), 0);
        const int slot = static_cast<int>(std::find(other.active, other.active + starSlotCount, 1) - other.active);
        ASSERT_LT(slot, starSlotCount);
        EXPECT_FLOAT_EQ(other.headMatrix[slot][0], 0.06f / other.aspectRatio);
        EXPECT_FLOAT_EQ(other.aspectRatio, other.width / 768.0f) << "its own aspect ratio";
    }
    EXPECT_NE(std::memcmp(others[0].posX, others[1].posX, sizeof others[0].posX), 0);
}

} // namespace
