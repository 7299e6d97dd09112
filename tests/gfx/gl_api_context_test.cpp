// On a real context. Also run with MESA_GL_VERSION_OVERRIDE set (2.1, 3.0),
// so the version check meets contexts below and at version 3.
#include "gfx/gl_api.h"
#include "gfx/gl_loader.h"
#include "gfx/gl_required.h"
#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

class GlApiOnContext : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // openTestGlContext fills the table itself; the status is kept from a second fill.
        opened = openTestGlContext(64, 64);
        if (opened) {
            status = initGlApi();
        }
    }
    static void TearDownTestSuite() { closeTestGlContext(); }
    void SetUp() override
    {
        if (!opened) {
            GTEST_SKIP() << "no OpenGL context could be opened";
        }
    }

    static bool opened;
    static int status;
};

bool GlApiOnContext::opened = false;
int GlApiOnContext::status = 1;

// Major and minor version as the context's version string states them.
bool reportedVersion(int& major, int& minor)
{
    const GLubyte* text = GlApi.glGetString(GL_VERSION);
    return text != nullptr && std::sscanf(reinterpret_cast<const char*>(text), "%d.%d", &major, &minor) == 2;
}

} // namespace

TEST_F(GlApiOnContext, ResolvesEveryEntryTheProgramCalls)
{
    EXPECT_EQ(firstMissingGlEntry(), nullptr);
}

TEST_F(GlApiOnContext, StatusFollowsTheContextsMajorVersion)
{
    int major = 0;
    int minor = 0;
    ASSERT_TRUE(reportedVersion(major, minor));
    std::printf("context: %s, %s\n", reinterpret_cast<const char*>(GlApi.glGetString(GL_VERSION)),
                reinterpret_cast<const char*>(GlApi.glGetString(GL_RENDERER)));
    if (major >= 3) {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(glVersionMajor, major);
        EXPECT_EQ(glVersionMinor, minor);
    } else {
        // A 2.x context does not know GL_MAJOR_VERSION: the query leaves 0.
        EXPECT_EQ(status, -1);
        EXPECT_EQ(glVersionMajor, 0);
    }
}

TEST_F(GlApiOnContext, EachEntryHoldsTheAddressOfItsOwnName)
{
    // Or null, where Linux drops what the context lacks.
    openGlLibrary();
#define GL_FUNCTION(ret, name, params)                                                    \
    if (GlApi.name != nullptr) {                                                          \
        EXPECT_EQ(reinterpret_cast<void*>(GlApi.name), getGlProcAddress(#name)) << #name; \
    }
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
    closeGlLibrary();
}

TEST_F(GlApiOnContext, EntriesWorkAfterTheLibraryReferenceIsDropped)
{
    // initGlApi has released its own reference; the calls must still land.
    // (Below 3.0 the version query itself leaves GL_INVALID_ENUM behind.)
    while (GlApi.glGetError() != GL_NO_ERROR) {
    }
    GlApi.glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    GlApi.glClear(GL_COLOR_BUFFER_BIT);
    const std::vector<unsigned char> pixels = readTestFramebuffer(64, 64);
    ASSERT_EQ(pixels.size(), 64u * 64u * 4u);
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[1], 0);
    EXPECT_EQ(pixels[2], 0);
    EXPECT_EQ(GlApi.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlApiOnContext, FramebufferIsReadBackTopRowFirst)
{
    // Green in the top quarter only: GL's rows start at the bottom.
    GlApi.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    GlApi.glClear(GL_COLOR_BUFFER_BIT);
    GlApi.glEnable(GL_SCISSOR_TEST);
    GlApi.glScissor(0, 48, 64, 16);
    GlApi.glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    GlApi.glClear(GL_COLOR_BUFFER_BIT);
    GlApi.glDisable(GL_SCISSOR_TEST);
    const std::vector<unsigned char> pixels = readTestFramebuffer(64, 64);
    ASSERT_EQ(pixels.size(), 64u * 64u * 4u);
    const std::size_t lastRow = 63u * 64u * 4u;
    EXPECT_EQ(pixels[1], 255) << "top row";
    EXPECT_EQ(pixels[lastRow + 1], 0) << "bottom row";
    EXPECT_EQ(pixels[lastRow + 3], 255) << "bottom row alpha";
}
