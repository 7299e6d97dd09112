#include "objl/objl.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Parts = std::vector<std::string>;

TEST(ObjlText, KeywordIsTheFirstWordAfterSpacesAndTabs)
{
    EXPECT_EQ(objl::keywordOf(""), "");
    EXPECT_EQ(objl::keywordOf(" \t "), "");
    EXPECT_EQ(objl::keywordOf("v 1 2 3"), "v");
    EXPECT_EQ(objl::keywordOf("\t Ka\t1"), "Ka");
    EXPECT_EQ(objl::keywordOf("newmtl"), "newmtl");
    // Only space and tab separate words: a carriage return stays in the word.
    EXPECT_EQ(objl::keywordOf("o\r"), "o\r");
}

TEST(ObjlText, ArgumentsAreTheRestTrimmedWithInnerSpacingKept)
{
    EXPECT_EQ(objl::argumentsOf(""), "");
    EXPECT_EQ(objl::argumentsOf("g"), "");
    EXPECT_EQ(objl::argumentsOf("g \t "), "");
    EXPECT_EQ(objl::argumentsOf("  f 1/1 2/2 3/3 4/4 "), "1/1 2/2 3/3 4/4");
    EXPECT_EQ(objl::argumentsOf("map_Kd -s 1  2\tbrick.png\t"), "-s 1  2\tbrick.png");
}

TEST(ObjlText, SplitKeepsEmptyPartsBetweenDelimitersButNoTrailingOne)
{
    struct Case {
        const char* text;
        Parts parts;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a b", {"a", "b"}},
        {"a  b", {"a", "", "b"}},
        {" a", {"", "a"}},
        {"a ", {"a"}},
        {"a  ", {"a", ""}},
        {" ", {""}},
    };
    for (const Case& c : cases) {
        Parts parts = {"left over"};
        objl::splitAt(c.text, parts, ' ');
        EXPECT_EQ(parts, c.parts) << '"' << c.text << '"';
    }
    Parts parts;
    objl::splitAt("1//3", parts, '/');
    EXPECT_EQ(parts, (Parts{"1", "", "3"}));
}

template <typename F>
std::string errorOf(F f)
{
    try {
        f();
    } catch (const std::invalid_argument& e) {
        return std::string("invalid_argument: ") + e.what();
    } catch (const std::out_of_range& e) {
        return std::string("out_of_range: ") + e.what();
    }
    return "none";
}

TEST(ObjlText, NumbersReadTheLongestPrefixAfterLeadingWhiteSpace)
{
    EXPECT_EQ(objl::readFloat("1.0000\r"), 1.0f);
    EXPECT_EQ(objl::readFloat(" \t-2.5e1xyz"), -25.0f);
    EXPECT_EQ(objl::readFloat("10 20"), 10.0f);
    EXPECT_EQ(objl::readInt(" 42abc"), 42);
    EXPECT_EQ(objl::readInt("-7/3"), -7);
    EXPECT_EQ(objl::readInt("2147483647"), 2147483647);
    EXPECT_EQ(objl::readInt("-2147483648"), -2147483647 - 1);
}

// The messages must not depend on the C++ library the build happens to use.
TEST(ObjlText, ConversionErrorsCarryTheSameMessagesOnEveryPlatform)
{
    EXPECT_EQ(errorOf([] { objl::readFloat(""); }), "invalid_argument: invalid stof argument");
    EXPECT_EQ(errorOf([] { objl::readFloat("x1"); }), "invalid_argument: invalid stof argument");
    EXPECT_EQ(errorOf([] { objl::readFloat("1e999"); }), "out_of_range: stof argument out of range");
    EXPECT_EQ(errorOf([] { objl::readFloat("-1e39"); }), "out_of_range: stof argument out of range");
    EXPECT_EQ(errorOf([] { objl::readInt(""); }), "invalid_argument: invalid stoi argument");
    EXPECT_EQ(errorOf([] { objl::readInt("/2"); }), "invalid_argument: invalid stoi argument");
    EXPECT_EQ(errorOf([] { objl::readInt("2147483648"); }), "out_of_range: stoi argument out of range");
    EXPECT_EQ(errorOf([] { objl::readInt("-2147483649"); }), "out_of_range: stoi argument out of range");
    EXPECT_EQ(errorOf([] { objl::readInt("99999999999999999999"); }), "out_of_range: stoi argument out of range");
}

TEST(ObjlText, ObjIndicesCountFromOneOrBackFromTheEndAndNeverLeaveTheList)
{
    const std::vector<int> list = {10, 20, 30};
    EXPECT_EQ(*objl::elementByObjIndex(list, "1"), 10);
    EXPECT_EQ(*objl::elementByObjIndex(list, "3"), 30);
    EXPECT_EQ(*objl::elementByObjIndex(list, "-1"), 30);
    EXPECT_EQ(*objl::elementByObjIndex(list, "-3"), 10);
    EXPECT_EQ(objl::elementByObjIndex(list, "0"), nullptr);
    EXPECT_EQ(objl::elementByObjIndex(list, "4"), nullptr);
    EXPECT_EQ(objl::elementByObjIndex(list, "-4"), nullptr);
    EXPECT_EQ(objl::elementByObjIndex(list, "-2147483648"), nullptr);
    EXPECT_EQ(objl::elementByObjIndex(std::vector<int>(), "1"), nullptr);
    EXPECT_EQ(errorOf([&] { objl::elementByObjIndex(list, "a"); }), "invalid_argument: invalid stoi argument");
}

} // namespace
