#include "gfx/gl_required.h"

#include "gfx/gl_api.h"

// One list gives both the names and the entries tested, so they cannot drift apart.
// clang-format off
#define QUILLOMAR_REQUIRED_GL_ENTRIES(X)                                                              \
    /* render state */                                                                                \
    X(glCullFace) X(glFrontFace) X(glEnable) X(glDisable) X(glBlendFunc) X(glPolygonMode)             \
    /* shader program */                                                                              \
    X(glCreateProgram) X(glCreateShader) X(glShaderSource) X(glCompileShader) X(glGetShaderiv)        \
    X(glGetShaderInfoLog) X(glDeleteShader) X(glAttachShader) X(glBindAttribLocation)                 \
    X(glLinkProgram) X(glGetProgramiv) X(glGetProgramInfoLog) X(glGetUniformLocation)                 \
    X(glGetAttribLocation)                                                                            \
    /* noise texture */                                                                               \
    X(glGenTextures) X(glActiveTexture) X(glBindTexture) X(glTexImage2D) X(glTexParameteri)           \
    X(glTexParameterf) X(glGetFloatv)                                                                 \
    /* quad upload */                                                                                 \
    X(glGenBuffers) X(glBindBuffer) X(glBufferData) X(glEnableVertexAttribArray)                      \
    X(glVertexAttribPointer)                                                                          \
    /* star drawing */                                                                                \
    X(glViewport) X(glClear) X(glUseProgram) X(glUniform1f) X(glUniform3f) X(glUniform4fv)            \
    X(glUniform1i) X(glUniformMatrix4fv) X(glDrawElements)                                            \
    /* clean-up */                                                                                    \
    X(glDeleteProgram) X(glDeleteTextures) X(glDeleteBuffers)                                         \
    /* version check */                                                                               \
    X(glGetIntegerv)
// clang-format on

#define QUILLOMAR_NAME(entry) #entry,
const char* const requiredGlEntryNames[requiredGlEntryCount] = {QUILLOMAR_REQUIRED_GL_ENTRIES(QUILLOMAR_NAME)};
#undef QUILLOMAR_NAME

const char* firstMissingGlEntry()
{
#define QUILLOMAR_TEST(entry)     \
    if (GlApi.entry == nullptr) { \
        return #entry;            \
    }
    QUILLOMAR_REQUIRED_GL_ENTRIES(QUILLOMAR_TEST)
#undef QUILLOMAR_TEST
    return nullptr;
}
