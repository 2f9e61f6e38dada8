#pragma once

#include <sqlite3.h>

#include <string>

namespace app {

/// Brings a database up to the schema and shipped contents of an SQL script.
/// The script must be safe to run again on a database it has already seeded;
/// it runs inside one transaction, so a failure changes nothing.
class DatabaseSeeder {
public:
    /// Runs the script on an open connection; false (and a log line) on failure.
    static bool apply(sqlite3* database, const std::string& script);

    /// Reads a script file; false (and a log line) when it cannot be read.
    static bool readScript(const std::string& path, std::string& script);

    /// Applies the script file to the database file. An existing database is
    /// updated in place; a missing one is built under a temporary name and
    /// moved into place only when complete, never over a file that appeared
    /// meanwhile. A damaged file (one SQLite cannot read, that fails its quick
    /// check, or that the seeding finds malformed) is replaced by a fresh one
    /// holding the rows of the player's tables, settings and scores, that still
    /// read, and kept under the name "<database>.damaged-<date>-<time>";
    /// temporaries left by builds that were killed are removed.
    static bool update(const std::string& scriptPath, const std::string& databasePath);
};

} // namespace app
