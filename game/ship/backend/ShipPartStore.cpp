#include "game/ship/backend/ShipPartStore.hpp"

#include "app/SqlText.hpp"
#include "foundation/tools/Log.hpp"

#include <string>

namespace velk::backend {

namespace {

const char* const kTag = "ShipPartStore";
// Bare column names: SQLite reads a double-quoted name that is not a column as
// a text literal, so a table without one of them would yield rows of names.
const char* const kSelect = "SELECT id, code, image, body, category, shape FROM part";

} // namespace

ShipPartStore ShipPartStore::Singleton;

ShipPartStore::ShipPartStore() = default;

ShipPartStore::~ShipPartStore() = default;

bool ShipPartStore::loadFromDatabase(sqlite3* database)
{
    if (!database) {
        tools::log(kTag, "No database, the part catalogue stays as it was");
        return false;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, kSelect, -1, &statement, nullptr) != SQLITE_OK) {
        tools::log(kTag, std::string("Cannot read table 'part': ") + sqlite3_errmsg(database));
        sqlite3_finalize(statement);
        return false;
    }
    std::size_t rows = 0;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        auto part = std::make_shared<ShipPart>();
        // Ids are stored as unsigned 32-bit values, as ship files store them.
        part->id = static_cast<unsigned int>(sqlite3_column_int64(statement, 0));
        part->code = app::columnText(statement, 1);
        part->image = app::columnText(statement, 2);
        part->body = ShipPart::parseBody(app::columnText(statement, 3));
        part->category = app::columnText(statement, 4);
        part->shape = ShipPart::parseShape(app::columnText(statement, 5));
        parts[part->id] = part;
        ++rows;
    }
    const bool complete = rc == SQLITE_DONE;
    if (!complete)
        tools::log(kTag,
                   "Reading table 'part' stopped after " + std::to_string(rows) + " rows: " + sqlite3_errmsg(database));
    sqlite3_finalize(statement);
    tools::log(kTag, std::to_string(rows) + " parts loaded, " + std::to_string(parts.size()) + " in the catalogue");
    return complete;
}

ShipPart* ShipPartStore::getPartById(unsigned int id) const
{
    return parts.at(id).get();
}

ShipPart* ShipPartStore::findPartById(unsigned int id) const
{
    const auto it = parts.find(id);
    return it == parts.end() ? nullptr : it->second.get();
}

ShipPart* ShipPartStore::getPartByCode(const std::string& code) const
{
    for (const auto& entry : parts) {
        if (entry.second->getCode() == code)
            return entry.second.get();
    }
    return nullptr;
}

std::vector<ShipPart*> ShipPartStore::getPartsInCategory(const std::string& category) const
{
    std::vector<ShipPart*> found;
    for (const auto& entry : parts) {
        if (entry.second->getCategory() == category)
            found.push_back(entry.second.get());
    }
    return found;
}

} // namespace velk::backend
