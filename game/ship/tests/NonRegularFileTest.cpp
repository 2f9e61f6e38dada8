// Every file reader of the game refuses what is not a regular file: a named pipe
// would block it for ever and a device such as /dev/zero would never end. A
// reader that hangs fails this test by its time limit.

#include "app/DatabaseSeeder.hpp"
#include "foundation/json/Parser.hpp"
#include "foundation/tools/RegularFile.hpp"
#include "framework/cegui/CeguiPictureImage.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/fx/MusicStream.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "physics/B2Scene.hpp"
#include "physics/CBitmap.hpp"

#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/gui/CeguiNullFixture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace {

TEST(NonRegularFileTest, EveryReaderRefusesPipesDevicesAndFolders)
{
    const velk_test::TempFolder temp;
    const std::string pipe = (temp / "Győző.obj.json").string();
    const std::string device = (temp / "Éva Őrs.bmp").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", device);
    // Pictures for the GUI go to a running one.
    velk_test::NullInitHelper guiHelper(velk_test::guiDataFolder(), (temp / "gui.log").string());
    CeguiFramework gui;
    gui.init(&guiHelper);
    ASSERT_TRUE(gui.isInitialised());

    bool (*const readers[])(const std::string&) = {
        [](const std::string& path) {
            try {
                json::parseFromFile(path);
                return true;
            } catch (const json::ParseException&) {
                return false;
            }
        },
        [](const std::string& path) { return velk::backend::ShipEntry().loadFromFile(path); },
        [](const std::string& path) {
            B2Scene scene;
            std::string error;
            return scene.readFromFile(path.c_str(), error) != nullptr;
        },
        [](const std::string& path) { return CBitmap().Load(path.c_str()); },
        [](const std::string& path) { return fx::AssetLoading<sf::Texture>::load(path) != nullptr; },
        [](const std::string& path) { return fx::AssetLoading<sf::SoundBuffer>::load(path) != nullptr; },
        [](const std::string& path) { return fx::AssetLoading<sf::Font>::load(path) != nullptr; },
        [](const std::string& path) { return fx::MusicStream().open(path); },
        [](const std::string& path) { return fx::loadShader(path, sf::Shader::Fragment) != nullptr; },
        [](const std::string& path) {
            std::string script;
            return app::DatabaseSeeder::readScript(path, script);
        },
        [](const std::string& path) {
            try {
                addImageFromPictureFile("Preview", path);
                return true;
            } catch (const CEGUI::Exception&) {
                return false;
            }
        },
    };
    for (const auto& reader : readers)
        for (const std::string& path : {pipe, device, temp.getPath().string()}) {
            velk_test::LogCapture logs;
            EXPECT_FALSE(reader(path)) << "reader " << &reader - readers << ": " << path;
            EXPECT_TRUE(logs.contains("'" + path + "': not a regular file")) << logs.text();
        }
}

TEST(NonRegularFileTest, FilesBeyondTheCapAreRefused)
{
    const velk_test::TempFolder temp;
    const std::string path = (temp / "Győző.json").string();
    velk_test::writeFile(path, "[1, 2, 3]");
    std::string content;
    velk_test::LogCapture logs;
    EXPECT_FALSE(tools::readRegularFile(path, content, 8));
    EXPECT_TRUE(logs.contains("'" + path + "': larger than 8 bytes"));
    EXPECT_TRUE(tools::readRegularFile(path, content, 9));
    EXPECT_EQ(content, "[1, 2, 3]");
}

} // namespace
