#include "game/mapper/Tools.hpp"
#include "game/mapper/MapperInput.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace dunnix;

TEST(Tools, StartsOnFullGroundBrushOneAndUnsaved)
{
    const Tools tools;
    EXPECT_EQ(tools.getTileType(), 1);
    EXPECT_EQ(tools.getBrushSize(), 1);
    EXPECT_TRUE(tools.isDirty());
}

TEST(Tools, StoresValuesAsGiven)
{
    Tools tools;
    for (int code = 0; code <= 255; ++code) {
        tools.setTileType(static_cast<unsigned char>(code));
        EXPECT_EQ(tools.getTileType(), code);
    }
    for (int size : {-7, 0, 1, 20, 1000}) {
        tools.setBrushSize(size);
        EXPECT_EQ(tools.getBrushSize(), size);
    }
    tools.setDirty(false);
    tools.setDirty(false);
    EXPECT_FALSE(tools.isDirty());
    tools.setDirty(true);
    EXPECT_TRUE(tools.isDirty());
}

TEST(MapperInput, SpinnerValuesAreClampedBeforeConversion)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        unsigned int mapSize;
        float tileSize;
        unsigned int tilesPerTexture;
        int brush;
    } cases[] = {
        {-5.0, 0, 0.1f, 1, 1},          {0.0, 0, 0.1f, 1, 1},          {0.05, 0, 0.1f, 1, 1},
        {1.0, 1, 1.0f, 1, 1},           {3.7, 3, 3.7f, 3, 3},          {10.2, 10, 10.2f, 10, 10},
        {10.9, 10, 10.9f, 10, 10},      {64.5, 64, 64.5f, 64, 20},     {2048.9, 2048, 100.0f, 2048, 20},
        {1e12, 4096, 100.0f, 4096, 20}, {inf, 4096, 100.0f, 4096, 20}, {-inf, 0, 0.1f, 1, 1},
        {nan, 0, 0.1f, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(spinnerToUnsigned(c.value, MapSizeRange), c.mapSize) << c.value;
        EXPECT_FLOAT_EQ(spinnerToFloat(c.value, TileSizeRange), c.tileSize) << c.value;
        EXPECT_EQ(spinnerToUnsigned(c.value, TilesPerTextureRange), c.tilesPerTexture) << c.value;
        EXPECT_EQ(spinnerToInt(c.value, BrushSizeRange), c.brush) << c.value;
    }
}

TEST(MapperInput, OnlyBareFileNamesAreAccepted)
{
    const struct {
        const char* name;
        bool bare;
    } cases[] = {
        {"canyon", true},
        {"canyon.map.json", true},
        {"holdas pálya.map.json", true},
        {".hidden", true},
        {"a..b", true},
        {"", false},
        {".", false},
        {"..", false},
        {"../canyon", false},
        {"maps/canyon", false},
        {"/tmp/canyon", false},
        {"back\\slash", false},
        {"canyon/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isBareFileName(c.name), c.bare) << c.name;
    EXPECT_FALSE(isBareFileName(std::string("nul\0byte", 8)));
}

TEST(MapperInput, NamesWithoutTheJsonExtensionGetTheMapExtension)
{
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {
        {"canyon", "canyon.map.json"},           {"canyon.json", "canyon.json"},
        {"canyon.map.json", "canyon.map.json"},  {"canyon.map", "canyon.map.map.json"},
        {"canyon.JSON", "canyon.JSON.map.json"}, {"hegyek és völgyek", "hegyek és völgyek.map.json"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(completeMapFileName(c.typed), c.saved) << c.typed;
}
