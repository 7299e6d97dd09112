// A stand-in for the display settings' preview: a top-level window with a
// client area of 152 x 112 pixels that starts the saver with "/p <handle>" and
// then does to the window what it is told on standard input, one command a
// line:
//   resize W H | disable | enable | destroy | quit
// It answers "ok" and reports the saver's end as "exit <code>" whenever it
// happens.
//   preview_host_win32 [--no-start] <saver> [extra arguments...]
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const UINT commandMessage = WM_APP + 1;
const UINT inputEndedMessage = WM_APP + 2;
const COLORREF hostBackground = RGB(0x30, 0x50, 0x70); // the host's own contents

DWORD mainThread = 0;
HWND host = nullptr;

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

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

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

bool runCommand(const std::string& line)
{
    int width = 0, height = 0;
    if (std::sscanf(line.c_str(), "resize %d %d", &width, &height) == 2 && width > 0 && height > 0) {
        RECT rect = {0, 0, width, height};
        AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
        SetWindowPos(host, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (line == "disable") {
        EnableWindow(host, FALSE);
    } else if (line == "enable") {
        EnableWindow(host, TRUE);
    } else if (line == "destroy") {
        DestroyWindow(host);
    } else if (line == "quit") {
        return false;
    } else {
        say("unknown %s", line.c_str());
        return true;
    }
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
        std::fprintf(stderr, "usage: preview_host_win32 [--no-start] <saver> [arguments...]\n");
        return 2;
    }
    mainThread = GetCurrentThreadId();

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = hostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = CreateSolidBrush(hostBackground);
    windowClass.lpszClassName = L"QuillomarPreviewHost";
    RegisterClassW(&windowClass);
    RECT rect = {0, 0, 152, 112};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    host = CreateWindowW(L"QuillomarPreviewHost", L"Quillomar Preview Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         40, 40, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
    if (!host) {
        std::fprintf(stderr, "preview_host_win32: cannot create the window\n");
        return 1;
    }
    // Window handles stay within 32 bits; the saver reads a signed number.
    const long handleNumber = static_cast<long>(reinterpret_cast<INT_PTR>(host));
    say("host %ld", handleNumber);

    PROCESS_INFORMATION process = {};
    if (start) {
        std::string commandLine = "\"" + std::string(argv[first]) + "\"";
        for (int i = first + 1; i < argc; ++i)
            commandLine += " " + std::string(argv[i]);
        commandLine += " /p " + std::to_string(handleNumber);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            std::fprintf(stderr, "preview_host_win32: cannot start %s\n", argv[first]);
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
                running = runCommand(*line);
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
