#pragma once

#include "base/render_settings.h"
#include "scene/scene_clock.h"
#include "scene/scene_random.h"
#include "scene/star_field.h"

#include <gtest/gtest.h>

// A scene as the first frame leaves it, with a scripted clock and no window.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        renderSettings.width = 1600;
        renderSettings.height = 900;
        renderSettings.aspectRatio = 1600.0f / 900.0f;
        lastSpawnTime = 0.0f;
        startTime = 0.0f;
        elapsed = 0.0f;
        frameDelta = 0.0f;
        previousElapsed = 0.0f;
        sceneRandom = 0.0f;
        started = 0;
        sceneSrand(45);
        resetAllStars();
    }

    // One frame of the star field at the scripted time.
    static void frameAt(float time)
    {
        frameDelta = time - elapsed;
        elapsed = time;
        updateStars();
    }

    static void placeStar(int slot, StarDirection dir, float x, float y, float speed)
    {
        active[slot] = 1;
        direction[slot] = dir;
        posX[slot] = x;
        posY[slot] = y;
        velX[slot] = dir == Rightward ? speed : (dir == Leftward ? -speed : 0.0f);
        velY[slot] = dir == Upward ? speed : (dir == Downward ? -speed : 0.0f);
        updateStarMatrices(slot);
    }

    static int liveCount()
    {
        int n = 0;
        for (int slot = 0; slot < starSlotCount; ++slot) {
            n += active[slot];
        }
        return n;
    }
};
