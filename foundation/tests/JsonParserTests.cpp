#include "foundation/json/Parser.hpp"
#include "foundation/json/Writer.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using json::Value;

// Outcome of a parse as one comparable string: the written value or the message.
std::string outcome(const std::string& input, bool throughStream)
{
    try {
        Value v;
        if (throughStream) {
            std::istringstream stream(input);
            v = json::parseFromStream(stream);
        } else {
            v = json::parseFromString(input);
        }
        std::string out;
        json::writeToString(out, v);
        return out;
    } catch (const json::ParseException& e) {
        return std::string("error: ") + e.what();
    }
}

// Parses through the in-memory reader and the character-by-character stream
// reader; both must agree.
std::string parsed(const std::string& input)
{
    const std::string fromString = outcome(input, false);
    EXPECT_EQ(fromString, outcome(input, true)) << "readers disagree on: " << input;
    return fromString;
}

std::string error(const std::string& detail)
{
    return "error: Json parse error (" + detail + ")";
}

TEST(JsonParser, WhiteSpaceAroundEmptyContainersAndScalars)
{
    EXPECT_EQ(parsed(" \t\n{ \r\n }  "), "{\n}");
    EXPECT_EQ(parsed("\v[\f ]"), "[]");
    EXPECT_EQ(parsed("null"), "null");
    EXPECT_EQ(parsed(" true"), "true");
    EXPECT_EQ(parsed("false"), "false");
    EXPECT_EQ(parsed("\"\""), "\"\"");
    EXPECT_EQ(parsed("t r\nu e"), "true");
    EXPECT_EQ(parsed("n u l l"), "null");
}

TEST(JsonParser, NumbersBecomeIntegersWhenWhole)
{
    const Value one = json::parseFromString("1.0");
    ASSERT_TRUE(one.isInteger());
    EXPECT_EQ(one.integerValue(), 1);
    const Value half = json::parseFromString("1.5");
    ASSERT_TRUE(half.isFloat());
    EXPECT_EQ(half.floatValue(), 1.5);
    EXPECT_EQ(parsed("-3"), "-3");
    EXPECT_EQ(parsed("1e2"), "100");
    EXPECT_EQ(parsed("-0"), "0");
    EXPECT_EQ(parsed("007"), "7");
    EXPECT_EQ(parsed("-000000000000000000000000042"), "-42");
    EXPECT_EQ(parsed("1."), "1");
    EXPECT_EQ(parsed("-.5"), "-0.5");
    EXPECT_EQ(parsed("2.5E-1"), "0.25");
    EXPECT_EQ(parsed("1e-400"), "0");
    EXPECT_EQ(parsed("[1.5.3]"), error("Array isn't closed"));
    EXPECT_EQ(parsed("[12abc]"), error("Array isn't closed"));
}

TEST(JsonParser, WholeNumbersKeepAll64BitsAndLargerOnesStayFloats)
{
    const Value big = json::parseFromString("9007199254740993");
    ASSERT_TRUE(big.isInteger());
    EXPECT_EQ(big.integerValue(), 9007199254740993LL);
    EXPECT_EQ(json::parseFromString("9223372036854775807").integerValue(), 9223372036854775807LL);
    EXPECT_EQ(json::parseFromString("-9223372036854775808").integerValue(), -9223372036854775807LL - 1);

    for (const char* tooBig :
         {"9223372036854775808", "-9223372036854775809", "1e30", "-1e19", "123456789012345678901234"}) {
        const Value v = json::parseFromString(tooBig);
        ASSERT_TRUE(v.isFloat()) << tooBig;
        EXPECT_EQ(v.floatValue(), std::stod(tooBig)) << tooBig;
    }
    EXPECT_EQ(parsed("[1e30]"), "[1e+30]");
}

TEST(JsonParser, NumbersWithoutDigitsOrBeyondDoubleRangeAreErrors)
{
    EXPECT_EQ(parsed("-"), error(""));
    EXPECT_EQ(parsed("-x"), error(""));
    EXPECT_EQ(parsed("[-, 1]"), error(""));
    EXPECT_EQ(parsed("1e"), error(""));
    EXPECT_EQ(parsed("[1e+]"), error(""));
    EXPECT_EQ(parsed("1e400"), error(""));
    EXPECT_EQ(parsed("[-1e400]"), error(""));
}

TEST(JsonParser, NumberValuesMatchTheStandardStreamExtraction)
{
    for (const char* token : {"0.1", "3.14159265358979", "-2.5e-7", "6.02214076e23", "1E5", "0.000123457", "123.457",
                              "1.23457e+06", "4.9e-324", "1.7976931348623157e308"}) {
        std::istringstream reference(token);
        double expected = 0;
        reference >> expected;
        const Value v = json::parseFromString(token);
        ASSERT_TRUE(v.isNumber()) << token;
        const double got = v.isFloat() ? v.floatValue() : static_cast<double>(v.integerValue());
        EXPECT_EQ(got, expected) << token;
    }
}

TEST(JsonParser, RepeatedKeysKeepTheLastValue)
{
    EXPECT_EQ(parsed("{\"a\": 1, \"a\": 2}"), "{\n\t\"a\" : 2\n}");
    EXPECT_EQ(parsed("{\"b\":1,\"a\":[true,null]}"), "{\n\t\"a\" : [true, null],\n\t\"b\" : 1\n}");
}

TEST(JsonParser, EscapesInStrings)
{
    EXPECT_EQ(json::parseFromString("\"a\\/b\\tc\"").stringValue(), "a/b\tc");
    EXPECT_EQ(json::parseFromString("\"\\\"\\\\\\b\\f\\n\\r\"").stringValue(), "\"\\\b\f\n\r");
    // Raw control characters and UTF-8 stay as they are.
    EXPECT_EQ(json::parseFromString("\"line\nnext\ttab őű\"").stringValue(), "line\nnext\ttab őű");
    EXPECT_EQ(parsed("\"a\\qb\""), error("Invalid '\\' character"));
}

TEST(JsonParser, UnicodeEscapesDecodeToUtf8)
{
    EXPECT_EQ(json::parseFromString("\"\\u00e9\"").stringValue(), "é");
    EXPECT_EQ(json::parseFromString("\"\\u0151\\u0171\\u00E1\"").stringValue(), "őűá");
    EXPECT_EQ(json::parseFromString("\"\\u0041\\u20ac\"").stringValue(), "A€");
    EXPECT_EQ(json::parseFromString("\"\\ud83d\\ude80\"").stringValue(), "\xF0\x9F\x9A\x80");
    EXPECT_EQ(json::parseFromString("\"\\u0000\"").stringValue(), std::string(1, '\0'));
    EXPECT_EQ(parsed("[\"\\u00e9\"]"), "[\"é\"]");
}

TEST(JsonParser, MalformedUnicodeEscapesReadAsReplacementCharacters)
{
    const std::string r = "\xEF\xBF\xBD"; // U+FFFD
    // Each input against the text that the writer gives for what was read.
    const struct {
        const char* input;
        std::string written;
    } cases[] = {
        {R"("Győ\u00g9ző")", "Győ" + r + "ző"}, // any four characters are taken
        {R"("Éva\u12")", "Éva" + r},            // the quote still closes the string
        {R"("\ude80Őrs")", r + "Őrs"},          // low surrogate alone
        {R"("\ud83d")", r},                     // high surrogate alone
        {R"("\ud83dx")", r + "x"},
        {R"("\ud83d\u0171")", r + "ű"},                      // high surrogate + non-surrogate
        {R"("\ud83d\ud83d\ude80")", r + "\xF0\x9F\x9A\x80"}, // the second one pairs
        {R"("\ud83d\tŰ")", r + "\\tŰ"},                      // another escape follows
    };
    for (const auto& c : cases)
        EXPECT_EQ(parsed(c.input), "\"" + c.written + "\"") << c.input;
    EXPECT_EQ(parsed("\"\\u00"), error("")); // input ends inside the escape
    EXPECT_EQ(parsed("\"\\ud83d\\q\""), error("Invalid '\\' character"));
}

TEST(JsonParser, EveryErrorDetail)
{
    EXPECT_EQ(parsed(""), error(""));
    EXPECT_EQ(parsed("   "), error(""));
    EXPECT_EQ(parsed("\"open"), error(""));
    EXPECT_EQ(parsed("[1, 2"), error(""));
    EXPECT_EQ(parsed("nul"), error(""));
    EXPECT_EQ(parsed("True"), error("Bad bool"));
    EXPECT_EQ(parsed("F"), error("Bad bool"));
    EXPECT_EQ(parsed("trUe"), error("Bad bool"));
    EXPECT_EQ(parsed("fals3"), error("Bad bool"));
    EXPECT_EQ(parsed("nill"), error("Bad null"));
    EXPECT_EQ(parsed("NULL"), error("Bad null"));
    EXPECT_EQ(parsed("+1"), error("Invalid value"));
    EXPECT_EQ(parsed(".5"), error("Invalid value"));
    EXPECT_EQ(parsed("]"), error("Invalid value"));
    EXPECT_EQ(parsed("[1, ]"), error("Invalid value"));
    EXPECT_EQ(parsed("[1 2]"), error("Array isn't closed"));
    EXPECT_EQ(parsed("[1; 2]"), error("Array isn't closed"));
    EXPECT_EQ(parsed("{\"a\": 1,}"), error("Object key doesn't start with '\"'"));
    EXPECT_EQ(parsed("{a: 1}"), error("Object key doesn't start with '\"'"));
    EXPECT_EQ(parsed("{\"a\" 1}"), error("':' is missing"));
    EXPECT_EQ(parsed("{\"a\": 1 \"b\": 2}"), error("Object isn't closed"));
    EXPECT_EQ(parsed("{\"a\": 1]"), error("Object isn't closed"));
    EXPECT_EQ(parsed("\"\\x\""), error("Invalid '\\' character"));
}

TEST(JsonParser, OnlyTheFirstValueIsRead)
{
    EXPECT_EQ(parsed("[1, 2] and more words"), "[1, 2]");
    EXPECT_EQ(parsed("{} }"), "{\n}");

    std::istringstream stream("[3] {\"next\": true}");
    EXPECT_EQ(json::parseFromStream(stream).arrayValue()[0].integerValue(), 3);
    EXPECT_TRUE(json::parseFromStream(stream).objectValue().at("next").boolValue());
}

TEST(JsonParser, DeepNestingIsRefusedWithAnException)
{
    // Up to 512 arrays and objects may enclose each other.
    std::string deepest;
    for (int i = 0; i < 256; ++i)
        deepest += "[{\"k\":";
    deepest += "0";
    for (int i = 0; i < 256; ++i)
        deepest += "}]";
    EXPECT_NO_THROW(json::parseFromString(deepest));
    EXPECT_EQ(parsed("[" + deepest + "]"), error("Nesting too deep"));

    const std::string deepArrays(100000, '[');
    EXPECT_EQ(parsed(deepArrays), error("Nesting too deep"));
    std::string deepObjects;
    for (int i = 0; i < 20000; ++i)
        deepObjects += "{\"k\":";
    EXPECT_EQ(parsed(deepObjects), error("Nesting too deep"));
}

TEST(JsonParser, ParserOperationsReadOneConstructEach)
{
    std::istringstream stream(" [1] {\"k\": \"v\"} \"text\" 5 x");
    json::Parser parser(stream);
    EXPECT_EQ(parser.parseArray().arrayValue().size(), 1u);
    EXPECT_EQ(parser.parseObject().objectValue().at("k").stringValue(), "v");
    EXPECT_EQ(parser.parseString().stringValue(), "text");
    EXPECT_EQ(parser.parseValue().integerValue(), 5);
    EXPECT_THROW(parser.parseArray(), json::ParseException);
}

TEST(JsonParser, FailedStreamGivesTheEmptyDetail)
{
    std::istringstream stream("[1]");
    stream.setstate(std::ios::failbit);
    try {
        json::parseFromStream(stream);
        FAIL() << "no exception";
    } catch (const json::ParseException& e) {
        EXPECT_STREQ(e.what(), "Json parse error ()");
    }
}

using JsonParserFiles = velk_test::TempFolderTest;

TEST_F(JsonParserFiles, FilesParseAndMissingFilesGiveTheEmptyDetail)
{
    const auto good = folder / "térkép.map.json";
    const auto bad = folder / "broken.json";
    std::ofstream(good) << "{\n\t\"size\" : [2, 2],\n\t\"tiles\" : [0, 1, 34, 0]\n}";
    std::ofstream(bad) << "{\n\t\"size\" : [2, 2],\n\t\"tiles\" : [0, 1, ";

    const Value map = json::parseFromFile(good.string());
    EXPECT_EQ(map.objectValue().at("tiles").arrayValue()[2].integerValue(), 34);

    const auto messageOf = [](const std::string& path) {
        try {
            json::parseFromFile(path);
        } catch (const json::ParseException& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(messageOf(bad.string()), "Json parse error ()");
    EXPECT_EQ(messageOf((folder / "missing.json").string()), "Json parse error ()");
    EXPECT_EQ(messageOf(folder.string()), "Json parse error ()");
}

} // namespace
