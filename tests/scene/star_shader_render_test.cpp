#include "tests/scene/star_shading_reference.h"
#include "tests/support/gl_test_context.h"

#include "gfx/gl_api.h"
#include "res/resources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// 101 pixels a side: pixel i's centre samples u = i / 100 once the texture
// coordinates are stretched half a pixel past the viewport on each side.
constexpr int side = 101;

std::string shaderText(int id)
{
    const ResourceData data = findResourceData("TEXTFILE", id);
    std::string text;
    for (unsigned long i = 0; data.bytes != nullptr && i < data.size && data.bytes[i] != '~'; ++i) {
        text += static_cast<char>(data.bytes[i]);
    }
    return text;
}

std::string shaderLog(GLuint shader)
{
    char log[4096] = {};
    GlApi.glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    return log;
}

GLuint compile(GLenum stage, const std::string& text)
{
    const GLuint shader = GlApi.glCreateShader(stage);
    const char* source = text.c_str();
    GlApi.glShaderSource(shader, 1, &source, nullptr);
    GlApi.glCompileShader(shader);
    GLint status = 0;
    GlApi.glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    EXPECT_NE(status, 0) << shaderLog(shader);
    return shader;
}

class StarShaderRender : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        contextOpen = openTestGlContext(side, side);
    }

    static void TearDownTestSuite()
    {
        closeTestGlContext();
    }

    void SetUp() override
    {
        ASSERT_TRUE(contextOpen) << "no GL context";
        const std::string vertexText = shaderText(105);
        const std::string fragmentText = shaderText(106);
        ASSERT_EQ(vertexText.size(), 296u);
        ASSERT_EQ(fragmentText.size(), 1877u);

        program = GlApi.glCreateProgram();
        vertexShader = compile(GL_VERTEX_SHADER, vertexText);
        fragmentShader = compile(GL_FRAGMENT_SHADER, fragmentText);
        GlApi.glAttachShader(program, vertexShader);
        GlApi.glAttachShader(program, fragmentShader);
        GlApi.glBindAttribLocation(program, 0, "position");
        GlApi.glBindAttribLocation(program, 1, "position_tex");
        GlApi.glLinkProgram(program);
        GLint linked = 0;
        GlApi.glGetProgramiv(program, GL_LINK_STATUS, &linked);
        ASSERT_NE(linked, 0);
        GlApi.glUseProgram(program);

        // Identity transform, white star: the pixel is the brightness factor.
        const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        GlApi.glUniformMatrix4fv(GlApi.glGetUniformLocation(program, "mv"), 1, GL_FALSE, identity);
        const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        GlApi.glUniform4fv(GlApi.glGetUniformLocation(program, "starColor"), 1, white);
        trailLocation = GlApi.glGetUniformLocation(program, "starTrailDraw");
        directionLocation = GlApi.glGetUniformLocation(program, "starDirection");

        // The saver draws outlines; here every pixel of the quad is wanted.
        GlApi.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        GlApi.glDisable(GL_BLEND);
        GlApi.glDisable(GL_MULTISAMPLE);
        GlApi.glDisable(GL_DEPTH_TEST);
        GlApi.glViewport(0, 0, side, side);

        const float pad = 0.5f / (side - 1);
        const float lo = -pad;
        const float hi = 1.0f + pad;
        const float vertices[] = {
            -1, -1, 0, lo, lo, 1, -1, 0, hi, lo, 1, 1, 0, hi, hi,
            -1, -1, 0, lo, lo, 1, 1, 0, hi, hi, -1, 1, 0, lo, hi};
        GlApi.glGenBuffers(1, &buffer);
        GlApi.glBindBuffer(GL_ARRAY_BUFFER, buffer);
        GlApi.glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STATIC_DRAW);
        const GLsizei stride = 5 * sizeof(float);
        GlApi.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
        GlApi.glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
        GlApi.glEnableVertexAttribArray(0);
    }

    void TearDown() override
    {
        if (!contextOpen) {
            return;
        }
        GlApi.glDeleteBuffers(1, &buffer);
        GlApi.glDeleteProgram(program);
        GlApi.glDeleteShader(vertexShader);
        GlApi.glDeleteShader(fragmentShader);
    }

    // Draws the whole viewport and gives back its pixels, bottom row first.
    std::vector<unsigned char> draw(bool trail, int direction)
    {
        GlApi.glUniform1i(trailLocation, trail ? 1 : 0);
        GlApi.glUniform1i(directionLocation, direction);
        GlApi.glClear(GL_COLOR_BUFFER_BIT);
        GlApi.glDrawArrays(GL_TRIANGLES, 0, 6);
        const std::vector<unsigned char> topFirst = readTestFramebuffer(side, side);
        std::vector<unsigned char> pixels(topFirst.size());
        for (int row = 0; row < side; ++row) {
            std::copy(topFirst.begin() + (side - 1 - row) * side * 4, topFirst.begin() + (side - row) * side * 4,
                      pixels.begin() + row * side * 4);
        }
        return pixels;
    }

    static bool contextOpen;
    GLuint program = 0;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint buffer = 0;
    GLint trailLocation = -1;
    GLint directionLocation = -1;
};

bool StarShaderRender::contextOpen = false;

// Farthest channel (R, G, B) of a pixel from factor * 255.
float distance(const std::vector<unsigned char>& pixels, int x, int y, float factor)
{
    float worst = 0.0f;
    for (int c = 0; c < 3; ++c) {
        worst = std::fmax(worst, std::fabs(pixels[(y * side + x) * 4 + c] - factor * 255.0f));
    }
    return worst;
}

TEST_F(StarShaderRender, MatchesTheBrightnessTable)
{
    // The table's (u, v) at exact values: a constant texture coordinate
    // needs no interpolation.
    GlApi.glDisableVertexAttribArray(1);
    for (const ShadingRow& row : shadingTable) {
        const int first = row.direction < 0 ? 0 : row.direction;
        const int last = row.direction < 0 ? 3 : row.direction;
        for (int direction = first; direction <= last; ++direction) {
            GlApi.glVertexAttrib2f(1, row.u, row.v);
            const std::vector<unsigned char> pixels = draw(row.trail, direction);
            EXPECT_LE(distance(pixels, side / 2, side / 2, row.factor), 1.0f)
                << (row.trail ? "trail" : "head") << " direction " << direction << " at (" << row.u << ", " << row.v
                << "): R " << int(pixels[(side / 2 * side + side / 2) * 4]) << ", want " << row.factor * 255.0f;
        }
    }
}

TEST_F(StarShaderRender, EveryPixelFollowsTheReference)
{
    GlApi.glEnableVertexAttribArray(1);
    for (int trail = 0; trail <= 1; ++trail) {
        for (int direction = 0; direction < 4; ++direction) {
            SCOPED_TRACE(testing::Message() << (trail ? "trail" : "head") << " direction " << direction);
            const std::vector<unsigned char> pixels = draw(trail != 0, direction);
            int wrong = 0;
            for (int y = 0; y < side && wrong < 5; ++y) {
                for (int x = 0; x < side && wrong < 5; ++x) {
                    const float u = x / 100.0f;
                    const float v = y / 100.0f;
                    auto reference = [&](float pu, float pv) {
                        return trail ? referenceTrail(direction, pu, pv) : referenceHead(direction, pu, pv);
                    };
                    const float factor = reference(u, v);
                    // An interpolated 0.18 may land an ulp either side of the
                    // head's 0.18 and 0.82 marks, where the plateau steps by 0.008.
                    const float e = 1e-6f;
                    const float d = std::fmin(
                        distance(pixels, x, y, factor),
                        std::fmin(std::fmin(distance(pixels, x, y, reference(u + e, v)), distance(pixels, x, y, reference(u - e, v))),
                                  std::fmin(distance(pixels, x, y, reference(u, v + e)), distance(pixels, x, y, reference(u, v - e)))));
                    if (d > 1.0f) {
                        ++wrong;
                        ADD_FAILURE() << "(" << u << ", " << v << "): R " << int(pixels[(y * side + x) * 4])
                                      << ", want " << factor * 255.0f;
                    }
                }
            }
        }
    }
}

} // namespace
