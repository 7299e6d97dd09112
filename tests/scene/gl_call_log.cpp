#include "tests/scene/gl_call_log.h"

#include "gfx/gl_api.h"

#include <cstring>

GlCall glCalls[glCallCapacity];
int glCallCount;

namespace {

GlCall& record(const char* name)
{
    static GlCall overflow;
    if (glCallCount >= glCallCapacity) {
        overflow = GlCall{};
        overflow.name = "overflow";
        return overflow;
    }
    GlCall& call = glCalls[glCallCount++];
    call = GlCall{};
    call.name = name;
    return call;
}

void GL_APIENTRY recordViewport(GLint x, GLint y, GLsizei w, GLsizei h)
{
    GlCall& c = record("glViewport");
    c.ints[0] = x;
    c.ints[1] = y;
    c.ints[2] = w;
    c.ints[3] = h;
}

void GL_APIENTRY recordClear(GLbitfield mask)
{
    record("glClear").ints[0] = static_cast<int>(mask);
}

void GL_APIENTRY recordUseProgram(GLuint program)
{
    record("glUseProgram").ints[0] = static_cast<int>(program);
}

void GL_APIENTRY recordUniform3f(GLint location, GLfloat a, GLfloat b, GLfloat c)
{
    GlCall& call = record("glUniform3f");
    call.ints[0] = location;
    call.floats[0] = a;
    call.floats[1] = b;
    call.floats[2] = c;
}

void GL_APIENTRY recordUniform1f(GLint location, GLfloat a)
{
    GlCall& call = record("glUniform1f");
    call.ints[0] = location;
    call.floats[0] = a;
}

void GL_APIENTRY recordUniform1i(GLint location, GLint a)
{
    GlCall& call = record("glUniform1i");
    call.ints[0] = location;
    call.ints[1] = a;
}

void GL_APIENTRY recordUniform4fv(GLint location, GLsizei count, const GLfloat* value)
{
    GlCall& call = record("glUniform4fv");
    call.ints[0] = location;
    call.ints[1] = count;
    call.pointer = value;
    std::memcpy(call.floats, value, 4 * sizeof(float));
}

void GL_APIENTRY recordUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value)
{
    GlCall& call = record("glUniformMatrix4fv");
    call.ints[0] = location;
    call.ints[1] = count;
    call.ints[2] = transpose;
    call.pointer = value;
    std::memcpy(call.floats, value, 16 * sizeof(float));
}

void GL_APIENTRY recordDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    GlCall& call = record("glDrawElements");
    call.ints[0] = static_cast<int>(mode);
    call.ints[1] = count;
    call.ints[2] = static_cast<int>(type);
    call.pointer = indices;
}

template <typename... Args>
void GL_APIENTRY ignore(Args...)
{
}

template <typename... Args>
void installIgnore(void(GL_APIENTRY*& entry)(Args...))
{
    entry = &ignore<Args...>;
}

} // namespace

void clearGlApi()
{
    std::memset(static_cast<void*>(&GlApi), 0, sizeof GlApi);
}

void installRecordingGl()
{
    clearGlApi();
    glCallCount = 0;
    GlApi.glViewport = recordViewport;
    GlApi.glClear = recordClear;
    GlApi.glUseProgram = recordUseProgram;
    GlApi.glUniform3f = recordUniform3f;
    GlApi.glUniform1f = recordUniform1f;
    GlApi.glUniform1i = recordUniform1i;
    GlApi.glUniform4fv = recordUniform4fv;
    GlApi.glUniformMatrix4fv = recordUniformMatrix4fv;
    GlApi.glDrawElements = recordDrawElements;
}

void installNoopGl()
{
    clearGlApi();
    installIgnore(GlApi.glViewport);
    installIgnore(GlApi.glClear);
    installIgnore(GlApi.glUseProgram);
    installIgnore(GlApi.glUniform3f);
    installIgnore(GlApi.glUniform1f);
    installIgnore(GlApi.glUniform1i);
    installIgnore(GlApi.glUniform4fv);
    installIgnore(GlApi.glUniformMatrix4fv);
    installIgnore(GlApi.glDrawElements);
}
