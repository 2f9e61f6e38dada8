#include "foundation/json/Parser.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using velk::backend::PartEntry;
using velk::backend::ShipColor;
using velk::backend::ShipEntry;
using V = math::Vector2<float>;
using Properties = std::map<std::string, std::string>;

const std::string kDataDir = VELK_TEST_DATA_DIR;

std::vector<V> outline(const ShipEntry& ship)
{
    std::vector<V> result;
    for (const auto* point : ship.pointSet().getResources())
        result.push_back(point->getPosition());
    return result;
}

const PartEntry& part(const ShipEntry& ship, std::size_t i)
{
    return *ship.partSet().getResources().at(i);
}

/// A ship with something in every field, to see what a load keeps.
void fillSample(ShipEntry& ship)
{
    ship.insertPoint(-1, -1, 0);
    ship.insertPoint(1, -1, 0);
    ship.insertPoint(0, 1, 0);
    PartEntry* jet = ship.insertPart(90001, 0.5f, -0.25f);
    jet->setRotation(0.75f);
    jet->setMirroredX(true);
    jet->properties()["drillhead"] = "fej.gyémánt";
    jet->properties()["név"] = "Ötvös \"Győző\" \\ / \t";
    ship.setTextureFile("rozsdás_lemez.png");
    ship.setTextureOffset(V(0.5f, -2));
    ship.setTextureScale(3);
    ship.setColor(ShipColor(10, 20, 30, 255));
}

/// Field-by-field equality of everything the file holds.
void expectSame(const ShipEntry& a, const ShipEntry& b)
{
    EXPECT_EQ(outline(a), outline(b));
    ASSERT_EQ(a.partSet().getResources().size(), b.partSet().getResources().size());
    for (std::size_t i = 0; i < a.partSet().getResources().size(); ++i) {
        SCOPED_TRACE("part " + std::to_string(i));
        EXPECT_EQ(part(a, i).getPartId(), part(b, i).getPartId());
        EXPECT_EQ(part(a, i).getPosition(), part(b, i).getPosition());
        EXPECT_EQ(part(a, i).getRotation(), part(b, i).getRotation());
        EXPECT_EQ(part(a, i).isMirroredX(), part(b, i).isMirroredX());
        EXPECT_EQ(part(a, i).properties(), part(b, i).properties());
    }
    EXPECT_EQ(a.getTextureFile(), b.getTextureFile());
    EXPECT_EQ(a.getTextureOffset(), b.getTextureOffset());
    EXPECT_EQ(a.getTextureScale(), b.getTextureScale());
    EXPECT_EQ(a.getColor(), b.getColor());
}

void expectEmpty(const ShipEntry& ship)
{
    EXPECT_TRUE(ship.pointSet().getResources().empty());
    EXPECT_TRUE(ship.partSet().getResources().empty());
    EXPECT_EQ(ship.getTextureFile(), "");
    EXPECT_EQ(ship.getTextureOffset(), V());
    EXPECT_EQ(ship.getTextureScale(), 1.0f);
    EXPECT_EQ(ship.getColor(), ShipColor::White);
}

TEST(ShipEntryFile, LenientReadingOfEachMember)
{
    struct Case {
        const char* text;
        std::function<void(const ShipEntry&)> check;
    };
    const std::vector<Case> cases = {
        {R"({"Points": {"X": [0, 1, 2], "Y": [0, 1], "R": [0, 0, 0]}, "Parts": [{"Id": 1}],
             "Texture": {"File": "a.png"}, "Color": [1, 2, 3]})",
         [](const ShipEntry& s) {
             EXPECT_TRUE(outline(s).empty());
             EXPECT_EQ(s.partSet().getResources().size(), 1u);
             EXPECT_EQ(s.getTextureFile(), "a.png");
             EXPECT_EQ(s.getColor(), ShipColor(1, 2, 3));
         }},
        {R"({"Points": {"X": [0, 1], "Y": [0, 1]}})", [](const ShipEntry& s) { EXPECT_TRUE(outline(s).empty()); }},
        {R"({"Points": {"X": [], "Y": [], "R": []}})", [](const ShipEntry& s) { EXPECT_TRUE(outline(s).empty()); }},
        {R"({"Points": [[0, 0], [1, 0], [1, 1]]})", [](const ShipEntry& s) { EXPECT_TRUE(outline(s).empty()); }},
        {R"({"Points": {"X": [0, "1", 2.5, null, 1e300], "Y": [-1, 2, true, 4, 5], "R": [0.3, 7, 0, 0, 0]}})",
         [](const ShipEntry& s) {
             EXPECT_EQ(outline(s), (std::vector<V>{{0, -1}, {0, 2}, {2.5f, 0}, {0, 4}, {0, 5}}));
             for (const auto* point : s.pointSet().getResources())
                 EXPECT_EQ(point->getRoundness(), 0.0f);
         }},
        {R"({"Parts": [{"Id": 7.9}, {"Id": -1}, {"Id": -2.7}, {"Id": 4294967298}, {}, {"Id": "7"}, 5, null,
                       {"Id": 1e30}]})",
         [](const ShipEntry& s) {
             ASSERT_EQ(s.partSet().getResources().size(), 4u);
             EXPECT_EQ(part(s, 0).getPartId(), 7u);
             EXPECT_EQ(part(s, 1).getPartId(), 4294967295u);
             EXPECT_EQ(part(s, 2).getPartId(), 4294967294u);
             EXPECT_EQ(part(s, 3).getPartId(), 2u);
         }},
        {R"({"Parts": [{"Id": 1, "Transform": {"X": 2, "Y": -3.5, "R": 1.25, "M": 1}},
                       {"Id": 2, "Transform": {"X": "2", "M": true}},
                       {"Id": 3, "Transform": [1, 2, 3, true]}]})",
         [](const ShipEntry& s) {
             ASSERT_EQ(s.partSet().getResources().size(), 3u);
             EXPECT_EQ(part(s, 0).getPosition(), V(2, -3.5f));
             EXPECT_EQ(part(s, 0).getRotation(), 1.25f);
             EXPECT_FALSE(part(s, 0).isMirroredX());
             EXPECT_EQ(part(s, 1).getPosition(), V());
             EXPECT_TRUE(part(s, 1).isMirroredX());
             EXPECT_FALSE(part(s, 1).isMirroredY());
             EXPECT_EQ(part(s, 2).getPosition(), V());
             EXPECT_EQ(part(s, 2).getRotation(), 0.0f);
             EXPECT_FALSE(part(s, 2).isMirroredX());
         }},
        {R"({"Parts": [{"Id": 1, "Properties": {"zeta": "z", "drillhead": "fúró.fej", "count": 3, "alfa": "",
                                                "list": ["a"]}}, {"Id": 2, "Properties": "drillhead"}]})",
         [](const ShipEntry& s) {
             ASSERT_EQ(s.partSet().getResources().size(), 2u);
             EXPECT_EQ(part(s, 0).properties(), (Properties{{"alfa", ""}, {"drillhead", "fúró.fej"}, {"zeta", "z"}}));
             EXPECT_TRUE(part(s, 1).properties().empty());
         }},
        {R"({"Parts": {"Id": 1}})", [](const ShipEntry& s) { EXPECT_TRUE(s.partSet().getResources().empty()); }},
        {R"({"Texture": {"File": "lemez.png"}})",
         [](const ShipEntry& s) {
             EXPECT_EQ(s.getTextureFile(), "lemez.png");
             EXPECT_EQ(s.getTextureOffset(), V());
             EXPECT_EQ(s.getTextureScale(), 1.0f);
         }},
        {R"({"Texture": {"File": 5, "Offset": {"X": 2}, "Scale": "big"}})",
         [](const ShipEntry& s) {
             EXPECT_EQ(s.getTextureFile(), "");
             EXPECT_EQ(s.getTextureOffset(), V(2, 0));
             EXPECT_EQ(s.getTextureScale(), 1.0f);
         }},
        {R"({"Texture": "lemez.png", "Color": "red"})",
         [](const ShipEntry& s) {
             EXPECT_EQ(s.getTextureFile(), "");
             EXPECT_EQ(s.getColor(), ShipColor::White);
         }},
        {R"({"Color": [300, -1, 12.9]})", [](const ShipEntry& s) { EXPECT_EQ(s.getColor(), ShipColor(44, 255, 12)); }},
        {R"({"Color": [10]})", [](const ShipEntry& s) { EXPECT_EQ(s.getColor(), ShipColor(10, 255, 255)); }},
        {R"({"Color": ["x", -1.5, 70000.5, 4, 5]})",
         [](const ShipEntry& s) { EXPECT_EQ(s.getColor(), ShipColor(255, 255, 0)); }},
        {R"({"unknown": 1, "Points": {"X": [1], "Y": [2], "R": [0], "extra": 4}})",
         [](const ShipEntry& s) {
             EXPECT_EQ(outline(s), (std::vector<V>{{1, 2}}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ShipEntry ship;
        ship.setColor(ShipColor(1, 1, 1, 9));
        ASSERT_TRUE(ship.loadFromString(c.text));
        c.check(ship);
        if (ship.getColor() != ShipColor::White) {
            EXPECT_EQ(ship.getColor().a, 255) << "a load starts from white; the file holds no alpha";
        }
    }
}

TEST(ShipEntryFile, FailedLoadLeavesTheShipAsItWasAndLogsOnce)
{
    const std::vector<std::string> texts = {"",   "   ",      "{",    R"({"Points": {"X": [1, 2)", "[1, 2]",
                                            "42", "\"hajó\"", "null", R"({"Color" [1]})"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        ShipEntry ship;
        fillSample(ship);
        ShipEntry reference;
        fillSample(reference);
        velk_test::LogCapture log;
        EXPECT_FALSE(ship.loadFromString(text));
        expectSame(ship, reference);
        EXPECT_EQ(log.count("[ShipEntry] Cannot load ship from text"), 1) << log.text();
        EXPECT_EQ(log.lines().size(), 1u);

        std::istringstream stream(text);
        EXPECT_FALSE(ship.loadFromStream(stream));
        expectSame(ship, reference);
    }
}

TEST(ShipEntryFile, FromJsonReplacesAPresentOutlineAndAppendsParts)
{
    ShipEntry ship;
    fillSample(ship);
    const PartEntry* first = &part(ship, 0);
    ship.fromJson(json::parseFromString(R"({"Points": 3, "Parts": [{"Id": 5}]})"));
    EXPECT_TRUE(outline(ship).empty());
    ASSERT_EQ(ship.partSet().getResources().size(), 2u);
    EXPECT_EQ(&part(ship, 0), first);
    EXPECT_EQ(part(ship, 1).getPartId(), 5u);
    EXPECT_EQ(ship.getTextureFile(), "rozsdás_lemez.png");

    // No "Points" member: the outline stays. A value that is not an object changes nothing.
    ship.insertPoint(4, 4, 0);
    ship.fromJson(json::parseFromString(R"({"Parts": []})"));
    ship.fromJson(json::Value(std::vector<json::Value>{json::Value(1LL)}));
    EXPECT_EQ(outline(ship), (std::vector<V>{{4, 4}}));
    EXPECT_EQ(ship.partSet().getResources().size(), 2u);

    // A load, unlike fromJson, starts from a cleared ship.
    ASSERT_TRUE(ship.loadFromString("{}"));
    expectEmpty(ship);
}

TEST(ShipEntryFile, JsonRoundTripIsExactAndTextKeepsSixDigits)
{
    ShipEntry original;
    fillSample(original);
    original.insertPart(4294967295u, -1e-7f, 123.456789f);
    original.setColor(ShipColor(10, 20, 30, 17));

    ShipEntry copy;
    copy.fromJson(original.toJson());
    original.setColor(ShipColor(10, 20, 30, 255)); // alpha is not in the file
    expectSame(copy, original);

    std::string text;
    ASSERT_TRUE(original.saveToString(text));
    ShipEntry reread;
    ASSERT_TRUE(reread.loadFromString(text));
    ASSERT_EQ(reread.partSet().getResources().size(), 2u);
    EXPECT_EQ(part(reread, 1).getPartId(), 4294967295u);
    EXPECT_FLOAT_EQ(part(reread, 1).getPosition().x, -1e-7f);
    EXPECT_EQ(part(reread, 1).getPosition().y, 123.457f);
    EXPECT_EQ(part(reread, 0).getRotation(), 0.75f);
    EXPECT_EQ(part(reread, 0).properties(), part(original, 0).properties());
    EXPECT_EQ(reread.getTextureFile(), "rozsdás_lemez.png");

    std::string again;
    ASSERT_TRUE(reread.saveToString(again));
    EXPECT_EQ(again, text);
}

TEST(ShipEntryFile, WriterLayoutOfAnEmptyShipAndAFailedStream)
{
    ShipEntry ship;
    std::string text;
    ASSERT_TRUE(ship.saveToString(text));
    EXPECT_EQ(text, "{\n\t\"Color\" : [255, 255, 255],\n\t\"Parts\" : [],\n\t\"Points\" : {\n\t\"R\" : [],\n"
                    "\t\"X\" : [],\n\t\"Y\" : []\n},\n\t\"Texture\" : {\n\t\"File\" : \"\",\n\t\"Offset\" : {\n"
                    "\t\"X\" : 0,\n\t\"Y\" : 0\n},\n\t\"Scale\" : 1\n}\n}");

    std::ostringstream stream;
    EXPECT_TRUE(ship.saveToStream(stream));
    EXPECT_EQ(stream.str(), text);
    stream.setstate(std::ios::badbit);
    EXPECT_FALSE(ship.saveToStream(stream));
}

TEST(ShipEntryFile, ShippedTestFilesWithHungarianNames)
{
    ShipEntry ship;
    velk_test::LogCapture log;
    ASSERT_TRUE(ship.loadFromFile(kDataDir + "/fúrós_hajó.ship.json"));
    EXPECT_TRUE(log.lines().empty()) << log.text();
    EXPECT_EQ(outline(ship), (std::vector<V>{{0, 0}, {4, 0}, {4, 2}, {0, 2}}));
    ASSERT_EQ(ship.partSet().getResources().size(), 2u);
    EXPECT_EQ(part(ship, 0).getPartId(), 90002u);
    EXPECT_EQ(part(ship, 0).getPosition(), V(-1.5f, 0.25f));
    EXPECT_EQ(part(ship, 0).getRotation(), 1.5708f);
    EXPECT_TRUE(part(ship, 0).isMirroredX());
    EXPECT_EQ(part(ship, 0).properties(),
              (Properties{{"drillhead", "fej.gyémánt"}, {"megjegyzés", "árvíztűrő tükörfúrógép"}}));
    EXPECT_EQ(part(ship, 1).getPartId(), 123456u);
    EXPECT_EQ(ship.getTextureFile(), "rozsdás_lemez.png");
    EXPECT_EQ(ship.getTextureOffset(), V(0.5f, -0.25f));
    EXPECT_EQ(ship.getTextureScale(), 2.0f);
    EXPECT_EQ(ship.getColor(), ShipColor(200, 120, 40));

    // The file is in the writer's own layout, so writing it back gives the same bytes.
    std::string text;
    ASSERT_TRUE(ship.saveToString(text));
    EXPECT_EQ(text + "\n", velk_test::readFile(kDataDir + "/fúrós_hajó.ship.json"));

    // A truncated copy: refused, named in the log, the ship unchanged.
    EXPECT_FALSE(ship.loadFromFile(kDataDir + "/csonka.ship.json"));
    EXPECT_TRUE(log.contains("[ShipEntry] Cannot load ship file '" + kDataDir + "/csonka.ship.json': Json parse error"))
        << log.text();
    EXPECT_EQ(ship.partSet().getResources().size(), 2u);
    EXPECT_EQ(outline(ship).size(), 4u);
}

class ShipEntryFileOnDisk : public velk_test::TempFolderTest {};

TEST_F(ShipEntryFileOnDisk, SaveReplacesAtomicallyAndLoadsBack)
{
    ShipEntry ship;
    fillSample(ship);
    const std::string path = (folder / "új hajó.ship.json").string();
    velk_test::writeFile(path, "old content");
    ASSERT_TRUE(ship.saveToFile(path));
    EXPECT_EQ(temp.names(), std::vector<std::string>{"új hajó.ship.json"});

    ShipEntry loaded;
    loaded.insertPoint(9, 9, 0);
    ASSERT_TRUE(loaded.loadFromFile(path));
    expectSame(loaded, ship);
}

TEST_F(ShipEntryFileOnDisk, UnwritableOrUnreadablePathsFailWithALogLineNamingTheFile)
{
    ShipEntry ship;
    fillSample(ship);
    velk_test::LogCapture log;
    const std::string missingFolder = (folder / "nincs" / "hajó.ship.json").string();
    EXPECT_FALSE(ship.saveToFile(missingFolder));
    EXPECT_TRUE(log.contains("[ShipEntry] Cannot write ship file '" + missingFolder + "'")) << log.text();
    EXPECT_FALSE(ship.saveToFile(folder.string()));
    EXPECT_FALSE(ship.saveToFile(""));
    EXPECT_TRUE(temp.names().empty());

    ShipEntry reference;
    fillSample(reference);
    EXPECT_FALSE(ship.loadFromFile(missingFolder));
    EXPECT_TRUE(log.contains("[ShipEntry] Cannot open ship file '" + missingFolder + "'")) << log.text();
    EXPECT_FALSE(ship.loadFromFile(folder.string()));
    EXPECT_TRUE(log.contains("'" + folder.string() + "'"));
    velk_test::writeFile(folder / "üres.ship.json", "");
    EXPECT_FALSE(ship.loadFromFile((folder / "üres.ship.json").string()));
    expectSame(ship, reference);
}

} // namespace
