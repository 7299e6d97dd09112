#include "app/host_linux.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// Where the e2e tests leave off: which source of the window wins, and the
// switches' scan around hexadecimal /p ids.
TEST(LinuxArguments, HostSourcesAndSwitches)
{
    struct Case {
        std::vector<const char*> arguments;
        const char* variable;
        RunMode mode;
        NativeWindow window;
        bool hostStarted;
    };
    const Case cases[] = {
        {{"--root"}, "0x400008", Preview, 0x400008, true},
        {{"-window-id", "77", "--root"}, "0x400008", Preview, 77, true},
        {{"-root"}, "", Saver, 0, true},
        {{"--window-id"}, nullptr, Preview, 0, true},
        {{"--window-id", "0xFFFFFFFF"}, nullptr, Preview, 0xFFFFFFFF, true},
        {{"--window-id", "12abc"}, nullptr, Preview, 0, true},
        {{"--window-id", "0x100000000"}, nullptr, Preview, 0, true},
        {{}, nullptr, Plain, 0, false},
        {{"/p:0x4a"}, nullptr, Preview, 0x4A, false},
        {{"/p", "0x4A", "12"}, nullptr, Preview, 0x4A, false},
        {{"/p", "34", "/x", "12"}, nullptr, Preview, 12, false},
        {{"/s", "0x10"}, nullptr, Saver, 0, false},
        {{"/c:5678"}, nullptr, Config, 5678, false},
    };
    for (const Case& c : cases) {
        const LinuxRun run = readLinuxArguments(static_cast<int>(c.arguments.size()), c.arguments.data(),
                                                c.variable, false);
        const char* last = c.arguments.empty() ? "" : c.arguments.back();
        EXPECT_EQ(run.action, LinuxAction::Run) << last;
        EXPECT_EQ(run.mode, c.mode) << last;
        EXPECT_EQ(run.window, c.window) << last;
        EXPECT_EQ(run.hostStarted, c.hostStarted) << last;
    }
    const char* root[] = {"--root"};
    EXPECT_EQ(readLinuxArguments(1, root, "5", true).mode, Config);
}

// Only full-screen runs can go to Wayland: a host's X window is drawn into
// through X11, whatever is forced or set.
TEST(LinuxArguments, WindowingChoice)
{
    struct Case {
        std::vector<const char*> arguments;
        const char* windowVariable;
        const char* waylandDisplay;
        bool wayland;
    };
    const Case cases[] = {
        {{"/s"}, nullptr, "wayland-1", true},
        {{}, nullptr, "wayland-1", true},
        {{"--root"}, nullptr, "wayland-1", true},
        {{"/s"}, nullptr, "", false},
        {{"--x11", "/s"}, nullptr, "wayland-1", false},
        {{"-wayland", "--root"}, nullptr, nullptr, true},
        {{"--root"}, "0x400008", "wayland-1", false},
        {{"--wayland", "/p", "0x4a"}, nullptr, "wayland-1", false},
        {{"/c"}, nullptr, "wayland-1", false},
    };
    for (const Case& c : cases) {
        const LinuxRun run = readLinuxArguments(static_cast<int>(c.arguments.size()), c.arguments.data(),
                                                c.windowVariable, false);
        EXPECT_EQ(usesWayland(run, c.waylandDisplay), c.wayland) << (c.arguments.empty() ? "" : c.arguments[0]);
    }
}

// The quality option is the Linux layer's own: the switches never see it, and
// a value it does not take is refused rather than guessed.
TEST(LinuxArguments, Quality)
{
    const char* full[] = {"/s", "--quality", "full"};
    const LinuxRun run = readLinuxArguments(3, full, nullptr, false);
    EXPECT_TRUE(run.action == LinuxAction::Run && run.mode == Saver && run.quality == RenderQuality::Full);
    const char* light[] = {"-quality", "light", "--root"};
    EXPECT_EQ(readLinuxArguments(3, light, nullptr, false).quality, RenderQuality::Light);
    const char* every[] = {"-monitors", "all", "/s", "--monitors", "primary"};
    EXPECT_TRUE(readLinuxArguments(3, every, nullptr, false).everyMonitor);
    EXPECT_FALSE(readLinuxArguments(5, every, nullptr, false).everyMonitor) << "the last one decides";
    for (std::vector<const char*> bad : {std::vector<const char*>{"--quality", "/c"}, {"/s", "--quality", "Light"}, {"/s", "--quality"}, {"/s", "--monitors", "All"}, {"--monitors"}})
        EXPECT_EQ(readLinuxArguments(static_cast<int>(bad.size()), bad.data(), nullptr, false).action,
                  LinuxAction::BadOption);
}

// The idle mode's minutes: decimals so tests can wait seconds, exact to the
// millisecond; anything else is refused rather than read as what was not meant.
TEST(LinuxArguments, IdleMinutes)
{
    for (const auto& [text, milliseconds] : {std::pair<const char*, std::uint64_t>{"5", 300000}, {"0.05", 3000}, {".5", 30000}, {"10080", 604800000}, {"01.0000000001", 60000}}) {
        const char* arguments[] = {"/p", "12", "--on-idle", text};
        const LinuxRun run = readLinuxArguments(4, arguments, "0x400008", false);
        EXPECT_TRUE(run.action == LinuxAction::OnIdle && run.idleMilliseconds == milliseconds) << text;
    }
    for (const char* text : {"0", "0.000001", ".", "", "-1", "+5", "1e3", "inf", "5 ", "1.2.3", "10080.5", "99999999999999999999"}) {
        const char* arguments[] = {"-on-idle", text};
        EXPECT_EQ(readLinuxArguments(2, arguments, nullptr, false).action, LinuxAction::BadOption) << text;
    }
    const char* chosen[] = {"--x11", "--on-idle", "1", "--quality", "light", "--monitors", "all"};
    EXPECT_EQ(readLinuxArguments(1, chosen + 1, nullptr, false).action, LinuxAction::BadOption);
    // The saver it starts keeps the windowing and quality chosen for it.
    std::string saver;
    for (const char* argument : idleSaverArguments(readLinuxArguments(7, chosen, nullptr, false)))
        saver += argument ? argument + std::string(" ") : "|";
    EXPECT_EQ(saver, "--root --x11 --quality light --monitors all |");
}

} // namespace
