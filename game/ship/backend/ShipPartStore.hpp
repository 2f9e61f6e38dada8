#pragma once

#include "game/ship/backend/ShipPart.hpp"

#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velk::backend {

/// The part catalogue: every kind of part a ship can carry, by id. Loaded once
/// at start-up, then only read (also from play mode's loading thread), so it
/// has no lock. Records stay at their addresses while they are in the store.
class ShipPartStore {
public:
    /// The game's catalogue; empty until start-up loads it.
    static ShipPartStore Singleton;

    ShipPartStore();
    virtual ~ShipPartStore();
    ShipPartStore(const ShipPartStore&) = delete;
    ShipPartStore& operator=(const ShipPartStore&) = delete;

    /// Adds the rows of the table "part", replacing records of equal id;
    /// records already there stay. NULL columns read as empty text. A missing
    /// connection or table, or an SQL error, is logged; the rows read before
    /// it stay. True when the whole table was read.
    bool loadFromDatabase(sqlite3* database);

    /// The record with that id; throws std::out_of_range ("map::at") when there is none.
    ShipPart* getPartById(unsigned int id) const;
    /// The record with that id, or null when there is none.
    ShipPart* findPartById(unsigned int id) const;
    /// The record of lowest id whose code equals `code` byte for byte, or null.
    ShipPart* getPartByCode(const std::string& code) const;
    /// Every record whose category equals `category` byte for byte, in id order.
    std::vector<ShipPart*> getPartsInCategory(const std::string& category) const;

    std::size_t size() const { return parts.size(); }

private:
    std::map<unsigned int, std::shared_ptr<ShipPart>> parts;
};

} // namespace velk::backend
