#include "gfx/context_reset.h"

#include "gfx/gl_api.h"

namespace {

// The table's entry, read at every call: the core one, else the extension's.
GLenum(GL_APIENTRY** resetStatus)() = nullptr;

} // namespace

void watchContextResets()
{
    resetStatus = GlApi.glGetGraphicsResetStatus ? &GlApi.glGetGraphicsResetStatus
                                                 : &GlApi.glGetGraphicsResetStatusARB;
    // A context without that strategy leaves 0 here: it goes on after a reset
    // as well as it can, and its answers would tell nothing.
    GLint strategy = 0;
    GlApi.glGetIntegerv(GL_RESET_NOTIFICATION_STRATEGY, &strategy);
    if (strategy != GL_LOSE_CONTEXT_ON_RESET || !*resetStatus)
        resetStatus = nullptr;
}

bool contextWasReset()
{
    return resetStatus && (*resetStatus)() != GL_NO_ERROR;
}
