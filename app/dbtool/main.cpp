// Build step: creates or updates the game database from its SQL script.
// Usage: velk_dbtool <script.sql> <database.db>

#include "app/DatabaseSeeder.hpp"

#include "foundation/tools/Log.hpp"

#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        tools::log("Database", "Usage: velk_dbtool <script.sql> <database.db>");
        return 2;
    }
    if (app::DatabaseSeeder::update(argv[1], argv[2]))
        return 0;
    // A player's database that cannot be updated (locked, out of reach) is kept
    // as it is and must not stop the build: the game tries again when it starts.
    std::error_code ec;
    if (std::filesystem::exists(argv[2], ec)) {
        tools::log("Database",
                   std::string("Warning: ") + argv[2] + " was left unchanged; remove it to get a fresh one");
        return 0;
    }
    return 1;
}
