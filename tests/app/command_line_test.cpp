#include "app/command_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* text;
    RunMode mode;
    int number;
};

TEST(CommandLine, StandardSwitchesAndTheirNumbers)
{
    const Case cases[] = {
        {"", Plain, 0},
        {"/s", Saver, 0},
        {"/S", Plain, 0},
        {"/c", Config, 0},
        {"/c:5678", Config, 5678},
        {"/p 1234", Preview, 1234},
        {"/p:1234", Preview, 1234},
        {"/p1234", Preview, 234},
        {"/c /s", Saver, 0},
        {"/s /c", Config, 0},
        {"/x 5", Plain, 0},
        {"/p 34 /x 12", Preview, 12},
        {"/P 5", Plain, 0},
        {"/p -77", Preview, -77},
        {"/p   +42xyz", Preview, 42},
        {"/p\t\t99", Preview, 99},
    };
    for (const Case& c : cases) {
        const CommandLine parsed = parseCommandLine(c.text, false);
        EXPECT_EQ(parsed.mode, c.mode) << '"' << c.text << '"';
        EXPECT_EQ(parsed.number, c.number) << '"' << c.text << '"';
    }
}

TEST(CommandLine, ForceConfigWinsOverEverySwitch)
{
    for (const char* text : {"", "/s", "/p 5", "/c", "garbage"})
        EXPECT_EQ(parseCommandLine(text, true).mode, Config) << text;
    EXPECT_EQ(parseCommandLine("/p 5", true).number, 5);
}

TEST(CommandLine, SwitchAtTheVeryEndReadsNothingBeyondTheText)
{
    // Each text is copied into a buffer of exactly its size, so a read past
    // the NUL shows up under AddressSanitizer.
    for (std::string text : {"/", "/p", "/p:", "/s/", "x/c", "/p 1/"}) {
        std::vector<char> exact(text.begin(), text.end());
        exact.push_back('\0');
        const CommandLine parsed = parseCommandLine(exact.data(), false);
        EXPECT_EQ(parsed.number, 0) << text;
    }
    EXPECT_EQ(parseCommandLine("/p", false).mode, Preview);
}

TEST(CommandLine, LongAndOddTextsAreScannedSafely)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += static_cast<char>(1 + (i * 7919) % 255);
    text += " /s";
    std::vector<char> exact(text.begin(), text.end());
    exact.push_back('\0');
    EXPECT_EQ(parseCommandLine(exact.data(), false).mode, Saver);
}

TEST(CommandLine, NumbersBeyond32BitsAreClamped)
{
    EXPECT_EQ(readClampedNumber("2147483647"), INT_MAX);
    EXPECT_EQ(readClampedNumber("2147483648"), INT_MAX);
    EXPECT_EQ(readClampedNumber("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(readClampedNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(readClampedNumber("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(readClampedNumber("  -0"), 0);
    EXPECT_EQ(readClampedNumber("--5"), 0);
    EXPECT_EQ(parseCommandLine("/p 4294967296", false).number, INT_MAX);
}

} // namespace
