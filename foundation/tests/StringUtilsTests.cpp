#include "foundation/tools/StringUtils.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

TEST(StringSplit, DelimiterRunsCompressionAndEmptyTokens)
{
    EXPECT_EQ(tools::split("a,,b", ",", false, false), (Tokens{"a", "", "b"}));
    EXPECT_EQ(tools::split("a,,b", ",", true, false), (Tokens{"a", "b"}));
    EXPECT_EQ(tools::split("a,,b", ",", false, true), (Tokens{"a", "b"}));
    // Runs at either end still give one empty token there when compressing.
    EXPECT_EQ(tools::split(",,a,,", ",", true, false), (Tokens{"", "a", ""}));
    EXPECT_EQ(tools::split(",,a,,", ",", false, false), (Tokens{"", "", "a", "", ""}));
    EXPECT_EQ(tools::split(",,a,,", ",", true, true), (Tokens{"a"}));
}

TEST(StringSplit, EmptyTextAndSeveralDelimiterCharacters)
{
    EXPECT_EQ(tools::split("", ",", false, false), (Tokens{""}));
    EXPECT_EQ(tools::split("", ",", true, true), Tokens{});
    EXPECT_EQ(tools::split("800x600", "x", false, false), (Tokens{"800", "600"}));
    EXPECT_EQ(tools::split(" 1024 x 768 ", "x ", true, true), (Tokens{"1024", "768"}));
    EXPECT_EQ(tools::split("abc", "", false, false), (Tokens{"abc"}));
}

TEST(Utf8Conversion, DecodesHungarianLettersAndEuroSign)
{
    // "Ő" U+0150, "ű" U+0171, "á" U+00E1, "é" U+00E9, "€" U+20AC.
    const std::string bytes = "\xC5\x90r\xC3\xA1 \xC3\xA9s \xC5\xB1r \xE2\x82\xAC";
    const std::wstring expected = {0x150, L'r', 0xE1, L' ', 0xE9, L's', L' ', 0x171, L'r', L' ', 0x20AC};
    EXPECT_EQ(tools::utf8ToWString(bytes), expected);
    EXPECT_EQ(tools::wstringToUtf8(expected), bytes);
    EXPECT_EQ(tools::utf8ToWString(u8"őŰ"), (std::wstring{0x151, 0x170}));
    EXPECT_EQ(tools::wstringToUtf8(L""), "");
    EXPECT_EQ(tools::utf8ToWString(""), L"");
}

TEST(Utf8Conversion, MalformedInputGivesReplacementCharacters)
{
    const wchar_t R = 0xFFFD;
    EXPECT_EQ(tools::utf8ToWString("\xA9"), (std::wstring{R}));
    EXPECT_EQ(tools::utf8ToWString("\xC3"
                                   "A"),
              (std::wstring{R, L'A'}));
    EXPECT_EQ(tools::utf8ToWString("x\xC3"), (std::wstring{L'x', R}));
    EXPECT_EQ(tools::utf8ToWString("\xF8z"), (std::wstring{R, L'z'}));
    // A new lead byte silently drops an unfinished sequence.
    EXPECT_EQ(tools::utf8ToWString("\xE2\x82\xC3\xA9"), (std::wstring{0xE9}));
    // A three-byte sequence cut short by ASCII.
    EXPECT_EQ(tools::utf8ToWString("\xE2\x82"
                                   "b"),
              (std::wstring{R, L'b'}));
}

TEST(Utf8Conversion, CodePointsBeyondTheBasicPlaneRoundTrip)
{
    // U+1F680 is F0 9F 9A 80; U+10FFFF is F4 8F BF BF.
    const std::string rocket = "\xF0\x9F\x9A\x80";
    const std::wstring decoded = tools::utf8ToWString(rocket);
    if (sizeof(wchar_t) == 4) {
        EXPECT_EQ(decoded, (std::wstring{static_cast<wchar_t>(0x1F680)}));
        EXPECT_EQ(tools::wstringToUtf8(decoded), rocket);
        EXPECT_EQ(tools::wstringToUtf8(std::wstring{static_cast<wchar_t>(0x10FFFF)}), "\xF4\x8F\xBF\xBF");
        // Out of Unicode's range: the replacement character, never a broken byte.
        EXPECT_EQ(tools::wstringToUtf8(std::wstring{static_cast<wchar_t>(0x110000)}), "\xEF\xBF\xBD");
    }
    // Surrogate values are encoded like any other three-byte value.
    EXPECT_EQ(tools::wstringToUtf8(std::wstring{static_cast<wchar_t>(0xD800)}), "\xED\xA0\x80");
}

TEST(NumberText, ReadingStopsAtTheFirstNonNumberAndFailsToZero)
{
    EXPECT_EQ(tools::str2t<unsigned int>("600"), 600u);
    EXPECT_EQ(tools::str2t<unsigned int>("600abc"), 600u);
    EXPECT_EQ(tools::str2t<unsigned int>(" 600"), 0u);
    EXPECT_EQ(tools::str2t<unsigned int>("x"), 0u);
    EXPECT_FLOAT_EQ(tools::str2t<float>("0.25"), 0.25f);
    EXPECT_FLOAT_EQ(tools::str2t<float>("-1.5e2px"), -150.f);
    EXPECT_EQ(tools::str2t<float>(""), 0.f);
}

TEST(NumberText, WritingUsesPlainDecimalForm)
{
    EXPECT_EQ(tools::t2str<int>(-15), "-15");
    EXPECT_EQ(tools::t2str<int>(2147483647), "2147483647");
    EXPECT_EQ(tools::t2str<unsigned int>(0u), "0");
    EXPECT_EQ(tools::t2str<unsigned int>(4294967295u), "4294967295");
}

} // namespace
