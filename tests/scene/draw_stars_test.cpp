#include "tests/scene/gl_call_log.h"
#include "tests/scene/scene_fixture.h"

#include "gfx/gl_api.h"
#include "gfx/shader_program.h"
#include "model/quad_upload.h"
#include "scene/star_draw.h"

#include <cstring>

namespace {

class DrawStars : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        installRecordingGl();
        shaderProgram = 3;
        mvUniform = 10;
        resolutionUniform = 11;
        timeUniform = 12;
        timeDeltaUniform = 13;
        randomUniform = -1; // dropped by the compiler: the call must still happen
        starColorUniform = 15;
        starDirectionUniform = 16;
        starTrailDrawUniform = 17;
        modelIndexCount = 6;
        elapsed = 4.5f;
        frameDelta = 0.016f;
        sceneRandom = 0.185f;
    }

    static bool is(int index, const char* name)
    {
        return index < glCallCount && std::strcmp(glCalls[index].name, name) == 0;
    }
};

// The calls that open every frame, whatever the star table holds.
void expectFramePrologue(int width, int height)
{
    ASSERT_GE(glCallCount, 7);
    EXPECT_STREQ(glCalls[0].name, "glViewport");
    EXPECT_EQ(glCalls[0].ints[0], 0);
    EXPECT_EQ(glCalls[0].ints[1], 0);
    EXPECT_EQ(glCalls[0].ints[2], width);
    EXPECT_EQ(glCalls[0].ints[3], height);
    EXPECT_STREQ(glCalls[1].name, "glClear");
    EXPECT_EQ(glCalls[1].ints[0], GL_COLOR_BUFFER_BIT);
    EXPECT_STREQ(glCalls[2].name, "glUseProgram");
    EXPECT_EQ(glCalls[2].ints[0], 3);
    EXPECT_STREQ(glCalls[3].name, "glUniform3f");
    EXPECT_EQ(glCalls[3].ints[0], 11);
    EXPECT_EQ(glCalls[3].floats[0], static_cast<float>(width));
    EXPECT_EQ(glCalls[3].floats[1], static_cast<float>(height));
    EXPECT_EQ(glCalls[3].floats[2], 0.0f);
    const int locations[] = {12, 13, -1};
    const float values[] = {4.5f, 0.016f, 0.185f};
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(glCalls[4 + i].name, "glUniform1f");
        EXPECT_EQ(glCalls[4 + i].ints[0], locations[i]);
        EXPECT_EQ(glCalls[4 + i].floats[0], values[i]);
    }
}

TEST_F(DrawStars, EmptyTableClearsAndSetsTheFrameUniformsOnly)
{
    drawStars();
    expectFramePrologue(1600, 900);
    EXPECT_EQ(glCallCount, 7);
}

TEST_F(DrawStars, EveryLiveStarDrawsHeadThenTrailInSlotOrder)
{
    for (int slot = 0; slot < starSlotCount; ++slot) {
        placeStar(slot, static_cast<StarDirection>(slot % 4), 0.0f, 0.0f, 0.3f + 0.01f * slot);
        color[slot][0] = 0.01f * slot;
    }
    drawStars();
    expectFramePrologue(1600, 900);
    ASSERT_EQ(glCallCount, 7 + 8 * starSlotCount);
    for (int slot = 0; slot < starSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        const int base = 7 + 8 * slot;
        ASSERT_TRUE(is(base, "glUniform4fv"));
        EXPECT_EQ(glCalls[base].ints[0], 15);
        EXPECT_EQ(glCalls[base].ints[1], 1);
        EXPECT_EQ(glCalls[base].floats[0], 0.01f * slot);
        ASSERT_TRUE(is(base + 1, "glUniform1i"));
        EXPECT_EQ(glCalls[base + 1].ints[0], 16);
        EXPECT_EQ(glCalls[base + 1].ints[1], slot % 4);
        // Head: trail flag 0, head matrix, then the draw.
        ASSERT_TRUE(is(base + 2, "glUniform1i"));
        EXPECT_EQ(glCalls[base + 2].ints[0], 17);
        EXPECT_EQ(glCalls[base + 2].ints[1], 0);
        ASSERT_TRUE(is(base + 3, "glUniformMatrix4fv"));
        EXPECT_EQ(glCalls[base + 3].ints[0], 10);
        EXPECT_EQ(glCalls[base + 3].ints[1], 1);
        EXPECT_EQ(glCalls[base + 3].ints[2], GL_FALSE);
        EXPECT_EQ(0, std::memcmp(glCalls[base + 3].floats, headMatrix[slot], sizeof headMatrix[slot]));
        ASSERT_TRUE(is(base + 4, "glDrawElements"));
        // Trail: trail flag 1, trail matrix, the same draw.
        ASSERT_TRUE(is(base + 5, "glUniform1i"));
        EXPECT_EQ(glCalls[base + 5].ints[1], 1);
        ASSERT_TRUE(is(base + 6, "glUniformMatrix4fv"));
        EXPECT_EQ(0, std::memcmp(glCalls[base + 6].floats, trailMatrix[slot], sizeof trailMatrix[slot]));
        ASSERT_TRUE(is(base + 7, "glDrawElements"));
        for (int draw : {base + 4, base + 7}) {
            EXPECT_EQ(glCalls[draw].ints[0], GL_TRIANGLES);
            EXPECT_EQ(glCalls[draw].ints[1], 6);
            EXPECT_EQ(glCalls[draw].ints[2], GL_UNSIGNED_INT);
            EXPECT_EQ(glCalls[draw].pointer, nullptr);
        }
    }
}

TEST_F(DrawStars, FreeSlotsAreSkipped)
{
    placeStar(2, Rightward, 0.0f, 0.0f, 0.4f);
    placeStar(17, Upward, 0.0f, 0.0f, 0.4f);
    drawStars();
    ASSERT_EQ(glCallCount, 7 + 16);
    EXPECT_EQ(glCalls[8].ints[1], Rightward);
    EXPECT_EQ(glCalls[16].ints[1], Upward);
}

TEST_F(DrawStars, NextFrameUsesTheResizedWindow)
{
    drawStars();
    renderSettings.width = 640;
    renderSettings.height = 480;
    glCallCount = 0;
    drawStars();
    expectFramePrologue(640, 480);
}

} // namespace
