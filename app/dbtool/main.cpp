// Build step: creates or updates the game database from its SQL script.
// Usage: velk_dbtool <script.sql> <database.db>

#include "app/DatabaseSeeder.hpp"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cout << "[Database] Usage: velk_dbtool <script.sql> <database.db>" << std::endl;
        return 2;
    }
    return app::DatabaseSeeder::update(argv[1], argv[2]) ? 0 : 1;
}
