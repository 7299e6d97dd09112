// initGlApi with no current context: wglGetProcAddress answers nothing, so
// only what opengl32.dll exports itself is filled: the core 1.0 and 1.1 entries.
#include "gfx/gl_api.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

const char* const tableNames[] = {
#define GL_FUNCTION(ret, name, params) #name,
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
};

const void* const* tableEntries()
{
    static_assert(sizeof(GlApiTable) == sizeof tableNames / sizeof tableNames[0] * sizeof(void*), "one pointer per name");
    return reinterpret_cast<const void* const*>(&GlApi);
}

} // namespace

TEST(GlApiWithoutContext, FillsExactlyTheLibrarysOwnExports)
{
    const int status = initGlApi();
    constexpr std::size_t coreOneOne = 48 + 14;
    const void* const* entries = tableEntries();
    for (std::size_t i = 0; i < sizeof tableNames / sizeof tableNames[0]; ++i) {
        if (i < coreOneOne) {
            EXPECT_NE(entries[i], nullptr) << tableNames[i];
        } else {
            EXPECT_EQ(entries[i], nullptr) << tableNames[i];
        }
    }
    // glGetIntegerv is an export, but with no context the version query answers nothing.
    EXPECT_EQ(status, -1);
    EXPECT_EQ(glVersionMajor, 0);
}
