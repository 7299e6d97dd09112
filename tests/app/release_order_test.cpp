#include "app/saver_run.h"
#include "gfx/gl_api.h"
#include "gfx/noise_texture.h"
#include "gfx/shader_program.h"
#include "model/quad_upload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

void GL_APIENTRY recordDeleteProgram(GLuint program)
{
    calls.push_back("program " + std::to_string(program));
}

void GL_APIENTRY recordDeleteTextures(GLsizei n, const GLuint* names)
{
    calls.push_back("textures " + std::to_string(n) + " " + std::to_string(names[0]));
}

void GL_APIENTRY recordDeleteBuffers(GLsizei n, const GLuint* names)
{
    calls.push_back("buffers " + std::to_string(n) + " " + std::to_string(names[0]));
}

TEST(SaverShutdown, DeletesProgramTextureAndTheSixBuffersInOrder)
{
    GlApi.glDeleteProgram = recordDeleteProgram;
    GlApi.glDeleteTextures = recordDeleteTextures;
    GlApi.glDeleteBuffers = recordDeleteBuffers;
    shaderProgram = 3;
    noiseTexture = 1;
    positionBuffer = 11;
    texCoordBuffer = 12;
    normalBuffer = 13;
    tangentBuffer = 14;
    bitangentBuffer = 15;
    indexBuffer = 16;

    releaseGlObjects();

    const std::vector<std::string> expected = {
        "program 3", "textures 1 1", "buffers 1 11", "buffers 1 12",
        "buffers 1 13", "buffers 1 14", "buffers 1 15", "buffers 1 16"};
    EXPECT_EQ(calls, expected);
}

} // namespace
