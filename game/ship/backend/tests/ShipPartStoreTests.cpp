#include "TestCatalogue.hpp"

#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using velk::backend::ShipPart;
using velk::backend::ShipPartStore;
using V = math::Vector2<float>;

// A table "part" without keys or NOT NULL, as an old or hand-edited database may hold.
const char* const kLooseTable =
    "CREATE TABLE part (id INTEGER, code TEXT, image TEXT, body TEXT, category TEXT, shape TEXT)";

std::vector<std::string> codes(const std::vector<ShipPart*>& parts)
{
    std::vector<std::string> result;
    for (const ShipPart* part : parts)
        result.push_back(part->getCode());
    return result;
}

TEST(ShipPartStore, BodyAndShapeTextsAreReadAsNumbers)
{
    struct Case {
        const char* body;
        std::vector<V> points;
        const char* shape;
        V min, max;
    };
    const std::vector<Case> cases = {
        {"0 0 1 0 1 1", {{0, 0}, {1, 0}, {1, 1}}, "1 2 3 4", {1, 2}, {4, 6}},
        {"0 0 1", {{0, 0}}, "1 2", {1, 2}, {1, 2}},
        {"", {}, "1 2 3", {1, 2}, {1, 2}},
        {"1 2 x 3 4", {{1, 2}}, "5", {0, 0}, {0, 0}},
        {"  -0.5\t2.25\n3e1 -4 ", {{-0.5f, 2.25f}, {30, -4}}, "", {0, 0}, {0, 0}},
        {"szárny 1 2", {}, "-1.5 -2 3 4 99", {-1.5f, -2}, {1.5f, 2}},
    };
    velk_test::TestDatabase db(false);
    ASSERT_TRUE(db.exec(kLooseTable));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string row = "INSERT INTO part VALUES (" + std::to_string(i) + ", 'c', 'i', '" + cases[i].body +
                                "', 'jet', '" + cases[i].shape + "')";
        ASSERT_TRUE(db.exec(row)) << row;
    }
    ShipPartStore store;
    ASSERT_TRUE(store.loadFromDatabase(db.get()));
    ASSERT_EQ(store.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(std::string("body '") + cases[i].body + "', shape '" + cases[i].shape + "'");
        const ShipPart* part = store.getPartById(static_cast<unsigned int>(i));
        EXPECT_EQ(part->getBody(), cases[i].points);
        EXPECT_EQ(part->getShape().min, cases[i].min);
        EXPECT_EQ(part->getShape().max, cases[i].max);
    }
}

TEST(ShipPartStore, ShippedScriptPlusTestRowsGiveTheLookups)
{
    velk_test::TestDatabase db;
    ASSERT_TRUE(db.seeded());
    const std::size_t shipped = std::stoul(db.query("SELECT COUNT(*) FROM part"));
    ASSERT_TRUE(db.exec(shiptest::kTestRows));
    ASSERT_TRUE(db.exec("INSERT INTO part VALUES (90005, 'test.square', 'second', '', 'jet', '');"
                        "INSERT INTO part VALUES (90004, 'test.head', 'head', '0 0', 'drillhead', '')"));
    ShipPartStore store;
    velk_test::LogCapture log;
    ASSERT_TRUE(store.loadFromDatabase(db.get()));
    EXPECT_EQ(store.size(), shipped + 5);
    EXPECT_TRUE(log.contains("[ShipPartStore] " + std::to_string(shipped + 5) + " parts loaded"));

    const ShipPart* square = store.getPartById(90001);
    EXPECT_EQ(square->getId(), 90001u);
    EXPECT_EQ(square->getCode(), "test.square");
    EXPECT_EQ(square->getImage(), "square");
    EXPECT_EQ(square->getCategory(), "jet");
    EXPECT_EQ(square->getBody().size(), 4u);
    EXPECT_EQ(store.findPartById(90001), square);
    EXPECT_EQ(store.findPartById(shiptest::kUnknownId), nullptr);

    // Equal codes: the lower id wins.
    EXPECT_EQ(store.getPartByCode("test.square"), square);
    EXPECT_EQ(store.getPartByCode("test.SQUARE"), nullptr);
    EXPECT_EQ(store.getPartByCode(""), nullptr);
    // Categories list by id, so the test head comes after the shipped ones.
    const std::size_t shippedHeads = std::stoul(db.query("SELECT COUNT(*) FROM part WHERE category = 'drillhead'")) - 1;
    const std::vector<std::string> heads = codes(store.getPartsInCategory("drillhead"));
    ASSERT_EQ(heads.size(), shippedHeads + 1);
    EXPECT_EQ(heads.back(), "test.head");
    const std::vector<ShipPart*> jets = store.getPartsInCategory("jet");
    ASSERT_GE(jets.size(), 2u);
    for (std::size_t i = 1; i < jets.size(); ++i)
        EXPECT_LT(jets[i - 1]->getId(), jets[i]->getId());
    EXPECT_EQ(jets[jets.size() - 2]->getId(), 90001u);
    EXPECT_EQ(jets.back()->getId(), 90005u);
    EXPECT_TRUE(store.getPartsInCategory("Jet").empty());

    try {
        store.getPartById(shiptest::kUnknownId);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "map::at");
    }
}

TEST(ShipPartStore, LaterRowsAndLaterLoadsReplaceEqualIdsAndKeepTheRest)
{
    velk_test::TestDatabase db(false);
    ASSERT_TRUE(db.exec(kLooseTable));
    ASSERT_TRUE(db.exec("INSERT INTO part VALUES (3, 'first', '', '', 'jet', '');"
                        "INSERT INTO part VALUES (3, 'second', '', '', 'jet', '');"
                        "INSERT INTO part VALUES (4, 'other', '', '', 'lamp', '')"));
    ShipPartStore store;
    ASSERT_TRUE(store.loadFromDatabase(db.get()));
    // The row SQLite returns last (insertion order for a table without key).
    EXPECT_EQ(store.getPartById(3)->getCode(), "second");
    const ShipPart* kept = store.getPartById(4);

    ASSERT_TRUE(db.exec("DELETE FROM part; INSERT INTO part VALUES (3, 'third', '', '', 'jet', '')"));
    ASSERT_TRUE(store.loadFromDatabase(db.get()));
    EXPECT_EQ(store.size(), 2u);
    EXPECT_EQ(store.getPartById(3)->getCode(), "third");
    EXPECT_EQ(store.getPartById(4), kept);
}

TEST(ShipPartStore, NullColumnsReadAsEmptyText)
{
    velk_test::TestDatabase db(false);
    ASSERT_TRUE(db.exec(kLooseTable));
    ASSERT_TRUE(db.exec("INSERT INTO part (id) VALUES (7)"));
    ShipPartStore store;
    ASSERT_TRUE(store.loadFromDatabase(db.get()));
    const ShipPart* part = store.getPartById(7);
    EXPECT_EQ(part->getCode(), "");
    EXPECT_EQ(part->getImage(), "");
    EXPECT_EQ(part->getCategory(), "");
    EXPECT_TRUE(part->getBody().empty());
    EXPECT_EQ(part->getShape().min, V());
    EXPECT_EQ(part->getShape().max, V());
}

TEST(ShipPartStore, MissingTableOrConnectionLeavesTheCatalogueAndLogs)
{
    velk_test::TestDatabase filled(false);
    ASSERT_TRUE(filled.exec(kLooseTable));
    ASSERT_TRUE(filled.exec("INSERT INTO part VALUES (1, 'kept', '', '', 'jet', '')"));
    ShipPartStore store;
    ASSERT_TRUE(store.loadFromDatabase(filled.get()));

    velk_test::TestDatabase empty(false);
    velk_test::LogCapture log;
    EXPECT_FALSE(store.loadFromDatabase(empty.get()));
    EXPECT_TRUE(log.contains("[ShipPartStore] Cannot read table 'part': no such table: part")) << log.text();
    EXPECT_FALSE(store.loadFromDatabase(nullptr));
    EXPECT_EQ(log.count("[ShipPartStore]"), 2);
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(store.getPartById(1)->getCode(), "kept");

    // A table without the catalogue's columns is no catalogue either.
    ASSERT_TRUE(empty.exec("CREATE TABLE part (id INTEGER, name TEXT); INSERT INTO part VALUES (5, 'x')"));
    EXPECT_FALSE(store.loadFromDatabase(empty.get()));
    EXPECT_TRUE(log.contains("no such column")) << log.text();
    EXPECT_EQ(store.size(), 1u);
}

} // namespace
