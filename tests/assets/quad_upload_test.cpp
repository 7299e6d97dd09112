#include "gfx/gl_api.h"
#include "gfx/shader_program.h"
#include "model/quad_upload.h"
#include "objl/objl.h"
#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

GLint integer(GLenum name)
{
    GLint value = -1;
    GlApi.glGetIntegerv(name, &value);
    return value;
}

class QuadUpload : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!openTestGlContext(64, 64))
            GTEST_SKIP() << "no OpenGL context";
    }
    void TearDown() override { closeTestGlContext(); }
};

TEST_F(QuadUpload, QuadBuffersHoldTheQuadAndFeedTheStarAttributes)
{
    loadShaderProgram();
    uploadQuadModel();
    ASSERT_EQ(modelVertexCount, 4);
    ASSERT_EQ(modelIndexCount, 6);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(bitangentBuffer));

    const struct {
        const char* name;
        GLuint buffer;
        int location;
        int components;
        std::vector<float> values;
    } attributes[] = {
        {"position", positionBuffer, positionAttrib, 3, {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0}},
        {"texCoord", texCoordBuffer, texCoordAttrib, 2, {0, 0, 1, 0, 1, 1, 0, 1}},
        {"normal", normalBuffer, normalAttrib, 3, {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}},
        {"tangent", tangentBuffer, tangentAttrib, 3, {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0}},
        {"bitangent", bitangentBuffer, bitangentAttrib, 3, {0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0}},
    };
    for (const auto& a : attributes) {
        SCOPED_TRACE(a.name);
        ASSERT_NE(a.buffer, 0u);
        GlApi.glBindBuffer(GL_ARRAY_BUFFER, a.buffer);
        GLint size = 0;
        GlApi.glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        ASSERT_EQ(size, static_cast<GLint>(a.values.size() * 4));
        std::vector<float> stored(a.values.size());
        GlApi.glGetBufferSubData(GL_ARRAY_BUFFER, 0, size, stored.data());
        EXPECT_EQ(stored, a.values);
        if (a.location < 0)
            continue;
        GLint value = 0;
        GlApi.glGetVertexAttribiv(static_cast<GLuint>(a.location), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &value);
        EXPECT_EQ(value, GL_TRUE);
        GlApi.glGetVertexAttribiv(static_cast<GLuint>(a.location), GL_VERTEX_ATTRIB_ARRAY_SIZE, &value);
        EXPECT_EQ(value, a.components);
    }

    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(indexBuffer));
    GLint size = 0;
    GlApi.glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    ASSERT_EQ(size, 24);
    std::vector<unsigned int> indices(6);
    GlApi.glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, size, indices.data());
    EXPECT_EQ(indices, (std::vector<unsigned int>{0, 1, 3, 1, 2, 3}));
}

TEST_F(QuadUpload, ModelWithoutAMeshKeepsNoCountsOfTheOneBefore)
{
    loadShaderProgram();
    uploadQuadModel();
    uploadMeshes({});
    EXPECT_EQ(modelVertexCount, 0);
    EXPECT_EQ(modelIndexCount, 0);
    GLint size = -1;
    GlApi.glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 0);
}

} // namespace
