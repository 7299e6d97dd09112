#include "gfx/text_resource.h"
#include "res/resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string copied(const std::string& bytes, int capacity, std::vector<char>* out = nullptr)
{
    std::vector<char> destination(static_cast<size_t>(capacity) + 4, '#');
    copyTextUpToMarker(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), destination.data(),
                       capacity);
    if (out)
        *out = destination;
    return std::string(destination.data());
}

TEST(TextMarker, StopsAtTheFirstMarkerAndNeverReadsPastIt)
{
    std::vector<char> out;
    EXPECT_EQ(copied("ab~cd", 16, &out), "ab");
    EXPECT_EQ(out[3], '#'); // nothing written after the NUL
    EXPECT_EQ(copied("~abc", 16), "");
    EXPECT_EQ(copied("a~b~c", 16), "a");
}

// A text without its marker must not run on past the resource or the buffer.
TEST(TextMarker, MissingMarkerStopsAtTheEndOfTheBytesOrTheBuffer)
{
    std::vector<char> out;
    EXPECT_EQ(copied("abcdef", 16, &out), "abcdef");
    EXPECT_EQ(copied("abcdef", 4, &out), "abc");
    EXPECT_EQ(out[4], '#');
    EXPECT_EQ(copied("abcdef", 1, &out), "");
    EXPECT_EQ(copied("", 8), "");

    char untouched = '#';
    copyTextUpToMarker(reinterpret_cast<const unsigned char*>("ab~"), 3, &untouched, 0);
    EXPECT_EQ(untouched, '#');
}

TEST(TextResource, MissingResourceGivesTheEmptyText)
{
    char destination[8] = "garbage";
    loadTextResource(999, destination, 8);
    EXPECT_STREQ(destination, "");
}

// The shaders end with the line "//~", so the text must end in the comment
// that held the marker, and nothing before the marker may be lost.
TEST(TextResource, ShaderTextsEndInTheCommentThatHeldTheMarker)
{
    const struct {
        int id;
        int capacity;
    } shaders[] = {{105, 2048}, {106, 8192}};
    for (const auto& shader : shaders) {
        SCOPED_TRACE(shader.id);
        ResourceData data = findResourceData("TEXTFILE", shader.id);
        ASSERT_NE(data.bytes, nullptr);
        std::vector<char> destination(static_cast<size_t>(shader.capacity), '#');
        loadTextResource(shader.id, destination.data(), shader.capacity);
        std::string text(destination.data());
        ASSERT_EQ(text.size() + 3, data.size) << "marker must be three bytes before the end";
        EXPECT_EQ(std::memcmp(data.bytes + text.size(), "~\r\n", 3), 0);
        EXPECT_EQ(text.substr(text.size() - 2), "//");
        EXPECT_EQ(text.compare(0, 12, "#version 110"), 0);
        EXPECT_EQ(std::memcmp(text.data(), data.bytes, text.size()), 0);
    }
}

} // namespace
