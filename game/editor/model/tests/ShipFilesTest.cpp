// Ship-file rules of the editor: bare names, name completion, and loads
// that leave the ship alone when they fail.

#include "game/editor/model/ShipFiles.hpp"

#include "game/ship/backend/ShipEntry.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

namespace {

using velk::backend::ShipEntry;

TEST(ShipFilesTest, OnlyBareNamesAreAccepted)
{
    const std::pair<std::string, bool> rows[] = {
        {"ship1", true},
        {"a.json", true},
        {"haj\xC3\xB3 \xC5\x91s.ship.json", true},
        {"..ship", true},
        {".hidden", true},
        {"", false},
        {".", false},
        {"..", false},
        {"a/b", false},
        {"../ship", false},
        {"/etc/passwd", false},
        {"dir\\ship", false},
        {std::string("a\0b", 3), false},
    };
    for (const auto& [name, accepted] : rows)
        EXPECT_EQ(velk::isBareFileName(name), accepted) << name;
}

TEST(ShipFilesTest, TypedNamesAreCompletedToShipFiles)
{
    const std::pair<const char*, const char*> rows[] = {
        {"ship1", "ship1.ship.json"},   {"ship1.ship", "ship1.ship.json"}, {"ship1.json", "ship1.json"},
        {"a.ship.json", "a.ship.json"}, {"a.txt", "a.txt.ship.json"},      {".json", ".json"},
        {"a.SHIP", "a.SHIP.ship.json"},
    };
    for (const auto& [typed, file] : rows)
        EXPECT_EQ(velk::completeShipFileName(typed), file) << typed;
}

class ShipFolderTest : public velk_test::TempFolderTest {};

void fill(ShipEntry& ship)
{
    ship.insertPoint(0, 0, 0);
    ship.insertPoint(1, 0, 0);
    ship.insertPoint(0, 1, 0);
    ship.insertPart(1, {0.5f, 0.5f});
    ship.setTextureFile("plates.png");
    ship.setColor({1, 2, 3, 255});
}

TEST_F(ShipFolderTest, AFailedLoadLeavesTheShipAsItWas)
{
    velk_test::writeFile(folder / "truncated.ship.json", "{\"Points\": [[0, 0], [1");
    velk_test::writeFile(folder / "array.ship.json", "[1, 2, 3]");
    velk_test::writeFile(folder / "empty.ship.json", "");
    const char* files[] = {"truncated.ship.json", "array.ship.json", "empty.ship.json", "missing.ship.json"};
    for (const char* file : files) {
        ShipEntry ship;
        fill(ship);
        velk_test::LogCapture log;
        EXPECT_FALSE(velk::loadShipInto(ship, (folder / file).string())) << file;
        EXPECT_FALSE(log.lines().empty()) << file;
        EXPECT_EQ(ship.pointSet().getResources().size(), 3u) << file;
        EXPECT_EQ(ship.partSet().getResources().size(), 1u) << file;
        EXPECT_EQ(ship.getTextureFile(), "plates.png") << file;
        EXPECT_EQ(ship.getColor(), velk::backend::ShipColor(1, 2, 3, 255)) << file;
    }
}

TEST_F(ShipFolderTest, AGoodLoadReplacesEverything)
{
    ShipEntry saved;
    saved.insertPoint(-1, -1, 0);
    saved.insertPoint(1, -1, 0);
    saved.insertPoint(1, 1, 0);
    saved.insertPoint(-1, 1, 0);
    saved.setTextureFile("ribs.png");
    ASSERT_TRUE(saved.saveToFile((folder / "good.ship.json").string()));

    ShipEntry ship;
    fill(ship);
    EXPECT_TRUE(velk::loadShipInto(ship, (folder / "good.ship.json").string()));
    EXPECT_EQ(ship.pointSet().getResources().size(), 4u);
    EXPECT_TRUE(ship.partSet().getResources().empty());
    EXPECT_EQ(ship.getTextureFile(), "ribs.png");
    EXPECT_EQ(ship.getColor(), velk::backend::ShipColor::White);
}

TEST(ShipCopyTest, CopyKeepsUnknownPartsAndProperties)
{
    ShipEntry source;
    fill(source);
    velk::backend::PartEntry* unknown = source.insertPart(4000000, {2, 2});
    unknown->properties()["drillhead"] = "drillhead.wide";
    unknown->mirrorToX(true);
    ShipEntry copy;
    copy.insertPoint(9, 9, 0);
    velk::copyShip(source, copy);
    ASSERT_EQ(copy.partSet().getResources().size(), 2u);
    const velk::backend::PartEntry* kept = copy.partSet().getResources()[1];
    EXPECT_EQ(kept->getPartId(), 4000000u);
    EXPECT_TRUE(kept->isMirroredX());
    EXPECT_EQ(kept->properties().at("drillhead"), "drillhead.wide");
    EXPECT_EQ(copy.pointSet().getResources().size(), 3u);
    EXPECT_EQ(copy.getTextureFile(), "plates.png");
}

} // namespace
