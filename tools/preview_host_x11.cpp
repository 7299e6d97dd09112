// A stand-in for the display settings' preview: a top-level window of
// 152 x 112 pixels that starts the saver with "/p <window id>" and then does
// to the window what it is told on standard input, one command a line:
//   resize W H | hide | show | destroy | children | quit
// It answers "ok" (or the child list ending in "end") and reports the saver's
// end as "exit <code>" whenever it happens.
//   preview_host_x11 [--no-start] <saver> [extra arguments...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdarg>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const unsigned long hostBackground = 0x305070; // the host's own contents

Display* display = nullptr;
Window host = 0;
bool hostAlive = true;
pid_t saver = -1;

int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

void say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void say(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void reapSaver()
{
    if (saver <= 0)
        return;
    int status = 0;
    if (waitpid(saver, &status, WNOHANG) == saver) {
        if (WIFEXITED(status))
            say("exit %d", WEXITSTATUS(status));
        else
            say("signal %d", WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        saver = -1;
    }
}

void listChildren()
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (hostAlive && XQueryTree(display, host, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display, children[i], &a))
                say("child %lu %d %d %d %d %s", children[i], a.x, a.y, a.width, a.height,
                    a.map_state == IsViewable ? "viewable" : "hidden");
        }
        if (children)
            XFree(children);
    }
    say("end");
}

bool runCommand(const std::string& line)
{
    int width = 0, height = 0;
    if (std::sscanf(line.c_str(), "resize %d %d", &width, &height) == 2 && width > 0 && height > 0) {
        XResizeWindow(display, host, static_cast<unsigned>(width), static_cast<unsigned>(height));
    } else if (line == "hide") {
        XUnmapWindow(display, host);
    } else if (line == "show") {
        XMapWindow(display, host);
    } else if (line == "destroy") {
        XDestroyWindow(display, host);
        hostAlive = false;
    } else if (line == "children") {
        listChildren();
        return true;
    } else if (line == "quit") {
        return false;
    } else {
        say("unknown %s", line.c_str());
        return true;
    }
    XSync(display, False);
    say("ok");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    const bool start = !(argc > 1 && std::strcmp(argv[1], "--no-start") == 0);
    if (!start)
        ++first;
    if (start && argc <= first) {
        std::fprintf(stderr, "usage: preview_host_x11 [--no-start] <saver> [arguments...]\n");
        return 2;
    }

    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "preview_host_x11: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    const int screen = DefaultScreen(display);
    host = XCreateSimpleWindow(display, RootWindow(display, screen), 40, 40, 152, 112, 0, 0, hostBackground);
    XStoreName(display, host, "Quillomar Preview Host");
    XSelectInput(display, host, StructureNotifyMask);
    XMapWindow(display, host);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.window == host)
            break;
    }
    say("host %lu", host);

    if (start) {
        std::string id = std::to_string(host);
        std::vector<char*> args;
        for (int i = first; i < argc; ++i)
            args.push_back(argv[i]);
        char previewSwitch[] = "/p";
        args.push_back(previewSwitch);
        args.push_back(&id[0]);
        args.push_back(nullptr);
        if (posix_spawn(&saver, argv[first], nullptr, nullptr, args.data(), environ) != 0) {
            std::fprintf(stderr, "preview_host_x11: cannot start %s\n", argv[first]);
            return 1;
        }
        say("started %d", static_cast<int>(saver));
    }

    std::string pending;
    bool running = true;
    while (running) {
        reapSaver();
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
        if (poll(fds, 2, 20) < 0 && errno != EINTR)
            break;
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char buffer[256];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                break;
            pending.append(buffer, static_cast<size_t>(n));
            for (size_t end; running && (end = pending.find('\n')) != std::string::npos;) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                running = runCommand(line);
            }
        }
    }

    // Leave the saver to the caller; report its end if it is already over.
    reapSaver();
    if (hostAlive)
        XDestroyWindow(display, host);
    XCloseDisplay(display);
    return 0;
}
