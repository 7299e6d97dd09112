// initGlApi with no current context. libGL's glXGetProcAddressARB hands out a
// dispatch stub for any GL name whether or not a context is current, so this
// cannot show "only the library's exports". What it does show: every name
// libGL exports itself is filled, nothing is refused for lack of a context,
// and the version check reports -1 without a context to ask.
#include "gfx/gl_api.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>

namespace {

const char* const tableNames[] = {
#define GL_FUNCTION(ret, name, params) #name,
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
};
constexpr std::size_t tableSize = sizeof tableNames / sizeof tableNames[0];

const void* const* tableEntries()
{
    static_assert(sizeof(GlApiTable) == tableSize * sizeof(void*), "one pointer per name");
    return reinterpret_cast<const void* const*>(&GlApi);
}

} // namespace

TEST(GlApiWithoutContext, FillsEveryNameTheLibraryExports)
{
    void* library = dlopen("libGL.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        GTEST_SKIP() << "libGL.so.1 is not installed";
    }
    const int status = initGlApi();
    const void* const* entries = tableEntries();
    std::size_t exported = 0;
    std::size_t filled = 0;
    for (std::size_t i = 0; i < tableSize; ++i) {
        if (dlsym(library, tableNames[i]) != nullptr) {
            ++exported;
            EXPECT_NE(entries[i], nullptr) << tableNames[i];
        }
        filled += entries[i] != nullptr;
    }
    std::printf("libGL exports %zu of the %zu names; %zu entries filled without a context\n", exported,
                tableSize, filled);
    // Core 1.0 and 1.1 are exported by every libGL.
    EXPECT_GE(exported, 62u);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(glVersionMajor, 0);
    dlclose(library);
}
