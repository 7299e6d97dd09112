#include "app/host_linux.h"

#include "app/command_line.h"
#include "platform/platform.h"

#include <cstdint>
#include <cstring>
#include <string>

const char linuxUsage[] =
    "Usage: quillomar [/s | /p ID | /c]\n"
    "       quillomar [--root | --window-id ID]\n"
    "       quillomar --on-idle MINUTES\n"
    "       quillomar --stop\n"
    "Coloured stars with glowing heads and fading trails.\n"
    "\n"
    "  /s                  run full screen until a key or mouse button is pressed\n"
    "  /p ID               draw into the X window ID (decimal, or hexadecimal with 0x)\n"
    "  /c                  show the About window\n"
    "  (none)              run full screen; a second such run ends at once\n"
    "  --root, -root       run full screen, as a screensaver host starts it\n"
    "  --window-id ID, -window-id ID\n"
    "                      draw into the X window ID, as a host's preview does\n"
    "  --x11               show a full-screen run through X11 (XWayland on Wayland)\n"
    "  --wayland           show a full-screen run through Wayland: every output\n"
    "                      covered, the stars on the one at 0,0 (on all of them\n"
    "                      with --monitors all); runs into an X window always\n"
    "                      use X11\n"
    "  --quality auto|full|light, -quality auto|full|light\n"
    "                      full: 4 samples per pixel at the display's rate;\n"
    "                      light: 1 sample and at most 30 frames a second, for\n"
    "                      OpenGL in software; auto (the default): light where\n"
    "                      OpenGL runs in software, full on a GPU\n"
    "  --monitors primary|all, -monitors primary|all\n"
    "                      full-screen runs: stars on the primary monitor and the\n"
    "                      others black (primary, the default), or a field of\n"
    "                      stars of its own on every monitor (all)\n"
    "  --on-idle MINUTES, -on-idle MINUTES\n"
    "                      on GNOME: stay, and start the saver (--root) each time\n"
    "                      the session has been idle that long (a positive number,\n"
    "                      decimals allowed, at most 10080); ends on SIGTERM\n"
    "  --stop, -stop       end this user's full-screen saver on this display (and\n"
    "                      on WAYLAND_DISPLAY's), once it has ended; for idle\n"
    "                      daemons that lock the screen next\n"
    "  --help              print this text\n"
    "  --version           print the version\n"
    "\n"
    "Environment:\n"
    "  XSCREENSAVER_WINDOW the X window a host (XScreenSaver, xsecurelock) gives\n"
    "                      the saver to draw into; it wins over --root\n"
    "  WAYLAND_DISPLAY     when set, full-screen runs use Wayland\n";

namespace {

const char qualityRefusal[] = "--quality takes auto, full or light";
const char monitorsRefusal[] = "--monitors takes primary or all";
const char idleRefusal[] = "--on-idle takes a positive number of minutes, at most 10080 (a week), such as 5 or 0.5";
const std::uint64_t maxIdleMinutes = 7 * 24 * 60;

bool isOneOf(const char* argument, const char* longName, const char* shortName)
{
    return std::strcmp(argument, longName) == 0 || std::strcmp(argument, shortName) == 0;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text where parseCommandLine read its number: three characters after
// the last slash, which is always one at or after the deciding switch.
const char* switchNumberText(const char* commandLine)
{
    const char* slash = std::strrchr(commandLine, '/');
    if (!slash || !slash[1] || !slash[2])
        return nullptr;
    return slash + 3;
}

// Digits with an optional decimal fraction, counted in whole milliseconds by
// integers, so 0.05 is exactly 3000 and no exponent or "inf" slips through.
bool readIdleMinutes(const char* text, std::uint64_t* milliseconds)
{
    std::uint64_t whole = 0, fraction = 0, scale = 1;
    bool digits = false, point = false;
    for (; *text; ++text) {
        if (*text == '.' && !point) {
            point = true;
            continue;
        }
        if (*text < '0' || *text > '9')
            return false;
        digits = true;
        const unsigned digit = static_cast<unsigned>(*text - '0');
        if (!point) {
            whole = whole * 10 + digit;
            if (whole > maxIdleMinutes)
                return false;
        } else if (scale < 1000000000) {
            fraction = fraction * 10 + digit;
            scale *= 10;
        }
    }
    const std::uint64_t total = whole * 60000 + (fraction * 60000 + scale / 2) / scale;
    if (!digits || total == 0 || total > maxIdleMinutes * 60000)
        return false;
    *milliseconds = total;
    return true;
}

} // namespace

NativeWindow readWindowId(const char* text)
{
    if (!text || !*text)
        return 0;
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
        if (!*text)
            return 0;
    }
    std::uint64_t value = 0;
    for (; *text; ++text) {
        const int digit = hexDigit(*text);
        if (digit < 0 || digit >= base)
            return 0;
        value = value * base + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu)
            return 0;
    }
    return static_cast<NativeWindow>(value);
}

LinuxRun readLinuxArguments(int count, const char* const* arguments, const char* windowVariable, bool forceConfig)
{
    LinuxRun run = {LinuxAction::Run, Plain, 0, false, LinuxWindowing::Chosen, RenderQuality::Auto, false, 0, nullptr};
    bool root = false;
    bool onIdle = false;
    bool windowOption = false;
    // The switches, read as the Windows program reads its command line, see
    // every argument but the options of this layer.
    std::string commandLine;
    bool joined = false;
    for (int i = 0; i < count; ++i) {
        const char* argument = arguments[i];
        if (isOneOf(argument, "--help", "-help") || std::strcmp(argument, "-h") == 0) {
            run.action = LinuxAction::Help;
            return run;
        }
        if (isOneOf(argument, "--version", "-version")) {
            run.action = LinuxAction::Version;
            return run;
        }
        if (isOneOf(argument, "--stop", "-stop")) {
            run.action = LinuxAction::Stop;
            return run;
        }
        if (isOneOf(argument, "--x11", "-x11")) {
            run.windowing = LinuxWindowing::X11;
            continue;
        }
        if (isOneOf(argument, "--wayland", "-wayland")) {
            run.windowing = LinuxWindowing::Wayland;
            continue;
        }
        if (isOneOf(argument, "--quality", "-quality")) {
            if (i + 1 >= count || !readRenderQuality(arguments[++i], &run.quality)) {
                run.action = LinuxAction::BadOption;
                run.refusal = qualityRefusal;
                return run;
            }
            continue;
        }
        if (isOneOf(argument, "--monitors", "-monitors")) {
            const char* value = i + 1 < count ? arguments[++i] : "";
            if (std::strcmp(value, "primary") != 0 && std::strcmp(value, "all") != 0) {
                run.action = LinuxAction::BadOption;
                run.refusal = monitorsRefusal;
                return run;
            }
            run.everyMonitor = std::strcmp(value, "all") == 0;
            continue;
        }
        if (isOneOf(argument, "--on-idle", "-on-idle")) {
            if (i + 1 >= count || !readIdleMinutes(arguments[++i], &run.idleMilliseconds)) {
                run.action = LinuxAction::BadOption;
                run.refusal = idleRefusal;
                return run;
            }
            onIdle = true;
            continue;
        }
        if (isOneOf(argument, "--root", "-root")) {
            root = true;
        } else if (isOneOf(argument, "--window-id", "-window-id")) {
            windowOption = true;
            run.window = i + 1 < count ? readWindowId(arguments[++i]) : 0;
        }
        if (joined)
            commandLine += ' ';
        commandLine += argument;
        joined = true;
    }

    // The idle mode starts full-screen runs; it draws nothing itself.
    if (onIdle) {
        run.action = LinuxAction::OnIdle;
        return run;
    }
    if (!windowOption && windowVariable && *windowVariable) {
        windowOption = true;
        run.window = readWindowId(windowVariable);
    }
    if (windowOption || root) {
        run.hostStarted = true;
        run.mode = forceConfig ? Config : windowOption ? Preview
                                                       : Saver;
        return run;
    }

    const CommandLine parsed = parseCommandLine(commandLine.c_str(), forceConfig);
    run.mode = parsed.mode;
    run.window = nativeWindowFromNumber(parsed.number);
    // xwininfo and hosts write ids in hexadecimal, which atoi reads as 0.
    if (run.mode == Preview) {
        const char* number = switchNumberText(commandLine.c_str());
        while (number && isCommandLineSpace(*number))
            ++number;
        if (number && number[0] == '0' && (number[1] == 'x' || number[1] == 'X')) {
            const std::string id(number, std::strcspn(number, commandLineSpace));
            run.window = readWindowId(id.c_str());
        }
    }
    return run;
}

bool usesWayland(const LinuxRun& run, const char* waylandDisplay)
{
    // A host's X window can only be drawn into through X11.
    if (run.mode != Saver && run.mode != Plain)
        return false;
    if (run.windowing != LinuxWindowing::Chosen)
        return run.windowing == LinuxWindowing::Wayland;
    return waylandDisplay && *waylandDisplay;
}

std::vector<const char*> idleSaverArguments(const LinuxRun& run)
{
    std::vector<const char*> arguments = {"--root"};
    if (run.windowing != LinuxWindowing::Chosen)
        arguments.push_back(run.windowing == LinuxWindowing::X11 ? "--x11" : "--wayland");
    if (run.quality != RenderQuality::Auto)
        arguments.insert(arguments.end(), {"--quality", run.quality == RenderQuality::Full ? "full" : "light"});
    if (run.everyMonitor)
        arguments.insert(arguments.end(), {"--monitors", "all"});
    arguments.push_back(nullptr);
    return arguments;
}
