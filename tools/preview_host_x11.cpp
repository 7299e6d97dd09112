// A stand-in for the display settings' preview: a top-level window of
// 152 x 112 pixels that starts the saver with "/p <window id>" and then does
// to the window what it is told on standard input, one command a line:
//   resize W H | hide | show | destroy | children | quit
// It answers "ok" (or the child list ending in "end") and reports the saver's
// end as "exit <code>" whenever it happens.
//   preview_host_x11 [--no-start] <saver> [extra arguments...]
#include "tools/host_window.h"
#include "tools/host_window_x11.h"
#include "tools/preview_host.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

Window host = 0;
bool hostAlive = true;
pid_t saver = -1;

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
    Display* display = hostDisplay();
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

void hideHost()
{
    XUnmapWindow(hostDisplay(), host);
    XSync(hostDisplay(), False);
}

void showHost()
{
    XMapWindow(hostDisplay(), host);
    XSync(hostDisplay(), False);
}

void destroyHost()
{
    destroyHostWindow(host);
    hostAlive = false;
}

const HostCommand commandList[] = {
    {"hide", hideHost, false},
    {"show", showHost, false},
    {"destroy", destroyHost, false},
    {"children", listChildren, true},
};
const HostCommands commands = {[](int width, int height) { resizeHostWindow(host, width, height); }, commandList,
                               sizeof commandList / sizeof commandList[0]};

} // namespace

int main(int argc, char** argv)
{
    HostArguments arguments;
    if (!readHostArguments(argc, argv, "preview_host_x11", &arguments))
        return 2;
    host = static_cast<Window>(createHostWindow("Quillomar Preview Host", 40, 40, 152, 112));
    if (!host) {
        std::fprintf(stderr, "preview_host_x11: cannot open the display\n");
        return 1;
    }
    Display* display = hostDisplay();
    say("host %lu", host);

    if (arguments.start) {
        std::string id = std::to_string(host);
        std::vector<char*> args;
        for (int i = arguments.first; i < argc; ++i)
            args.push_back(argv[i]);
        char previewSwitch[] = "/p";
        args.push_back(previewSwitch);
        args.push_back(&id[0]);
        args.push_back(nullptr);
        if (posix_spawn(&saver, argv[arguments.first], nullptr, nullptr, args.data(), environ) != 0) {
            std::fprintf(stderr, "preview_host_x11: cannot start %s\n", argv[arguments.first]);
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
                running = runHostCommand(line, commands);
            }
        }
    }

    // Leave the saver to the caller; report its end if it is already over.
    reapSaver();
    if (hostAlive)
        destroyHostWindow(host);
    XCloseDisplay(display);
    return 0;
}
