#pragma once

#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/app/TestDatabase.hpp"

#include <gtest/gtest.h>

namespace shiptest {

/// Catalogue rows for the tests, with ids far above the game's own rows.
/// 90001: the unit square; 90002: the single body point (1, 0); 90003: no body.
inline const char* const kTestRows =
    "INSERT INTO \"part\" (\"id\", \"code\", \"image\", \"body\", \"category\", \"shape\") VALUES"
    " (90001, 'test.square', 'square', '0 0 1 0 1 1 0 1', 'jet', '0 0 1 1'),"
    " (90002, 'test.point', 'point', '1 0', 'drill', '-1 -1 2 2'),"
    " (90003, 'test.nobody', 'nobody', '', 'lamp', '')";

/// An id no catalogue holds.
constexpr unsigned int kUnknownId = 123456;

/// Puts the test rows into the game's catalogue, once per test program, from
/// the shipped database script plus the rows above.
inline void loadTestCatalogue()
{
    static const bool loaded = [] {
        velk_test::TestDatabase db;
        EXPECT_TRUE(db.seeded());
        EXPECT_TRUE(db.exec(kTestRows));
        return velk::backend::ShipPartStore::Singleton.loadFromDatabase(db.get());
    }();
    ASSERT_TRUE(loaded);
}

} // namespace shiptest
