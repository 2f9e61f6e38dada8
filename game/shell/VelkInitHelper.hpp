#pragma once

#include "engine/GameFrameworkDefaultInitHelper.hpp"

namespace velk {

/// The game's start-up values: its database, window title and icon, GUI folder
/// and GUI log. Before anything starts it makes the folders the game writes
/// to and brings the database up to date; at the end it loads the part
/// catalogue. Everything else comes from the graphics settings through the
/// default helper.
class VelkInitHelper : public GameFrameworkDefaultInitHelper {
public:
    VelkInitHelper();
    ~VelkInitHelper() override;

    /// Creates "log", "data" and "data/gui" (with missing parents); throws
    /// std::filesystem::filesystem_error when one cannot be made. Then
    /// creates or updates the database from "data/velk.sql" (app::DatabaseSeeder),
    /// keeping the player's settings and scores.
    void preInit() override;
    /// Loads the part catalogue from the engine's database.
    void postInit() override;

    std::string getDatabasePath() override;
    std::string getWindowTitle() override;
    std::string getWindowIconPath() override;
    CEGUI::String getCeguiLogPath() override;
    std::string getCeguiResourceFolderPath() override;
};

} // namespace velk
