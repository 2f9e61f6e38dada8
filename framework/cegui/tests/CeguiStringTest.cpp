#include "framework/cegui/CeguiString.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<CEGUI::utf32> codePoints(const CEGUI::String& text)
{
    return std::vector<CEGUI::utf32>(text.begin(), text.end());
}

TEST(CeguiStringTest, HungarianLettersBecomeSingleCharacters)
{
    // "Árvíztűrő" written as UTF-8 bytes: Á C3 81, í C3 AD, ű C5 B1, ő C5 91.
    const std::string utf8 = "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91";
    const std::vector<CEGUI::utf32> expected{0xC1, 'r', 'v', 0xED, 'z', 't', 0x171, 'r', 0x151};
    EXPECT_EQ(codePoints(utf8ToCeguiString(utf8)), expected);
}

TEST(CeguiStringTest, RoundTripKeepsEveryByte)
{
    const std::vector<std::string> texts{
        "",
        "plain ASCII",
        "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p", // árvíztűrő tükörfúrógép
        "\xC5\x90\xC5\xB0\xC3\x96\xC3\x9C",                                                      // ŐŰÖÜ
        "\xE2\x82\xAC 5",                                                                        // € (three bytes)
        "\xF0\x9F\x9A\x80",                                                                      // rocket (four bytes)
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(ceguiStringToUtf8(utf8ToCeguiString(text)), text) << text;
    }
}

TEST(CeguiStringTest, FourByteSequenceIsOneCharacter)
{
    const CEGUI::String text = utf8ToCeguiString("\xF0\x9F\x9A\x80");
    ASSERT_EQ(text.length(), 1u);
    EXPECT_EQ(text[0], 0x1F680u);
}

TEST(CeguiStringTest, ConversionStopsAtTheFirstZero)
{
    EXPECT_EQ(codePoints(utf8ToCeguiString(std::string("ab\0cd", 5))), (std::vector<CEGUI::utf32>{'a', 'b'}));

    CEGUI::String withZero("ab");
    withZero.push_back(0);
    withZero.push_back('c');
    EXPECT_EQ(ceguiStringToUtf8(withZero), "ab");
}

TEST(CeguiStringTest, MalformedUtf8BecomesReplacementCharacters)
{
    const CEGUI::utf32 bad = 0xFFFD;
    struct Case {
        std::string input;
        std::vector<CEGUI::utf32> expected;
    };
    const std::vector<Case> cases{
        {"abc\xC3", {'a', 'b', 'c', bad}}, // cut off at the end
        {"\xF0\x9F\x9A", {bad}},           // four-byte sequence missing its last byte
        {"\x80x", {bad, 'x'}},             // stray continuation byte
        {"\xC3(", {bad, '('}},             // lead byte followed by a plain character
        {"\xC0\xAF", {bad, bad}},          // overlong form of '/'
        {"\xE0\x80\xAF", {bad}},           // overlong three-byte form
        {"\xED\xA0\x80", {bad}},           // UTF-16 surrogate
        {"\xF4\x90\x80\x80", {bad}},       // beyond U+10FFFF
        {"\xFF", {bad}},                   // never valid
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codePoints(utf8ToCeguiString(c.input)), c.expected);
    }
}

} // namespace
