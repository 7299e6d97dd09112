// Linux cuts the table to the context after the lookups; this program also
// runs under MESA_GL_VERSION_OVERRIDE 2.1 and 3.0.
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
    GLint count = 0;
    if (major < 3)
        extensions = extensions + reinterpret_cast<const char*>(GlApi.glGetString(GL_EXTENSIONS)) + " ";
    else
        GlApi.glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i)
        extensions = extensions + reinterpret_cast<const char*>(GlApi.glGetStringi(GL_EXTENSIONS, i)) + " ";

    bool expected = true;
    int nulled = 0;
#define GL_CORE(coreMajor, coreMinor) expected = major * 10 + minor >= (coreMajor)*10 + (coreMinor);
#define GL_EXTENSION(name)            expected = extensions.find(" " name " ") != std::string::npos;
#define GL_ENTRY(name)                                   \
    EXPECT_EQ(GlApi.name != nullptr, expected) << #name; \
    nulled += expected ? 0 : 1;
#include "gfx/gl_entry_origins.inc"
#undef GL_ENTRY
#undef GL_EXTENSION
#undef GL_CORE
    std::printf("context %d.%d: %d of the 700 entries null\n", major, minor, nulled);
    closeTestGlContext();
}
