#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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
