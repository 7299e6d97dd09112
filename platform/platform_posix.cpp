#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

NativeWindow nativeWindowFromNumber(std::int32_t number)
{
    return number < 0 ? 0 : static_cast<NativeWindow>(number);
}

namespace {

// True when this process holds the user's marker NAME (or none can be made);
// the kernel drops an flock when its holder dies, however it dies.
bool holdMarker(const char* name)
{
    char path[512];
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        std::snprintf(path, sizeof path, "%s/%s.lock", runtime, name);
    else
        std::snprintf(path, sizeof path, "/tmp/%s-%u.lock", name, static_cast<unsigned>(getuid()));
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

} // namespace

bool isFirstInstance()
{
    return holdMarker("EVENT_NAME_HERE");
}

bool isFirstWaylandSaver(const char* waylandDisplay)
{
    // The display may be a path; the marker's name keeps its last part.
    const char* name = waylandDisplay && *waylandDisplay ? waylandDisplay : "wayland-0";
    if (const char* slash = std::strrchr(name, '/'))
        name = slash + 1;
    char marker[256];
    std::snprintf(marker, sizeof marker, "quillomar-%s", name);
    return holdMarker(marker);
}

bool userChoseEveryMonitor()
{
    return false;
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
