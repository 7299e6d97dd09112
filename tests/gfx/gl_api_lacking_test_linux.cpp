// Linux's lookup fills every name, so the table is cut to the context after
// it: checked against the context's own version and extensions, also under
// the MESA_GL_VERSION_OVERRIDE runs of this program.
#include "gfx/gl_api.h"
#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(GlApiOnLinux, EntriesAreNullExactlyWhereTheContextLacksThem)
{
    if (!openTestGlContext(64, 64)) {
        GTEST_SKIP() << "no OpenGL context could be opened";
    }
    int major = 0;
    int minor = 0;
    const char* version = reinterpret_cast<const char*>(GlApi.glGetString(GL_VERSION));
    ASSERT_TRUE(version != nullptr && std::sscanf(version, "%d.%d", &major, &minor) == 2);
    // From 3.0 on, read one by one: the table was cut by the single string.
    std::string extensions = " ";
    if (major >= 3) {
        GLint count = 0;
        GlApi.glGetIntegerv(GL_NUM_EXTENSIONS, &count);
        for (GLint i = 0; i < count; ++i) {
            extensions += reinterpret_cast<const char*>(GlApi.glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
            extensions += ' ';
        }
    } else {
        extensions += reinterpret_cast<const char*>(GlApi.glGetString(GL_EXTENSIONS));
        extensions += ' ';
    }

    bool expected = true;
    int nulled = 0;
#define GL_CORE(coreMajor, coreMinor) expected = major * 10 + minor >= (coreMajor) * 10 + (coreMinor);
#define GL_EXTENSION(name) expected = extensions.find(" " name " ") != std::string::npos;
#define GL_ENTRY(name)                                       \
    EXPECT_EQ(GlApi.name != nullptr, expected) << #name;     \
    nulled += expected ? 0 : 1;
#include "gfx/gl_entry_origins.inc"
#undef GL_ENTRY
#undef GL_EXTENSION
#undef GL_CORE
    std::printf("context %d.%d: %d of the 700 entries null\n", major, minor, nulled);
    closeTestGlContext();
}
