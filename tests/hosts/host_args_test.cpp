#include "app/host_linux.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LinuxRun read(std::vector<const char*> arguments, const char* variable = nullptr, bool forceConfig = false)
{
    return readLinuxArguments(static_cast<int>(arguments.size()), arguments.data(), variable, forceConfig);
}

TEST(WindowId, DecimalAndHexadecimalAsHostsWriteThem)
{
    EXPECT_EQ(readWindowId("0x400008"), 0x400008u);
    EXPECT_EQ(readWindowId("0X60000F"), 0x60000Fu);
    EXPECT_EQ(readWindowId("4194305"), 4194305u);
    EXPECT_EQ(readWindowId("0xFFFFFFFF"), 0xFFFFFFFFu);
    for (const char* bad : {"", "0x", "0xZZ", "-5", "+5", " 12", "12 ", "12abc", "0x1g", "4294967296",
             "0x100000000", "111111111111111111111111111111"})
        EXPECT_EQ(readWindowId(bad), 0u) << bad;
    EXPECT_EQ(readWindowId(nullptr), 0u);
}

TEST(LinuxArguments, HostOptionsTakeNoMarkerAndOrderTheirSources)
{
    LinuxRun run = read({"--root"}, "0x400008");
    EXPECT_TRUE(run.hostStarted);
    EXPECT_EQ(run.mode, Preview);
    EXPECT_EQ(run.window, 0x400008u);

    run = read({"-window-id", "77", "--root"}, "0x400008"); // the option wins over the variable
    EXPECT_EQ(run.mode, Preview);
    EXPECT_EQ(run.window, 77u);

    run = read({"-root"}, "");
    EXPECT_TRUE(run.hostStarted);
    EXPECT_EQ(run.mode, Saver);

    run = read({"--window-id"}); // no id names no window
    EXPECT_EQ(run.mode, Preview);
    EXPECT_EQ(run.window, 0u);

    EXPECT_EQ(read({"--root"}, "5", true).mode, Config);
    EXPECT_EQ(read({"/s", "--version"}).action, LinuxAction::Version);
    EXPECT_EQ(read({"-help"}).action, LinuxAction::Help);
}

TEST(LinuxArguments, SwitchesKeepTheirScanAndPreviewTakesHexadecimal)
{
    struct Case {
        std::vector<const char*> arguments;
        RunMode mode;
        NativeWindow window;
    };
    const Case cases[] = {
        {{}, Plain, 0},
        {{"/p", "1234"}, Preview, 1234},
        {{"/p", "0x4A"}, Preview, 0x4A},
        {{"/p:0x4a"}, Preview, 0x4A},
        {{"/p", "0x"}, Preview, 0},
        {{"/p", "0xZZ"}, Preview, 0},
        {{"/p", "-5"}, Preview, 0},
        {{"/p", "34", "/x", "12"}, Preview, 12},
        {{"/s", "0x10"}, Saver, 0},
        {{"/c:5678"}, Config, 5678},
    };
    for (const Case& c : cases) {
        const LinuxRun run = read(c.arguments);
        EXPECT_FALSE(run.hostStarted);
        EXPECT_EQ(run.mode, c.mode) << c.arguments.size();
        EXPECT_EQ(run.window, c.window) << (c.arguments.empty() ? "" : c.arguments.back());
    }
}

} // namespace
