#include "game/shell/VelkInitHelper.hpp"

#include "app/DatabaseSeeder.hpp"
#include "engine/GameFramework.hpp"
#include "game/ship/backend/ShipPartStore.hpp"

#include <filesystem>

namespace velk {

VelkInitHelper::VelkInitHelper() = default;

VelkInitHelper::~VelkInitHelper() = default;

void VelkInitHelper::preInit()
{
    // The throwing forms: a folder that cannot be made stops the start.
    std::filesystem::create_directories("log");
    std::filesystem::create_directories("data");
    std::filesystem::create_directories("data/gui");
    // Before the engine opens the database, which it would otherwise take as
    // it is: a missing one would come back empty, and every text would show
    // as its code. Settings and scores stay; a failure is logged and the
    // start goes on.
    app::DatabaseSeeder::update("data/velk.sql", getDatabasePath());
}

void VelkInitHelper::postInit()
{
    backend::ShipPartStore::Singleton.loadFromDatabase(GameFramework::Singleton.getDatabase());
}

std::string VelkInitHelper::getDatabasePath()
{
    return "data/velk.db";
}

std::string VelkInitHelper::getWindowTitle()
{
    return "Velkors";
}

std::string VelkInitHelper::getWindowIconPath()
{
    return "data/velkors_icon.png";
}

CEGUI::String VelkInitHelper::getCeguiLogPath()
{
    return "log/gui.log";
}

std::string VelkInitHelper::getCeguiResourceFolderPath()
{
    return "data/gui";
}

} // namespace velk
