#include "foundation/csv/Parser.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// Writes every event as one readable line.
struct Recorder : csv::ParseDelegate {
    std::vector<std::string> events;
    void onParseBegin(const std::string& s) override { events.push_back("begin " + s); }
    void onLineBegin(const std::uint32_t& i) override { events.push_back("line " + std::to_string(i)); }
    void onField(const std::string& f, const std::uint32_t& i) override
    {
        events.push_back("field " + std::to_string(i) + " [" + f + "]");
    }
    void onLineEnd(const std::uint32_t& i) override { events.push_back("end " + std::to_string(i)); }
    void onParseEnd(const std::string& s) override { events.push_back("done " + s); }
};

using Events = std::vector<std::string>;

Events parse(const std::string& text, char separator = ',')
{
    Recorder r;
    EXPECT_TRUE(csv::parseString(text, &r, separator));
    return r.events;
}

TEST(CsvParser, LinesAndFieldsInOrder)
{
    EXPECT_EQ(parse("a,b\nc"), (Events{"begin -STRING-", "line 0", "field 0 [a]", "field 1 [b]", "end 0", "line 1",
                                       "field 0 [c]", "end 1", "done -STRING-"}));
    EXPECT_EQ(parse(""), (Events{"begin -STRING-", "done -STRING-"}));
}

TEST(CsvParser, EmptyLinesAreNeitherReportedNorCounted)
{
    EXPECT_EQ(parse("\n\nx\n\n\ny\n"), (Events{"begin -STRING-", "line 0", "field 0 [x]", "end 0", "line 1",
                                               "field 0 [y]", "end 1", "done -STRING-"}));
}

TEST(CsvParser, EmptyFieldsAtLineStartAndBeforeTheLineEnd)
{
    EXPECT_EQ(parse(",a,\n"), (Events{"begin -STRING-", "line 0", "field 0 []", "field 1 [a]", "field 2 []", "end 0",
                                      "done -STRING-"}));
}

TEST(CsvParser, InputEndingWithAnEmptyFieldLeavesTheLastLineOpen)
{
    // Only a field with text closes the last line at the end of the input.
    EXPECT_EQ(parse("x\na,"),
              (Events{"begin -STRING-", "line 0", "field 0 [x]", "end 0", "line 1", "field 0 [a]", "done -STRING-"}));
    EXPECT_EQ(parse("\"\""), (Events{"begin -STRING-", "line 0", "done -STRING-"}));
    EXPECT_EQ(parse("a,\\"), (Events{"begin -STRING-", "line 0", "field 0 [a]", "done -STRING-"}));
}

TEST(CsvParser, QuotesGroupTextAndNeverEnterIt)
{
    EXPECT_EQ(parse("\"x\"\n"), (Events{"begin -STRING-", "line 0", "field 0 [x]", "end 0", "done -STRING-"}));
    EXPECT_EQ(parse("ab\"c,d\"e"), (Events{"begin -STRING-", "line 0", "field 0 [abc,de]", "end 0", "done -STRING-"}));
    // A quoted line feed stays in the field; a doubled quote adds nothing.
    EXPECT_EQ(parse("\"two\nlines\",\"say \"\"hi\"\"\""), (Events{"begin -STRING-", "line 0", "field 0 [two\nlines]",
                                                                  "field 1 [say hi]", "end 0", "done -STRING-"}));
    // An unclosed quote keeps the rest of the input.
    EXPECT_EQ(parse("a,\"b,c\nd"),
              (Events{"begin -STRING-", "line 0", "field 0 [a]", "field 1 [b,c\nd]", "end 0", "done -STRING-"}));
}

TEST(CsvParser, BackslashEscapesOnlyTheQuote)
{
    EXPECT_EQ(parse("\\\"a\\b"), (Events{"begin -STRING-", "line 0", "field 0 [\"a\\b]", "end 0", "done -STRING-"}));
    EXPECT_EQ(parse("\"q \\\" \\n\""),
              (Events{"begin -STRING-", "line 0", "field 0 [q \" \\n]", "end 0", "done -STRING-"}));
    // A backslash pending at the end is dropped.
    EXPECT_EQ(parse("ab\\"), (Events{"begin -STRING-", "line 0", "field 0 [ab]", "end 0", "done -STRING-"}));
}

TEST(CsvParser, CarriageReturnsSpacesAndTabsStayInFields)
{
    EXPECT_EQ(parse(" a\t,b\r\nc\r\n"), (Events{"begin -STRING-", "line 0", "field 0 [ a\t]", "field 1 [b\r]", "end 0",
                                                "line 1", "field 0 [c\r]", "end 1", "done -STRING-"}));
}

TEST(CsvParser, TheSeparatorWinsOverEveryOtherMeaning)
{
    EXPECT_EQ(parse("a;\"b,c\";d", ';'), (Events{"begin -STRING-", "line 0", "field 0 [a]", "field 1 [b,c]",
                                                 "field 2 [d]", "end 0", "done -STRING-"}));
    EXPECT_EQ(parse("a\"b", '"'),
              (Events{"begin -STRING-", "line 0", "field 0 [a]", "field 1 [b]", "end 0", "done -STRING-"}));
    // With the line feed as separator, every line feed ends a field and lines never end early.
    EXPECT_EQ(parse("a\n\nb", '\n'), (Events{"begin -STRING-", "line 0", "field 0 [a]", "field 1 []", "field 2 [b]",
                                             "end 0", "done -STRING-"}));
}

TEST(CsvParser, NullDelegateAndMissingFileGiveFalseWithoutEvents)
{
    EXPECT_FALSE(csv::parseString("a,b", nullptr, ','));
    Recorder r;
    EXPECT_FALSE(csv::parseFile("/nonexistent/velk/pontszám.csv", &r, ','));
    EXPECT_FALSE(csv::parseFile("/nonexistent/velk/pontszám.csv", nullptr, ','));
    EXPECT_TRUE(r.events.empty());
}

using CsvParserFiles = velk_test::TempFolderTest;

TEST_F(CsvParserFiles, FilesAreReadWithThePathAsSourceName)
{
    const std::string file = (folder / "pontok-ékezet.csv").string();
    std::ofstream(file) << "név;pont\nÁrvíztűrő;42\n";
    Recorder r;
    EXPECT_TRUE(csv::parseFile(file, &r, ';'));
    EXPECT_EQ(r.events, (Events{"begin " + file, "line 0", "field 0 [név]", "field 1 [pont]", "end 0", "line 1",
                                "field 0 [Árvíztűrő]", "field 1 [42]", "end 1", "done " + file}));
}

TEST_F(CsvParserFiles, AFolderIsNoReadableFile)
{
    Recorder r;
    EXPECT_FALSE(csv::parseFile(folder.string(), &r, ','));
    EXPECT_TRUE(r.events.empty());
}

} // namespace
