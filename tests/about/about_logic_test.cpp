#include "about/about_button.h"
#include "about/about_layout.h"
#include "about/about_text.h"
#include "res/resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(AboutPosition, CentresAndTruncatesTowardZero)
{
    struct Case {
        int width, height, x, y;
    };
    const Case cases[] = {
        {1365, 768, 482, 234}, // 482.5 truncated
        {1366, 768, 483, 234},
        {1920, 1080, 760, 390},
        {401, 301, 0, 0},     // 0.5 truncated
        {399, 299, 0, 0},     // -0.5 truncates toward zero, not down
        {300, 200, -50, -50}, // smaller than the window: negative, used unchanged
        {0, 0, -200, -150},
    };
    for (const Case& c : cases) {
        const AboutPosition p = aboutWindowPosition(c.width, c.height);
        EXPECT_EQ(p.x, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(p.y, c.y) << c.width << "x" << c.height;
    }
}

TEST(AboutCommand, OnlyTheButtonClickWithWholeWParamTen)
{
    EXPECT_TRUE(isVisitWebsiteCommand(10));
    EXPECT_FALSE(isVisitWebsiteCommand(0));
    EXPECT_FALSE(isVisitWebsiteCommand(11));
    EXPECT_FALSE(isVisitWebsiteCommand(30));
    EXPECT_FALSE(isVisitWebsiteCommand(10 | (1u << 16))); // id 10, another notification
    EXPECT_FALSE(isVisitWebsiteCommand(10 | (5u << 16)));
    EXPECT_FALSE(isVisitWebsiteCommand(10ull | (1ull << 32))); // high bits of a 64-bit wParam count too
}

// The address reaches a browser: it must be exactly the site, path and query,
// with nothing in it that a shell or a URL parser could read otherwise.
TEST(AboutWebAddress, IsTheSiteWithTheAboutQueryAndNothingElse)
{
    const std::string address = aboutWebAddress;
    const std::string host = QUILLOMAR_SITE_HOST;
    EXPECT_EQ(address, "https://" + host + "/?utm_source=About");
    ASSERT_FALSE(host.empty());
    for (char c : host)
        EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                    c == '-' || c == ':')
            << "unexpected character in host: " << c;
}

TEST(AboutTexts, NoticeIsThreeCrLfLinesWithTheOneByteCopyrightSign)
{
    const std::string notice = aboutNoticeText;
    ASSERT_FALSE(notice.empty());
    EXPECT_EQ(static_cast<unsigned char>(notice[0]), 0xA9);
    EXPECT_NE(notice.substr(notice.size() - 2), "\r\n");
    const std::vector<std::string> lines = splitLines(notice);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("All rights reserved"), std::string::npos);
    EXPECT_NE(lines[1].find(QUILLOMAR_SITE_HOST), std::string::npos);
    EXPECT_NE(lines[2].find(QUILLOMAR_SUPPORT_ADDRESS), std::string::npos);
    // No bare LF or CR: each break is exactly CR LF.
    std::size_t crlf = 0;
    for (std::size_t i = 0; i < notice.size(); ++i) {
        if (notice[i] == '\r') {
            ASSERT_LT(i + 1, notice.size());
            EXPECT_EQ(notice[i + 1], '\n');
            ++crlf;
        } else if (notice[i] == '\n') {
            EXPECT_GT(i, 0u);
            EXPECT_EQ(notice[i - 1], '\r');
        }
    }
    EXPECT_EQ(crlf, 2u);
    // 380 pixels at the body font's average width of 6: longer lines would wrap.
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 60u) << line;
}

TEST(AboutTexts, Windows1252BecomesValidUtf8)
{
    EXPECT_EQ(windows1252ToUtf8("\xA9 2026"), "\xC2\xA9 2026");
    EXPECT_EQ(windows1252ToUtf8("plain ASCII\r\n"), "plain ASCII\r\n");
    EXPECT_EQ(windows1252ToUtf8(""), "");
    EXPECT_EQ(windows1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign, not a C1 control
    EXPECT_EQ(windows1252ToUtf8("\x99"), "\xE2\x84\xA2"); // trade mark sign
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xC2\x81");     // undefined byte kept as its C1 value
    EXPECT_EQ(windows1252ToUtf8("\xFF"), "\xC3\xBF");
    EXPECT_EQ(windows1252ToUtf8(aboutNoticeText).compare(0, 2, "\xC2\xA9"), 0);
}

TEST(AboutTexts, SplitLinesKeepsEmptyLinesAndTakesBareLf)
{
    EXPECT_EQ(splitLines("a\r\nb\r\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string>{"a", ""}));
}

// The logo the window paints: bitmap 101, 110 x 83, 24 bits.
TEST(AboutLogo, IsEmbeddedAs110By83At24Bits)
{
    const ResourceData logo = findResourceData("BITMAP", aboutLogoBitmapId);
    ASSERT_NE(logo.bytes, nullptr);
    const unsigned char* info = logo.bytes;
    unsigned long size = logo.size;
    if (size >= 2 && info[0] == 'B' && info[1] == 'M') { // Linux keeps the file header
        info += 14;
        size -= 14;
    }
    ASSERT_GE(size, 40u);
    auto le32 = [&](int at) {
        return static_cast<long>(static_cast<int32_t>(info[at] | info[at + 1] << 8 | info[at + 2] << 16 |
                                                      static_cast<uint32_t>(info[at + 3]) << 24));
    };
    EXPECT_EQ(le32(0), 40);
    EXPECT_EQ(le32(4), 110);
    EXPECT_EQ(le32(8), 83); // positive: stored bottom-up
    EXPECT_EQ(info[14] | info[15] << 8, 24);
    EXPECT_EQ(le32(16), 0); // uncompressed
    const unsigned long stride = (110 * 3 + 3) & ~3ul;
    EXPECT_GE(size, 40 + stride * 83);
}

// Each case feeds one sequence to a fresh button; clicks counts the clicks
// over the whole sequence, pressed the look after the last event.
TEST(AboutButton, ClicksOnlyWhenPressAndReleaseBothLandOnIt)
{
    const AboutRect& r = aboutButtonRect;
    const int inX = r.x + 1, inY = r.y + 1;
    const int outX = r.x + r.width, outY = r.y; // one past the right edge
    using I = ButtonInput;
    struct Case {
        const char* name;
        std::vector<ButtonEvent> events;
        int clicks;
        bool pressed;
    };
    const Case cases[] = {
        {"press and release on it", {{I::MousePress, inX, inY}, {I::MouseRelease, inX, inY}}, 1, false},
        {"held press shows pressed", {{I::MousePress, inX, inY}}, 0, true},
        {"leaving while held shows raised", {{I::MousePress, inX, inY}, {I::MouseMove, outX, outY}}, 0, false},
        {"leaves and comes back",
         {{I::MousePress, inX, inY}, {I::MouseMove, outX, outY}, {I::MouseMove, inX, inY}, {I::MouseRelease, inX, inY}},
         1,
         false},
        {"release outside", {{I::MousePress, inX, inY}, {I::MouseMove, outX, outY}, {I::MouseRelease, outX, outY}}, 0, false},
        {"press outside, release on it", {{I::MousePress, outX, outY}, {I::MouseMove, inX, inY}, {I::MouseRelease, inX, inY}}, 0, false},
        {"release without a press", {{I::MouseRelease, inX, inY}}, 0, false},
        {"space unfocused", {{I::SpacePress}, {I::SpaceRelease}}, 0, false},
        {"space release without a press", {{I::MousePress, inX, inY}, {I::MouseRelease, outX, outY}, {I::SpaceRelease}}, 0, false},
        {"space once focused",
         {{I::MousePress, inX, inY}, {I::MouseRelease, inX, inY}, {I::SpacePress}, {I::SpacePress}, {I::SpaceRelease}},
         2,
         false},
        {"space held shows pressed", {{I::MousePress, inX, inY}, {I::MouseRelease, inX, inY}, {I::SpacePress}}, 1, true},
        {"focus lost lets go of space",
         {{I::MousePress, inX, inY}, {I::MouseRelease, inX, inY}, {I::SpacePress}, {I::FocusLost}, {I::SpaceRelease}},
         1,
         false},
    };
    for (const Case& c : cases) {
        PushButton button(r);
        int clicks = 0;
        for (const ButtonEvent& event : c.events)
            clicks += button.handle(event).click ? 1 : 0;
        EXPECT_EQ(clicks, c.clicks) << c.name;
        EXPECT_EQ(button.drawnPressed(), c.pressed) << c.name;
    }
}
