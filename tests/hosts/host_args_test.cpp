#include "app/host_linux.h"

#include <gtest/gtest.h>

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

// The quality option is the Linux layer's own: the switches never see it, and
// a value it does not take is refused rather than guessed.
TEST(LinuxArguments, Quality)
{
    using Q = RenderQuality;
    const struct {
        std::vector<const char*> arguments;
        Q quality;
        RunMode mode;
        bool refused;
    } cases[] = {
        {{"/s"}, Q::Auto, Saver, false},
        {{"/s", "--quality", "full"}, Q::Full, Saver, false},
        {{"-quality", "light", "--root"}, Q::Light, Saver, false},
        {{"--quality", "/c"}, Q::Auto, Plain, true},
        {{"/s", "--quality", "Light"}, Q::Auto, Plain, true},
        {{"/s", "--quality"}, Q::Auto, Plain, true},
    };
    for (const auto& c : cases) {
        const LinuxRun run = readLinuxArguments(static_cast<int>(c.arguments.size()), c.arguments.data(),
                                                nullptr, false);
        EXPECT_EQ(run.action == LinuxAction::BadOption, c.refused) << c.arguments.back();
        if (!c.refused) {
            EXPECT_TRUE(run.quality == c.quality && run.mode == c.mode) << c.arguments.back();
        }
    }
}

} // namespace
