// Linked with --wrap=_Z9initGlApiv into the saver: each time the GL table is
// filled, the context claims to be lost on a reset (Mesa's software renderer
// never is) and its reset-status entries report a GPU reset after a number of
// frames, as a driver does after a hang. The first context is reset after 90
// frames, the next after 300.
#include "gfx/gl_api.h"

extern "C" int __real__Z9initGlApiv();

namespace {

constexpr GLenum guiltyContextReset = 0x8253;
int fills = 0;
int frames = 0;
void(GL_APIENTRY* realGetIntegerv)(GLenum, GLint*) = nullptr;

void GL_APIENTRY robustGetIntegerv(GLenum name, GLint* value)
{
    if (name == GL_RESET_NOTIFICATION_STRATEGY)
        *value = GL_LOSE_CONTEXT_ON_RESET;
    else
        realGetIntegerv(name, value);
}

GLenum GL_APIENTRY injectedResetStatus()
{
    return ++frames >= (fills == 1 ? 90 : 300) ? guiltyContextReset : GL_NO_ERROR;
}

} // namespace

extern "C" int __wrap__Z9initGlApiv()
{
    const int status = __real__Z9initGlApiv();
    ++fills;
    frames = 0;
    realGetIntegerv = GlApi.glGetIntegerv;
    GlApi.glGetIntegerv = robustGetIntegerv;
    GlApi.glGetGraphicsResetStatus = injectedResetStatus;
    GlApi.glGetGraphicsResetStatusARB = injectedResetStatus;
    return status;
}
