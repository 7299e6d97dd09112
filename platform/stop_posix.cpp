#include "platform/platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// A saver offers itself to `quillomar --stop` with a file of its own in the
// runtime folder, named by user, display and process and locked while it
// lives. Idle daemons lock the screen right after asking the saver to stop:
// --stop returns only once the savers have ended, so no locker comes up over
// stars that are still there.

namespace {

// A stopped saver finishes its frame and lets go of the display; this is far
// beyond that, and --stop returns even if one hangs.
constexpr int stopWaitMs = 5000;
constexpr int maxSavers = 32;

const char* runtimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime ? runtime : "/tmp";
}

// "quillomar-UID-DISPLAY.": ":0.0" and ":0" are one display, and a path
// (WAYLAND_DISPLAY may be one) keeps its last part.
void namePrefix(char* prefix, std::size_t size, const char* display)
{
    if (const char* slash = std::strrchr(display, '/'))
        display = slash + 1;
    const char* colon = std::strrchr(display, ':');
    const char* dot = colon ? std::strchr(colon, '.') : nullptr;
    const int length = static_cast<int>(dot ? dot - display : std::strlen(display));
    std::snprintf(prefix, size, "quillomar-%u-%.*s.", static_cast<unsigned>(getuid()), length, display);
}

long long nowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Asks the saver behind PATH to stop and returns its file to wait on; -1 when
// no saver holds it (one killed without its ordered end left it: it goes).
int askToStop(const char* path, long pid)
{
    const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return -1;
    // Only this user's own files name a process to signal.
    struct stat state;
    if (fstat(fd, &state) != 0 || state.st_uid != getuid() || !S_ISREG(state.st_mode)) {
        close(fd);
        return -1;
    }
    if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
        unlink(path);
        close(fd);
        return -1;
    }
    kill(static_cast<pid_t>(pid), SIGTERM);
    return fd;
}

char offeredPath[512];

void withdrawOffer()
{
    unlink(offeredPath);
}

} // namespace

void offerStop(const char* display)
{
    if (!display || !*display)
        return;
    char prefix[256];
    namePrefix(prefix, sizeof prefix, display);
    std::snprintf(offeredPath, sizeof offeredPath, "%s/%s%ld.run", runtimeFolder(), prefix,
                  static_cast<long>(getpid()));
    const int fd = open(offeredPath, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    // fd stays open, and locked, until the process ends.
    std::atexit(withdrawOffer);
}

void stopSavers(const char* const* displays, int count)
{
    const char* folder = runtimeFolder();
    DIR* dir = opendir(folder);
    if (!dir)
        return;
    int waiting[maxSavers];
    int asked = 0;
    while (const dirent* entry = readdir(dir)) {
        for (int i = 0; i < count && asked < maxSavers; ++i) {
            if (!displays[i] || !*displays[i])
                continue;
            char prefix[256];
            namePrefix(prefix, sizeof prefix, displays[i]);
            const std::size_t length = std::strlen(prefix);
            char* end = nullptr;
            if (std::strncmp(entry->d_name, prefix, length) != 0)
                continue;
            const long pid = std::strtol(entry->d_name + length, &end, 10);
            if (pid <= 0 || std::strcmp(end, ".run") != 0)
                continue;
            char path[512];
            std::snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
            const int fd = askToStop(path, pid);
            if (fd >= 0)
                waiting[asked++] = fd;
            break;
        }
    }
    closedir(dir);
    const long long deadline = nowMs() + stopWaitMs;
    for (int i = 0; i < asked; ++i) {
        while (flock(waiting[i], LOCK_SH | LOCK_NB) != 0 && nowMs() < deadline)
            usleep(20000);
        close(waiting[i]);
    }
}
