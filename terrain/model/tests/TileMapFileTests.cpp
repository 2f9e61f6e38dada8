#include "terrain/model/TileMap.hpp"

#include "foundation/json/Parser.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using U = math::Vector2<unsigned int>;
using velk_test::LogCapture;
using velk_test::readFile;
using velk_test::writeFile;

namespace {

std::vector<unsigned char> cells(const TileMap& map)
{
    std::vector<unsigned char> all;
    for (unsigned int x = 0; x < map.getSize().x; ++x)
        for (unsigned int y = 0; y < map.getSize().y; ++y)
            all.push_back(map.getTile(x, y));
    return all;
}

TileMap filled(unsigned int width, unsigned int height, const std::vector<unsigned char>& codes)
{
    TileMap map(width, height);
    for (std::size_t i = 0; i < codes.size(); ++i)
        map.getTile(static_cast<unsigned int>(i / height), static_cast<unsigned int>(i % height)) = codes[i];
    return map;
}

void expectSame(const TileMap& actual, const TileMap& expected)
{
    EXPECT_EQ(actual.getSize(), expected.getSize());
    EXPECT_EQ(cells(actual), cells(expected));
    EXPECT_EQ(actual.getTileSize(), expected.getTileSize());
    EXPECT_EQ(actual.getTilesPerTexture(), expected.getTilesPerTexture());
}

using TileMapFileTest = velk_test::TempFolderTest;

} // namespace

TEST_F(TileMapFileTest, SavedMapLoadsBackEqual)
{
    TileMap map = filled(2, 3, {0, 1, 33, 34, 40, 255});
    map.setTileSize(0.25f);
    map.setTilesPerTexture(4);
    const std::string path = (folder / "térkép.map.json").string();
    ASSERT_TRUE(map.saveToFile(path));
    TileMap loaded;
    EXPECT_TRUE(loaded.loadFromFile(path));
    expectSame(loaded, map);
    EXPECT_EQ(temp.names(), std::vector<std::string>{"térkép.map.json"});
}

TEST_F(TileMapFileTest, WritesExactlyTheFourMembersInKeyOrder)
{
    TileMap map = filled(2, 1, {1, 34});
    map.setTileSize(0.5f);
    map.setTilesPerTexture(3);
    const std::string path = (folder / "small.map.json").string();
    ASSERT_TRUE(map.saveToFile(path));
    EXPECT_EQ(readFile(path), "{\n"
                              "\t\"Size\" : {\n"
                              "\t\"X\" : 2,\n"
                              "\t\"Y\" : 1\n"
                              "},\n"
                              "\t\"TileSize\" : 0.5,\n"
                              "\t\"Tiles\" : [1, 34],\n"
                              "\t\"TilesPerTexture\" : 3\n"
                              "}");
    const json::Value root = json::parseFromFile(path);
    EXPECT_TRUE(root.objectValue().at("TileSize").isFloat());
    EXPECT_TRUE(root.objectValue().at("TilesPerTexture").isInteger());
}

TEST_F(TileMapFileTest, FailedSaveIsReportedAndKeepsTheOldFile)
{
    LogCapture log;
    const TileMap map(2, 2);
    const std::string missingFolder = (folder / "nowhere" / "a.map.json").string();
    EXPECT_FALSE(map.saveToFile(missingFolder));
    EXPECT_TRUE(log.contains("[TileMap] Cannot save map \"" + missingFolder + "\""));
    // A folder standing where the file should go is not replaced.
    std::filesystem::create_directory(folder / "taken.map.json");
    writeFile(folder / "taken.map.json" / "keep.txt", "old");
    EXPECT_FALSE(map.saveToFile((folder / "taken.map.json").string()));
    EXPECT_EQ(readFile(folder / "taken.map.json" / "keep.txt"), "old");
    EXPECT_EQ(temp.names(), std::vector<std::string>{"taken.map.json"});
}

TEST(TileMapReaderTest, ReadsLeniently)
{
    struct Case {
        const char* name;
        TileMap before;
        std::string document;
        TileMap after;
    };
    TileMap scaled = filled(2, 2, {5, 6, 7, 8});
    scaled.setTileSize(2.5f);
    TileMap four = filled(1, 4, {0, 0, 0, 0});
    four.setTilesPerTexture(7);
    const std::vector<Case> cases = {
        {"tiles only, empty map", TileMap(), R"({"Tiles": [5, 6, 7, 8]})", TileMap()},
        {"tiles only, 2 by 2", TileMap(2, 2), R"({"Tiles": [5, 6, 7, 8, 9]})", filled(2, 2, {5, 6, 7, 8})},
        {"short tiles after a resize", filled(1, 1, {9}), R"({"Size": {"X": 2, "Y": 2}, "Tiles": [3]})",
         filled(2, 2, {3, 0, 0, 0})},
        {"low byte, truncation, wrong kinds", filled(2, 2, {1, 2, 3, 4}), R"({"Tiles": [257, 2.9, "x", -1]})",
         filled(2, 2, {1, 2, 3, 255})},
        {"floats truncate to 16 bits first", filled(1, 3, {0, 0, 0}), R"({"Tiles": [65537.5, -2.5, null]})",
         filled(1, 3, {1, 254, 0})},
        {"missing Y empties the map", filled(2, 2, {1, 1, 1, 1}), R"({"Size": {"X": 2}})", TileMap()},
        {"size not an object", filled(2, 2, {1, 2, 3, 4}), R"({"Size": [3, 3], "TileSize": "big"})",
         filled(2, 2, {1, 2, 3, 4})},
        {"float sizes truncate", TileMap(), R"({"Size": {"X": 2.9, "Y": 2.1}, "TileSize": 2.5, "Other": 1,
          "Tiles": [5, 6, 7, 8]})",
         scaled},
        {"tiles per texture", TileMap(1, 4), R"({"TilesPerTexture": 7.8})", four},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TileMap map = c.before;
        EXPECT_TRUE(map.loadFromString(c.document));
        expectSame(map, c.after);
    }
}

TEST(TileMapReaderTest, UntrustedValuesAreClampedWithALogLine)
{
    struct Case {
        std::string document;
        U size;
        float tileSize;
        unsigned int tilesPerTexture;
        std::string logged;
    };
    const std::vector<Case> cases = {
        {R"({"TileSize": 0})", {}, 0.1f, 1, "TileSize 0 clamped to 0.1"},
        {R"({"TileSize": 0.05})", {}, 0.1f, 1, "TileSize 0.05 clamped to 0.1"},
        {R"({"TileSize": -1e300})", {}, 0.1f, 1, "TileSize -1e+300 clamped to 0.1"},
        {R"({"TileSize": 1e300})", {}, TileMap::MaxTileSize, 1, "TileSize 1e+300 clamped to 100"},
        {R"({"TilesPerTexture": 0})", {}, 1.0f, 1, "TilesPerTexture 0 clamped to 1"},
        {R"({"TilesPerTexture": -5})", {}, 1.0f, 1, "TilesPerTexture -5 clamped to 1"},
        {R"({"TilesPerTexture": 1e20})",
         {},
         1.0f,
         TileMap::MaxTilesPerTexture,
         "TilesPerTexture 1e+20 clamped to 4096"},
        {R"({"Size": {"X": 3, "Y": 1e300}})", {3, TileMap::MaxSize}, 1.0f, 1, "height 1e+300 clamped to 4096"},
        {R"({"Size": {"X": 5000, "Y": 2}})", {TileMap::MaxSize, 2}, 1.0f, 1, "width 5000 clamped to 4096"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        LogCapture log;
        TileMap map;
        EXPECT_TRUE(map.loadFromString(c.document));
        EXPECT_EQ(map.getSize(), c.size);
        EXPECT_EQ(map.getTileSize(), c.tileSize);
        EXPECT_EQ(map.getTilesPerTexture(), c.tilesPerTexture);
        EXPECT_TRUE(log.contains("[TileMap] Map text: " + c.logged)) << log.text();
    }
}

TEST_F(TileMapFileTest, FailedLoadLeavesTheMapUnchangedAndNamesTheFile)
{
    struct Case {
        std::string file;
        std::optional<std::string> content;
        std::string logged;
    };
    const std::vector<Case> cases = {
        {"missing.map.json", std::nullopt, "Json parse error"},
        {"broken.map.json", R"({"Size": {"X": 1, "Y": 1}, "Tiles": [1)", "Json parse error"},
        {"empty.map.json", "", "Json parse error"},
        {"array.map.json", "[1, 2, 3]", "the document is not an object"},
        {"negative.map.json", R"({"Size": {"X": -1, "Y": 4}, "TileSize": 2})", "negative size -1 x 4"},
        {"negative-rows.map.json", R"({"Size": {"X": 3, "Y": -1e300}})", "negative size 3 x -1e+300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = (folder / c.file).string();
        if (c.content)
            writeFile(path, *c.content);
        TileMap map = filled(2, 2, {1, 2, 3, 4});
        map.setTileSize(3.0f);
        const TileMap before = map;
        LogCapture log;
        EXPECT_FALSE(map.loadFromFile(path));
        expectSame(map, before);
        EXPECT_TRUE(log.contains("[TileMap] Cannot load map \"" + path + "\": ")) << log.text();
        EXPECT_TRUE(log.contains(c.logged)) << log.text();
    }
}

TEST(TileMapReaderTest, ParsedDocumentsLoadToo)
{
    TileMap map;
    EXPECT_FALSE(map.loadFromJson(json::Value(3LL)));
    EXPECT_EQ(map.getSize(), U(0, 0));
    TileMap source = filled(3, 2, {1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(map.loadFromJson(source.toJson()));
    expectSame(map, source);
}
