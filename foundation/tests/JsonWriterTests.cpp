#include "foundation/json/Parser.hpp"
#include "foundation/json/Writer.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using json::Value;
using Array = std::vector<Value>;
using Object = std::map<std::string, Value>;
namespace fs = std::filesystem;

std::string text(const Value& v)
{
    std::string out;
    json::writeToString(out, v);
    return out;
}

TEST(JsonWriter, ScalarsAndEmptyContainers)
{
    EXPECT_EQ(text(Value()), "null");
    EXPECT_EQ(text(Value(true)), "true");
    EXPECT_EQ(text(Value(false)), "false");
    EXPECT_EQ(text(Value(0LL)), "0");
    EXPECT_EQ(text(Value(-42LL)), "-42");
    EXPECT_EQ(text(Value(-9223372036854775807LL - 1)), "-9223372036854775808");
    EXPECT_EQ(text(Value(Array{})), "[]");
    EXPECT_EQ(text(Value(Object{})), "{\n}");
    EXPECT_EQ(text(Value("")), "\"\"");
}

TEST(JsonWriter, FloatsUseSixSignificantDigits)
{
    EXPECT_EQ(text(Value(2.0)), "2");
    EXPECT_EQ(text(Value(0.1)), "0.1");
    EXPECT_EQ(text(Value(123.4567)), "123.457");
    EXPECT_EQ(text(Value(-0.5)), "-0.5");
    EXPECT_EQ(text(Value(999999.4)), "999999");
    EXPECT_EQ(text(Value(1000000.0)), "1e+06");
    EXPECT_EQ(text(Value(1234567.0)), "1.23457e+06");
    EXPECT_EQ(text(Value(0.0001)), "0.0001");
    EXPECT_EQ(text(Value(0.0000001)), "1e-07");
    EXPECT_EQ(text(Value(0.00012345678)), "0.000123457");
    EXPECT_EQ(text(Value(1.5e300)), "1.5e+300");
}

TEST(JsonWriter, FloatFormMatchesTheStandardStreamFormatting)
{
    // The stored form is defined as a default-formatted stream's output.
    const double samples[] = {3.14159265,
                              -2.5e-5,
                              65536.0,
                              1e5,
                              99999.95,
                              12345.65,
                              0.3,
                              7.0 / 3.0,
                              -1e-300,
                              5e-324,
                              1.7976931348623157e308,
                              4503599627370496.5,
                              1e21};
    for (double d : samples) {
        std::ostringstream reference;
        reference << d;
        EXPECT_EQ(text(Value(d)), reference.str()) << d;
    }
}

TEST(JsonWriter, NonFiniteFloatsAreWrittenAsReadableNull)
{
    const Value v(Array{Value(std::numeric_limits<double>::quiet_NaN()), Value(std::numeric_limits<double>::infinity()),
                        Value(-std::numeric_limits<double>::infinity())});
    EXPECT_EQ(text(v), "[null, null, null]");
    EXPECT_NO_THROW(json::parseFromString(text(v)));
}

TEST(JsonWriter, StringsEscapeSevenBytesAndPassEverythingElse)
{
    EXPECT_EQ(text(Value("tab\there \"q\" a/b")), "\"tab\\there \\\"q\\\" a\\/b\"");
    EXPECT_EQ(text(Value("back\\slash\nline\rcr\fff")), "\"back\\\\slash\\nline\\rcr\\fff\"");
    EXPECT_EQ(text(Value(std::string("bs\b!"))), std::string("\"bs\b!\""));
    EXPECT_EQ(text(Value(std::string("nul\0x", 5))), std::string("\"nul\0x\"", 7));
    EXPECT_EQ(text(Value("őrült ű á")), "\"őrült ű á\"");
}

TEST(JsonWriter, ObjectsPutOneMemberPerLineWithOneTab)
{
    const Value v(Object{{"c", Value(Object{{"d", Value(true)}})},
                         {"b", Value(Array{Value(1.5), Value("x")})},
                         {"a", Value(1LL)}});
    EXPECT_EQ(text(v), "{\n"
                       "\t\"a\" : 1,\n"
                       "\t\"b\" : [1.5, \"x\"],\n"
                       "\t\"c\" : {\n"
                       "\t\"d\" : true\n"
                       "}\n"
                       "}");
}

TEST(JsonWriter, NestedObjectsInArraysAndEmptyMembers)
{
    const Value v(Array{Value(Object{{"k", Value(Array{})}}), Value(Object{}), Value()});
    EXPECT_EQ(text(v), "[{\n\t\"k\" : []\n}, {\n}, null]");
    const Value o(Object{{"e", Value(Object{})}, {"z", Value(Array{Value(Array{Value(0LL)})})}});
    EXPECT_EQ(text(o), "{\n\t\"e\" : {\n},\n\t\"z\" : [[0]]\n}");
}

TEST(JsonWriter, KeysKeepTheirBytesButQuotesAndBackslashes)
{
    Object members;
    members["Győző/Éva\tŐrs\nŰ"] = Value(1LL);
    members["say \"hi\" \\o/"] = Value(2LL);
    const std::string written = text(Value(members));
    EXPECT_EQ(written, "{\n\t\"Győző/Éva\tŐrs\nŰ\" : 1,\n\t\"say \\\"hi\\\" \\\\o/\" : 2\n}");
    // Read back and written again, the file is the same byte for byte.
    const Value back = json::parseFromString(written);
    EXPECT_EQ(back.objectValue().size(), 2u);
    EXPECT_EQ(text(back), written);
}

TEST(JsonWriter, StreamOperatorsAndStringWriterAgree)
{
    const Value v(Object{{"list", Value(Array{Value(1LL), Value(0.5)})}, {"n", Value()}});
    std::ostringstream a, b, c, d;
    a << v;
    json::writeToStream(b, v);
    c << v.objectValue();
    d << v.objectValue().at("list").arrayValue();
    EXPECT_EQ(a.str(), text(v));
    EXPECT_EQ(b.str(), text(v));
    EXPECT_EQ(c.str(), text(v));
    EXPECT_EQ(d.str(), "[1, 0.5]");

    std::string out = "previous content that is longer";
    json::writeToString(out, Value(3LL));
    EXPECT_EQ(out, "3");
}

// Remembers what had been written at each flush.
struct FlushLog : std::stringbuf {
    std::vector<std::string> flushed;
    int sync() override
    {
        flushed.push_back(str());
        return 0;
    }
};

TEST(JsonWriter, StreamsAreFlushedAfterEveryLineEnd)
{
    const Value v(Object{{"a", Value(1LL)}, {"c", Value(Object{{"d", Value(true)}})}});
    FlushLog log;
    std::ostream stream(&log);
    stream << v;
    // Lines: "{", "\t\"a\" : 1,", "\t\"c\" : {", "\t\"d\" : true", "}", "}".
    EXPECT_EQ(log.flushed, (std::vector<std::string>{"{\n", "{\n\t\"a\" : 1,\n", "{\n\t\"a\" : 1,\n\t\"c\" : {\n",
                                                     "{\n\t\"a\" : 1,\n\t\"c\" : {\n\t\"d\" : true\n",
                                                     "{\n\t\"a\" : 1,\n\t\"c\" : {\n\t\"d\" : true\n}\n"}));
    EXPECT_EQ(log.str(), text(v));

    // An array stays on one line and a string's line feed is escaped: no flush.
    FlushLog arrayLog;
    std::ostream arrayStream(&arrayLog);
    json::writeToStream(arrayStream, Value(Array{Value("two\nlines"), Value(2LL)}));
    EXPECT_TRUE(arrayLog.flushed.empty());
    EXPECT_EQ(arrayLog.str(), "[\"two\\nlines\", 2]");
}

using JsonFiles = velk_test::TempFolderTest;

TEST_F(JsonFiles, WriteToFileReplacesContentAndReadsBack)
{
    const fs::path file = folder / "hajó ő.ship.json";
    ASSERT_TRUE(fs::exists(folder));
    ASSERT_TRUE(json::writeToFile(file.string(), Value(Object{{"name", Value("régi")}})));
    const Value v(Object{{"name", Value("Űrhajó")}, {"points", Value(Array{Value(1LL), Value(2.5)})}});
    ASSERT_TRUE(json::writeToFile(file.string(), v));
    EXPECT_EQ(velk_test::readFile(file), text(v));
    EXPECT_EQ(text(json::parseFromFile(file.string())), text(v));
    EXPECT_EQ(temp.names().size(), 1u) << "no temporary file may stay behind";
}

TEST_F(JsonFiles, WriteToFileReportsFailureForMissingFolderOrDirectoryTarget)
{
    EXPECT_FALSE(json::writeToFile((folder / "missing" / "a.json").string(), Value(1LL)));
    EXPECT_FALSE(fs::exists(folder / "missing"));

    fs::create_directories(folder / "dir" / "inner");
    EXPECT_FALSE(json::writeToFile((folder / "dir").string(), Value(1LL)));
    EXPECT_TRUE(fs::is_directory(folder / "dir" / "inner"));
    EXPECT_FALSE(json::writeToFile("", Value(1LL)));
    EXPECT_EQ(temp.names().size(), 1u);
}

TEST_F(JsonFiles, FailedWriteKeepsTheOldFileWhole)
{
    const fs::path file = folder / "map.json";
    ASSERT_TRUE(json::writeToFile(file.string(), Value("old")));

    // Simulate a full disk: the file size limit makes writes fail with EFBIG.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = json::writeToFile(file.string(), Value(std::string(4096, 'x')));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(velk_test::readFile(file), "\"old\"");
    EXPECT_EQ(temp.names().size(), 1u);
}

} // namespace
