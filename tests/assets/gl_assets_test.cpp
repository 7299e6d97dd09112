#include "gfx/gl_api.h"
#include "gfx/noise_texture.h"
#include "gfx/shader_program.h"
#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::string reported;

} // namespace

// Linked with --wrap: what the program would show, kept for the checks (a
// message box would wait for a click).
extern "C" void __wrap__Z14showMessageBoxPKcS0_11MessageIcon(const char* text, const char* caption, int)
{
    reported = std::string(caption) + ": " + text;
}

namespace {

class GlAssets : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!openTestGlContext(64, 64))
            GTEST_SKIP() << "no OpenGL context";
    }
    void TearDown() override { closeTestGlContext(); }
};

GLint textureLevelParameter(GLint level, GLenum name)
{
    GLint value = -1;
    GlApi.glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

GLint integer(GLenum name)
{
    GLint value = -1;
    GlApi.glGetIntegerv(name, &value);
    return value;
}

TEST_F(GlAssets, NoiseTextureHoldsTheBitmapsAsACompleteChainOnUnitZero)
{
    loadNoiseTexture();
    ASSERT_NE(noiseTexture, 0u);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(noiseTexture));
    EXPECT_TRUE(GlApi.glIsEnabled(GL_TEXTURE_2D));

    const int bitmapOfLevel[] = {103, 115, 116, 117, 118, 119, 120, 121};
    for (int level = 0; level < 8; ++level) {
        SCOPED_TRACE(level);
        const int size = 128 >> level;
        ASSERT_EQ(textureLevelParameter(level, GL_TEXTURE_WIDTH), size);
        ASSERT_EQ(textureLevelParameter(level, GL_TEXTURE_HEIGHT), size);
        std::vector<float> stored(static_cast<size_t>(size) * size * 4);
        GlApi.glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_FLOAT, stored.data());
        std::vector<float> expected(stored.size());
        loadBitmapPixels(expected.data(), bitmapOfLevel[level], size, size, true);
        for (size_t i = 0; i < stored.size(); ++i) {
            if (i % 4 == 3)
                ASSERT_EQ(stored[i], 1.0f) << "alpha of texel " << i / 4;
            else
                ASSERT_NEAR(stored[i], expected[i], 1e-6) << "channel " << i;
        }
    }
    EXPECT_EQ(textureLevelParameter(8, GL_TEXTURE_WIDTH), 0);

    float level7[4] = {};
    GlApi.glGetTexImage(GL_TEXTURE_2D, 7, GL_RGBA, GL_FLOAT, level7);
    EXPECT_NEAR(level7[0], 209 / 255.0, 1e-6);
    EXPECT_NEAR(level7[1], 41 / 255.0, 1e-6);
    EXPECT_NEAR(level7[2], 217 / 255.0, 1e-6);

    GLint value = 0;
    GlApi.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    GlApi.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    GlApi.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    GlApi.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    GLfloat limit = 0.0f;
    GLfloat anisotropy = 0.0f;
    GlApi.glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &limit);
    GlApi.glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_EQ(anisotropy, limit);
}

// An incomplete mip chain samples as black; drawn into one pixel the whole
// texture minifies to level 7, which must show its fixed colour.
TEST_F(GlAssets, NoiseTextureSamplesItsSmallestLevelWhenMinified)
{
    loadNoiseTexture();
    buildShaderProgram("#version 110\n"
                       "attribute vec4 position;\n"
                       "varying vec2 tex;\n"
                       "void main() { tex = position.xy * 0.5 + 0.5; gl_Position = position; }\n",
                       "#version 110\n"
                       "uniform sampler2D s;\n"
                       "varying vec2 tex;\n"
                       "void main() { gl_FragColor = texture2D(s, tex); }\n");
    GlApi.glUseProgram(shaderProgram);
    const float corners[] = {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, -1.0f, 1.0f, 1.0f, -1.0f, 1.0f, 1.0f};
    GLuint buffer = 0;
    GlApi.glGenBuffers(1, &buffer);
    GlApi.glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GlApi.glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    GlApi.glEnableVertexAttribArray(0);
    GlApi.glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    GlApi.glViewport(0, 0, 1, 1);
    GlApi.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    GlApi.glClear(GL_COLOR_BUFFER_BIT);
    GlApi.glDrawArrays(GL_TRIANGLES, 0, 6);
    GlApi.glFinish();
    unsigned char pixel[4] = {};
    GlApi.glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_NEAR(pixel[0], 209, 2);
    EXPECT_NEAR(pixel[1], 41, 2);
    EXPECT_NEAR(pixel[2], 217, 2);
    GlApi.glDisableVertexAttribArray(0);
    GlApi.glDeleteBuffers(1, &buffer);
}

TEST_F(GlAssets, StarProgramLinksWithFixedSlotsAndKnowsItsLocations)
{
    loadShaderProgram();
    ASSERT_NE(shaderProgram, 0u);
    GLint linked = 0;
    GlApi.glGetProgramiv(shaderProgram, GL_LINK_STATUS, &linked);
    ASSERT_EQ(linked, GL_TRUE);
    EXPECT_EQ(positionAttrib, 0);
    EXPECT_EQ(texCoordAttrib, 1);
    // Declared but unread: a driver may drop them, else they keep their slots.
    EXPECT_TRUE(normalAttrib == -1 || normalAttrib == 2) << normalAttrib;
    EXPECT_TRUE(tangentAttrib == -1 || tangentAttrib == 3) << tangentAttrib;
    EXPECT_TRUE(bitangentAttrib == -1 || bitangentAttrib == 4) << bitangentAttrib;

    const struct {
        const char* name;
        int stored;
    } uniforms[] = {{"iResolution", resolutionUniform}, {"iTime", timeUniform}, {"iTimeDelta", timeDeltaUniform}, {"iRandom", randomUniform}, {"mv", mvUniform}, {"starColor", starColorUniform}, {"starDirection", starDirectionUniform}, {"starTrailDraw", starTrailDrawUniform}};
    for (const auto& u : uniforms)
        EXPECT_EQ(u.stored, GlApi.glGetUniformLocation(shaderProgram, u.name)) << u.name;
    // The drawing sets these every frame.
    for (int location : {mvUniform, starColorUniform, starDirectionUniform, starTrailDrawUniform})
        EXPECT_NE(location, -1);
}

// A shader that does not compile, or a program that does not link, says why
// (the driver's log, as an error message) and fails the start instead of
// leaving a black screen; nothing is linked from a failed compile.
TEST_F(GlAssets, ShaderThatFailsToCompileOrLinkReportsTheDriversLog)
{
    const char* vertex = "#version 110\nattribute vec4 position;\nvoid main() { gl_Position = position; }\n";
    reported.clear();
    EXPECT_FALSE(buildShaderProgram(vertex, "#version 110\nthis is not GLSL\n"));
    EXPECT_EQ(reported.rfind("Error: Failed to compile the fragment shader:\n", 0), 0u) << reported;
    EXPECT_GT(reported.size(), 60u) << "the log follows: " << reported;
    GLsizei count = -1;
    GLuint attached[2] = {};
    GlApi.glGetAttachedShaders(shaderProgram, 2, &count, attached);
    EXPECT_EQ(count, 0);

    reported.clear();
    EXPECT_FALSE(buildShaderProgram(vertex, "#version 110\nvarying vec4 v;\nvoid main() { gl_FragColor = v; }\n"));
    EXPECT_EQ(reported.rfind("Error: Failed to link the star shaders:\n", 0), 0u) << reported;
}

} // namespace
