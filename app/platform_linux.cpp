#include "app/platform.h"

#include "app/host_linux.h"
#include "app/preview_x11.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

Display* hostDisplay = nullptr;

// Xlib's default handler ends the process on any protocol error; a preview
// host may vanish at any moment, so errors are reported by the calls instead.
int x11IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

Display* x11HostDisplay()
{
    if (!hostDisplay) {
        hostDisplay = XOpenDisplay(nullptr);
        XSetErrorHandler(x11IgnoreError);
    }
    return hostDisplay;
}

// Xlib calls this when the connection breaks (the session ended, the server
// was killed) and exits with 1 if it returns. Nothing can be released over a
// dead connection, so end at once, with the code of every other path.
int x11EndOnLostDisplay(Display*)
{
    std::_Exit(0);
}

bool x11HostAttributes(NativeWindow host, XWindowAttributes* attributes)
{
    Display* display = x11HostDisplay();
    if (!display || host == 0 || host > 0x1FFFFFFF) // X ids use 29 bits
        return false;
    return XGetWindowAttributes(display, static_cast<Window>(host), attributes) != 0;
}

} // namespace

NativeWindow nativeWindowFromNumber(std::int32_t number)
{
    return number < 0 ? 0 : static_cast<NativeWindow>(number);
}

bool isFirstInstance()
{
    // The kernel drops an flock when its holder dies, however it dies.
    char path[512];
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        std::snprintf(path, sizeof path, "%s/EVENT_NAME_HERE.lock", runtime);
    else
        std::snprintf(path, sizeof path, "/tmp/EVENT_NAME_HERE-%u.lock", static_cast<unsigned>(getuid()));
    const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true; // as on Windows: a marker that cannot be made does not stop the run
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return !held;
    }
    return true; // fd stays open until the process ends
}

int windowsVersionNumber()
{
    return 100; // behave as on Windows 10
}

void showMessageBox(const char* text, const char* caption, MessageIcon)
{
    // The display may be the very thing that failed, so no window here.
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

bool getHostClientSize(NativeWindow host, int* width, int* height)
{
    XWindowAttributes attributes;
    if (!x11HostAttributes(host, &attributes))
        return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

bool isHostWindowEnabled(NativeWindow host)
{
    XWindowAttributes attributes;
    if (!x11HostAttributes(host, &attributes) || attributes.map_state != IsViewable)
        return false;
    // X tells no child that its parent was resized; this check runs every frame.
    return followPreviewHost(host, attributes.width, attributes.height);
}

void endQuietlyOnLostDisplay()
{
    XSetIOErrorHandler(x11EndOnLostDisplay);
}
