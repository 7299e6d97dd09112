#include "gfx/gl_api.h"
#include "gfx/gl_loader.h"
#include "gfx/gl_required.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const tableNames[] = {
#define GL_FUNCTION(ret, name, params) #name,
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
};
constexpr std::size_t tableSize = sizeof tableNames / sizeof tableNames[0];

const std::size_t memberOffsets[] = {
#define GL_FUNCTION(ret, name, params) offsetof(GlApiTable, name),
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
};

struct Section {
    const char* title;
    std::size_t count;
    const char* first;
    const char* last;
};

const Section sections[] = {
    {"Core 1.0", 48, "glCullFace", "glViewport"},
    {"Core 1.1", 14, "glDrawArrays", "glIsTexture"},
    {"Core 1.2", 4, "glDrawRangeElements", "glCopyTexSubImage3D"},
    {"Core 1.3", 9, "glActiveTexture", "glGetCompressedTexImage"},
    {"Core 1.4", 9, "glBlendFuncSeparate", "glBlendEquation"},
    {"Core 1.5", 19, "glGenQueries", "glGetBufferPointerv"},
    {"Core 2.0", 93, "glBlendEquationSeparate", "glVertexAttribPointer"},
    {"Core 2.1", 6, "glUniformMatrix2x3fv", "glUniformMatrix4x3fv"},
    {"Core 3.0", 84, "glColorMaski", "glIsVertexArray"},
    {"Core 3.1", 12, "glDrawArraysInstanced", "glUniformBlockBinding"},
    {"Core 3.2", 19, "glDrawElementsBaseVertex", "glSampleMaski"},
    {"Core 3.3", 28, "glBindFragDataLocationIndexed", "glVertexAttribP4uiv"},
    {"Core 4.0", 46, "glMinSampleShading", "glGetQueryIndexediv"},
    {"Core 4.1", 88, "glReleaseShaderCompiler", "glGetDoublei_v"},
    {"Core 4.2", 12, "glDrawArraysInstancedBaseInstance", "glDrawTransformFeedbackStreamInstanced"},
    {"Core 4.3", 43, "glClearBufferData", "glGetObjectPtrLabel"},
    {"Core 4.4", 9, "glBufferStorage", "glBindVertexBuffers"},
    {"Core 4.5", 110, "glClipControl", "glTextureBarrier"},
    {"Extensions", 47, "glGetTextureHandleARB", "glTexPageCommitmentARB"}};

const char* const extensionNames[] = {
    "glGetTextureHandleARB", "glGetTextureSamplerHandleARB", "glMakeTextureHandleResidentARB",
    "glMakeTextureHandleNonResidentARB", "glGetImageHandleARB", "glMakeImageHandleResidentARB",
    "glMakeImageHandleNonResidentARB", "glUniformHandleui64ARB", "glUniformHandleui64vARB",
    "glProgramUniformHandleui64ARB", "glProgramUniformHandleui64vARB", "glIsTextureHandleResidentARB",
    "glIsImageHandleResidentARB", "glVertexAttribL1ui64ARB", "glVertexAttribL1ui64vARB",
    "glGetVertexAttribLui64vARB", "glCreateSyncFromCLeventARB", "glDispatchComputeGroupSizeARB",
    "glDebugMessageControlARB", "glDebugMessageInsertARB", "glDebugMessageCallbackARB",
    "glGetDebugMessageLogARB", "glBlendEquationiARB", "glBlendEquationSeparateiARB", "glBlendFunciARB",
    "glBlendFuncSeparateiARB", "glMultiDrawArraysIndirectCountARB", "glMultiDrawElementsIndirectCountARB",
    "glGetGraphicsResetStatusARB", "glGetnTexImageARB", "glReadnPixelsARB", "glGetnCompressedTexImageARB",
    "glGetnUniformfvARB", "glGetnUniformivARB", "glGetnUniformuivARB", "glGetnUniformdvARB",
    "glMinSampleShadingARB", "glNamedStringARB", "glDeleteNamedStringARB", "glCompileShaderIncludeARB",
    "glIsNamedStringARB", "glGetNamedStringARB", "glGetNamedStringivARB", "glBufferPageCommitmentARB",
    "glNamedBufferPageCommitmentEXT", "glNamedBufferPageCommitmentARB", "glTexPageCommitmentARB"};

std::size_t indexOf(const std::string& name)
{
    for (std::size_t i = 0; i < tableSize; ++i) {
        if (name == tableNames[i]) {
            return i;
        }
    }
    return tableSize;
}

void GL_APIENTRY placeholder() { }

// Sets one entry, found by its name, to a placeholder address or to null.
void setEntry(const char* wanted, bool resolved)
{
#define GL_FUNCTION(ret, name, params)                                                              \
    if (std::strcmp(wanted, #name) == 0) {                                                          \
        GlApi.name = resolved ? reinterpret_cast<ret(GL_APIENTRY*) params>(&placeholder) : nullptr; \
    }
#include "gfx/gl_functions.inc"
#undef GL_FUNCTION
}

void resolveAllEntries()
{
    for (const char* name : tableNames) {
        setEntry(name, true);
    }
}

class RequiredEntries : public ::testing::Test {
protected:
    void TearDown() override { GlApi = GlApiTable{}; }
};

} // namespace

TEST(GlApiTable, HoldsSevenHundredDistinctEntriesOnePointerEach)
{
    ASSERT_EQ(tableSize, 700u);
    EXPECT_EQ(std::set<std::string>(tableNames, tableNames + tableSize).size(), 700u);
    EXPECT_EQ(sizeof(GlApiTable), 700 * sizeof(void*));
}

TEST(GlApiTable, SectionsHaveTheirCountsAndBoundaries)
{
    std::size_t start = 0;
    for (const Section& section : sections) {
        SCOPED_TRACE(section.title);
        ASSERT_LE(start + section.count, tableSize);
        EXPECT_STREQ(tableNames[start], section.first);
        EXPECT_STREQ(tableNames[start + section.count - 1], section.last);
        start += section.count;
    }
    EXPECT_EQ(start, tableSize);
}

TEST(GlApiTable, EndsWithTheExtensionsInTheirOrder)
{
    constexpr std::size_t count = sizeof extensionNames / sizeof extensionNames[0];
    ASSERT_EQ(count, 47u);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_STREQ(tableNames[tableSize - count + i], extensionNames[i]) << "extension " << i;
    }
}

TEST(GlApiTable, MembersAreLaidOutInNameOrder)
{
    for (std::size_t i = 0; i < tableSize; ++i) {
        EXPECT_EQ(memberOffsets[i], i * sizeof(void*)) << tableNames[i];
    }
}

TEST(GlApiTable, StartsEmpty)
{
    const GlApiTable empty{};
    EXPECT_EQ(std::memcmp(&GlApi, &empty, sizeof empty), 0);
    EXPECT_EQ(glVersionMajor, 0);
    EXPECT_EQ(glVersionMinor, 0);
}

TEST(GlProcAddress, DriverFailureMarkersAreNotAddresses)
{
    for (std::intptr_t marker : {0, 1, 2, 3, -1}) {
        EXPECT_FALSE(isUsableGlAddress(reinterpret_cast<const void*>(marker))) << marker;
    }
    EXPECT_TRUE(isUsableGlAddress(reinterpret_cast<const void*>(&placeholder)));
    EXPECT_TRUE(isUsableGlAddress(reinterpret_cast<const void*>(std::intptr_t{4})));
}

TEST_F(RequiredEntries, AreFortyFiveDistinctCoreFunctionsUpToVersionTwo)
{
    // Core 1.0 to 2.0 are the first 196 entries: a 2.x context must serve the program.
    constexpr std::size_t upToTwoZero = 48 + 14 + 4 + 9 + 9 + 19 + 93;
    std::set<std::string> distinct;
    for (const char* name : requiredGlEntryNames) {
        ASSERT_NE(name, nullptr);
        distinct.insert(name);
        EXPECT_LT(indexOf(name), upToTwoZero) << name;
    }
    EXPECT_EQ(distinct.size(), requiredGlEntryCount);
    EXPECT_EQ(requiredGlEntryCount, 45u);
}

TEST_F(RequiredEntries, NoneMissingWhenAllAreResolved)
{
    resolveAllEntries();
    EXPECT_EQ(firstMissingGlEntry(), nullptr);
}

TEST_F(RequiredEntries, EachNullEntryIsNamed)
{
    // Guards the pairing of each name with its own entry.
    for (const char* name : requiredGlEntryNames) {
        resolveAllEntries();
        setEntry(name, false);
        const char* missing = firstMissingGlEntry();
        ASSERT_NE(missing, nullptr) << name;
        EXPECT_STREQ(missing, name);
    }
}

TEST_F(RequiredEntries, FirstOfSeveralMissingIsNamed)
{
    resolveAllEntries();
    setEntry("glDrawElements", false);
    setEntry("glGetIntegerv", false);
    setEntry("glShaderSource", false);
    EXPECT_STREQ(firstMissingGlEntry(), "glShaderSource");

    GlApi = GlApiTable{};
    EXPECT_STREQ(firstMissingGlEntry(), requiredGlEntryNames[0]);
}

TEST_F(RequiredEntries, EntriesTheProgramDoesNotCallMayBeNull)
{
    resolveAllEntries();
    setEntry("glTextureBarrier", false);
    setEntry("glGetTextureHandleARB", false);
    setEntry("glReadPixels", false);
    EXPECT_EQ(firstMissingGlEntry(), nullptr);
}
