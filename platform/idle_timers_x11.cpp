#include "platform/glfw_native.h"
#include "platform/x11.h"

namespace {

struct ScreenSaverSettings {
    bool read;
    int timeout, interval, preferBlanking, allowExposures;
};

ScreenSaverSettings user = {};

} // namespace

void rememberIdleTimers()
{
    if (Display* display = x11Display()) {
        XGetScreenSaver(display, &user.timeout, &user.interval, &user.preferBlanking, &user.allowExposures);
        user.read = true;
    }
}

void giveBackIdleTimers()
{
    Display* display = x11Display();
    if (!user.read || !display)
        return;
    XSetScreenSaver(display, user.timeout, user.interval, user.preferBlanking, user.allowExposures);
    XFlush(display);
}
