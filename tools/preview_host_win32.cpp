// A stand-in for the display settings' preview: a top-level window with a
// client area of 152 x 112 pixels that starts the saver with "/p <handle>" and
// then does to the window what it is told on standard input, one command a
// line:
//   resize W H | disable | enable | destroy | quit
// It answers "ok" and reports the saver's end as "exit <code>" whenever it
// happens.
//   preview_host_win32 [--no-start] <saver> [extra arguments...]
#include "tools/host_window.h"
#include "tools/preview_host.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const UINT commandMessage = WM_APP + 1;
const UINT inputEndedMessage = WM_APP + 2;

DWORD mainThread = 0;
HWND host = nullptr;

// Pipes cannot be waited on with the message queue, so a thread reads them.
DWORD WINAPI readCommands(void*)
{
    char line[256];
    while (std::fgets(line, sizeof line, stdin)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        PostThreadMessageW(mainThread, commandMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    }
    PostThreadMessageW(mainThread, inputEndedMessage, 0, 0);
    return 0;
}

void disableHost()
{
    EnableWindow(host, FALSE);
}

void enableHost()
{
    EnableWindow(host, TRUE);
}

void destroyHost()
{
    destroyHostWindow(reinterpret_cast<NativeWindow>(host));
}

const HostCommand commandList[] = {
    {"disable", disableHost, false},
    {"enable", enableHost, false},
    {"destroy", destroyHost, false},
};
const HostCommands commands = {
    [](int width, int height) { resizeHostWindow(reinterpret_cast<NativeWindow>(host), width, height); },
    commandList, sizeof commandList / sizeof commandList[0]};

} // namespace

int main(int argc, char** argv)
{
    HostArguments arguments;
    if (!readHostArguments(argc, argv, "preview_host_win32", &arguments))
        return 2;
    mainThread = GetCurrentThreadId();
    host = reinterpret_cast<HWND>(createHostWindow("Quillomar Preview Host", 40, 40, 152, 112));
    if (!host) {
        std::fprintf(stderr, "preview_host_win32: cannot create the window\n");
        return 1;
    }
    // Window handles stay within 32 bits; the saver reads a signed number.
    const long handleNumber = static_cast<long>(reinterpret_cast<INT_PTR>(host));
    say("host %ld", handleNumber);

    PROCESS_INFORMATION process = {};
    if (arguments.start) {
        std::string commandLine = "\"" + std::string(argv[arguments.first]) + "\"";
        for (int i = arguments.first + 1; i < argc; ++i)
            commandLine += " " + std::string(argv[i]);
        commandLine += " /p " + std::to_string(handleNumber);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            std::fprintf(stderr, "preview_host_win32: cannot start %s\n", argv[arguments.first]);
            return 1;
        }
        CloseHandle(process.hThread);
        say("started %lu", process.dwProcessId);
    }

    CloseHandle(CreateThread(nullptr, 0, readCommands, nullptr, 0, nullptr));

    bool running = true;
    while (running) {
        const DWORD count = process.hProcess ? 1 : 0;
        const DWORD woken = MsgWaitForMultipleObjects(count, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (count && woken == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            say("exit %lu", code);
            CloseHandle(process.hProcess);
            process.hProcess = nullptr;
        }
        MSG message;
        while (running && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!message.hwnd && message.message == commandMessage) {
                std::string* line = reinterpret_cast<std::string*>(message.lParam);
                running = runHostCommand(*line, commands);
                delete line;
            } else if (!message.hwnd && message.message == inputEndedMessage) {
                running = false;
            } else {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    // Leave the saver to the caller.
    if (IsWindow(host))
        DestroyWindow(host);
    return 0;
}
