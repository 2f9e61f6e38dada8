#include "engine/SfImageMap.hpp"

#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

namespace {

using velk_test::readFile;
using velk_test::writeFile;

class SfImageMapTest : public velk_test::TempFolderTest {};

TEST_F(SfImageMapTest, RectanglesReadFromEveryNumberForm)
{
    SfImageMap map;
    ASSERT_TRUE(map.loadFromString(R"({"ImageFile": "items.png", "Images": {
        "whole": [1, 2, 30, 40],
        "float": [3.9, -2.5, 10],
        "wrong": ["x", true, null, 7],
        "big": [4294967297, -3000000000.5, 3000000000.5, 0],
        "text": "not an array",
        "empty": []
    }})"));
    EXPECT_EQ(map.getImageFile(), "items.png");
    const SfImageMap::ImageMap expected = {
        {"whole", sf::IntRect(1, 2, 30, 40)},
        {"float", sf::IntRect(3, -2, 10, 0)},
        {"wrong", sf::IntRect(0, 0, 0, 7)},
        // An integer keeps its low 32 bits; a float beyond int is held at its end.
        {"big", sf::IntRect(1, -2147483647 - 1, 2147483647, 0)},
        {"empty", sf::IntRect(0, 0, 0, 0)},
    };
    EXPECT_EQ(map.images(), expected);
}

TEST_F(SfImageMapTest, SecondLoadAddsAndReplaces)
{
    SfImageMap map;
    ASSERT_TRUE(map.loadFromString(R"({"ImageFile": "a.png", "Images": {"a": [1,1,1,1], "b": [2,2,2,2]}})"));
    ASSERT_TRUE(map.loadFromString(R"({"Images": {"b": [5,5,5,5], "c": [3,3,3,3]}})"));
    EXPECT_EQ(map.images().size(), 3u);
    EXPECT_EQ(map.images().at("a"), sf::IntRect(1, 1, 1, 1));
    EXPECT_EQ(map.images().at("b"), sf::IntRect(5, 5, 5, 5));
    EXPECT_EQ(map.images().at("c"), sf::IntRect(3, 3, 3, 3));
    // The image file name is the second file's: none.
    EXPECT_EQ(map.getImageFile(), "");

    // A root that is no object still loads: name emptied, rectangles kept.
    ASSERT_TRUE(map.loadFromString("[1, 2]"));
    EXPECT_EQ(map.images().size(), 3u);
    map.clear();
    EXPECT_TRUE(map.images().empty());
    EXPECT_EQ(map.getImagePath(), "");
}

TEST_F(SfImageMapTest, BrokenFilesChangeNothing)
{
    SfImageMap map;
    ASSERT_TRUE(map.loadFromString(R"({"ImageFile": "keep.png", "Images": {"k": [1,2,3,4]}})", "dir"));
    writeFile(folder / "truncated.img.json", R"({"ImageFile": "x.png", "Images": {"k": [9,9)");
    writeFile(folder / "empty.img.json", "");
    for (const auto& name : {"truncated.img.json", "empty.img.json", "missing.img.json"}) {
        velk_test::LogCapture log;
        EXPECT_FALSE(map.loadFromFile((folder / name).string())) << name;
        EXPECT_TRUE(log.contains("[SfImageMap] Cannot load") && log.contains(name)) << log.text();
        EXPECT_EQ(map.getImageFile(), "keep.png");
        EXPECT_EQ(map.getDirectory(), "dir");
        EXPECT_EQ(map.images().at("k"), sf::IntRect(1, 2, 3, 4));
    }
    EXPECT_FALSE(map.loadFromString("{\"Images\": "));
    EXPECT_EQ(map.images().size(), 1u);
}

TEST_F(SfImageMapTest, ImagePathJoinsTheMapFilesFolder)
{
    const struct {
        std::string directory, file, path;
    } cases[] = {
        {"data/img/editor", "items.png", "data/img/editor/items.png"},
        {"data/img/editor/", "items.png", "data/img/editor/items.png"},
        {"", "items.png", "items.png"},
        {"data/img", "", "data/img"},
    };
    for (const auto& c : cases) {
        SfImageMap map;
        ASSERT_TRUE(map.loadFromString("{}", c.directory));
        map.setImageFile(c.file);
        EXPECT_EQ(map.getImagePath(), c.path) << c.directory << " + " << c.file;
    }

    writeFile(folder / "img" / "editor" / "items.img.json", R"({"ImageFile": "items.png"})");
    SfImageMap map;
    ASSERT_TRUE(map.loadFromFile((folder / "img" / "editor" / "items.img.json").string()));
    EXPECT_EQ(map.getImagePath(), (folder / "img" / "editor" / "items.png").string());
}

TEST_F(SfImageMapTest, SavedFileLoadsBackEqualWithHungarianNames)
{
    SfImageMap map;
    map.setImageFile("alkatr\xC3\xA9szek.png");
    map.images()["f\xC3\xBAr\xC3\xB3"] = sf::IntRect(0, 64, 32, 32);
    map.images()["negative"] = sf::IntRect(-5, -6, 7, 8);
    const std::string path = (folder / "parts.img.json").string();
    ASSERT_TRUE(map.saveToFile(path));
    EXPECT_EQ(readFile(path), map.saveToString());
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(temp.names(), std::vector<std::string>{"parts.img.json"});

    SfImageMap back;
    ASSERT_TRUE(back.loadFromFile(path));
    EXPECT_EQ(back.getImageFile(), map.getImageFile());
    EXPECT_EQ(back.images(), map.images());
}

TEST_F(SfImageMapTest, FailedSaveReportsAndKeepsTheOldFile)
{
    SfImageMap map;
    map.images()["a"] = sf::IntRect(1, 2, 3, 4);
    const std::string path = (folder / "keep.img.json").string();
    writeFile(path, "old");
    // A folder where the file should go cannot be replaced by a file.
    std::filesystem::create_directories(folder / "taken.img.json");
    velk_test::LogCapture log;
    EXPECT_FALSE(map.saveToFile((folder / "taken.img.json").string()));
    EXPECT_FALSE(map.saveToFile((folder / "no" / "such" / "folder.img.json").string()));
    EXPECT_EQ(readFile(path), "old");
}

} // namespace
