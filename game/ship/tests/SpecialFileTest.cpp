// Every file reader of the game refuses what is not a regular file: a named pipe
// would block it for ever and a device such as /dev/zero would never end. A
// reader that hangs fails this test by its time limit.

#include "foundation/json/Parser.hpp"
#include "foundation/tools/RegularFile.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "physics/B2Scene.hpp"
#include "physics/CBitmap.hpp"

#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>

namespace {

using Reader = std::function<bool(const std::string& path)>;

bool readsJson(const std::string& path)
{
    try {
        json::parseFromFile(path);
        return true;
    } catch (const json::ParseException&) {
        return false;
    }
}

bool readsShip(const std::string& path)
{
    return velk::backend::ShipEntry().loadFromFile(path);
}

bool readsScene(const std::string& path)
{
    B2Scene scene;
    std::string error;
    b2World world(b2Vec2(0.0f, -10.0f));
    return scene.readFromFile(path.c_str(), error, &world) != nullptr;
}

bool readsBitmap(const std::string& path)
{
    return CBitmap().Load(path.c_str());
}

bool readsTexture(const std::string& path)
{
    return fx::AssetLoading<sf::Texture>::load(path) != nullptr;
}

TEST(SpecialFileTest, EveryReaderRefusesPipesAndDevices)
{
    const velk_test::TempFolder temp;
    const std::string pipe = (temp / "Győző.obj.json").string();
    const std::string device = (temp / "Éva Őrs.bmp").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", device);

    const struct {
        const char* name;
        Reader read;
    } readers[] = {{"json", readsJson},
                   {"ship", readsShip},
                   {"scene", readsScene},
                   {"bitmap", readsBitmap},
                   {"texture", readsTexture}};
    for (const auto& reader : readers) {
        for (const std::string& path : {pipe, device, temp.getPath().string()}) {
            velk_test::LogCapture logs;
            EXPECT_FALSE(reader.read(path)) << reader.name << " " << path;
            EXPECT_TRUE(logs.contains("'" + path + "': not a regular file")) << reader.name << "\n" << logs.text();
        }
    }
}

TEST(SpecialFileTest, FilesBeyondTheCapAreRefused)
{
    const velk_test::TempFolder temp;
    const std::string path = (temp / "Győző.json").string();
    velk_test::writeFile(path, "[1, 2, 3]");
    std::string content = "earlier";
    velk_test::LogCapture logs;
    EXPECT_FALSE(tools::readRegularFile(path, content, 8));
    EXPECT_EQ(content, "earlier");
    EXPECT_TRUE(logs.contains("'" + path + "': larger than 8 bytes"));
    EXPECT_TRUE(tools::readRegularFile(path, content, 9));
    EXPECT_EQ(content, "[1, 2, 3]");
}

} // namespace
