// Every generated asset exists and loads as the game loads it. The paths are
// the names the screens use; a missing or broken file fails here, not silently
// in the game.

#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "testsupport/TempFolder.hpp"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::string Data = std::string(VELK_SOURCE_DIR) + "/data/";

struct ImageAsset {
    const char* path;
    unsigned width, height; // drawn size
    bool opaque;
    bool tiled; // repeated across the window: its edges must meet
};

const ImageAsset Images[] = {
    {"velkors_icon.png", 64, 64, false, false},
    {"img/mainmenu/dunnnnnnnnix.png", 1024, 1024, true, true},
    {"img/mainmenu/stars.png", 768, 768, false, true},
    {"img/mainmenu/MainMenu_contentholder.png", 440, 620, false, false},
    {"gui/imagesets/MainMenu.png", 512, 256, false, false},
    {"gui/imagesets/GWEN.png", 64, 64, false, false},
    {"gui/imagesets/Ingame.png", 128, 64, false, false},
};

const char* const Tracks[] = {
    "mus/Menu - Dovidi.ogg",
    "mus/Editor - Dodazer Evezodi.ogg",
    "mus/Ingame - Blue Feather.ogg",
    "mus/Ingame - Lightless Dawn.ogg",
};

int channelStep(const sf::Color& a, const sf::Color& b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

/// Mean colour step between two columns (or rows) of the image.
double meanStep(const sf::Image& image, bool columns, unsigned first, unsigned second)
{
    const unsigned length = columns ? image.getSize().y : image.getSize().x;
    double sum = 0;
    for (unsigned k = 0; k < length; ++k) {
        sum += columns ? channelStep(image.getPixel(first, k), image.getPixel(second, k))
                       : channelStep(image.getPixel(k, first), image.getPixel(k, second));
    }
    return sum / length;
}

TEST(AssetFilesTest, ImagesLoadAtTheirDrawnSize)
{
    for (const ImageAsset& asset : Images) {
        SCOPED_TRACE(asset.path);
        sf::Image image;
        ASSERT_TRUE(image.loadFromFile(Data + asset.path));
        EXPECT_EQ(image.getSize(), sf::Vector2u(asset.width, asset.height));
        const sf::Vector2u size = image.getSize();
        bool allOpaque = true, someVisible = false;
        for (unsigned y = 0; y < size.y; y += 3) {
            for (unsigned x = 0; x < size.x; x += 3) {
                const sf::Uint8 alpha = image.getPixel(x, y).a;
                allOpaque = allOpaque && alpha == 255;
                someVisible = someVisible || alpha > 0;
            }
        }
        EXPECT_TRUE(someVisible);
        EXPECT_EQ(allOpaque, asset.opaque);
        if (asset.tiled) {
            // Across the seam the picture changes no more than between any
            // two neighbouring columns or rows inside it.
            const double insideColumns = std::max(meanStep(image, true, 0, 1),
                                                  meanStep(image, true, size.x - 2, size.x - 1));
            const double insideRows = std::max(meanStep(image, false, 0, 1),
                                               meanStep(image, false, size.y - 2, size.y - 1));
            EXPECT_LE(meanStep(image, true, size.x - 1, 0), 2 * insideColumns + 1) << "left and right edges";
            EXPECT_LE(meanStep(image, false, size.y - 1, 0), 2 * insideRows + 1) << "top and bottom edges";
        }
    }
}

/// How many pixels differ between two pictures of one size.
int differingPixels(const sf::Image& a, const sf::Image& b)
{
    int count = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            count += a.getPixel(x, y) != b.getPixel(x, y) ? 1 : 0;
    return count;
}

TEST(AssetFilesTest, LoadingFramesAreOneSmoothLoop)
{
    std::vector<sf::Image> frames(59);
    for (int i = 0; i < 59; ++i) {
        const std::string path = Data + "img/loading/Loading00" + (i <= 9 ? "0" : "") + std::to_string(i) + ".png";
        SCOPED_TRACE(path);
        ASSERT_TRUE(frames[i].loadFromFile(path));
        ASSERT_EQ(frames[i].getSize(), sf::Vector2u(160, 160));
        // Transparent around the picture, so the screen's background shows.
        EXPECT_EQ(frames[i].getPixel(0, 0).a, 0);
    }
    EXPECT_FALSE(std::filesystem::exists(Data + "img/loading/Loading0059.png"));
    // Every step moves the lamp, and the step from the last frame back to the
    // first is no bigger than the others: the loop has no jump.
    int largest = 0;
    for (int i = 1; i < 59; ++i) {
        const int step = differingPixels(frames[i - 1], frames[i]);
        EXPECT_GT(step, 20) << "frame " << i;
        largest = std::max(largest, step);
    }
    EXPECT_LE(differingPixels(frames[58], frames[0]), largest + largest / 4);
}

TEST(AssetFilesTest, MusicOpensAndLoopsWithoutAJump)
{
    for (const char* track : Tracks) {
        SCOPED_TRACE(track);
        sf::Music music;
        ASSERT_TRUE(music.openFromFile(Data + track));
        EXPECT_GE(music.getDuration().asSeconds(), 90.0f);
        EXPECT_LE(music.getDuration().asSeconds(), 180.0f);
        EXPECT_EQ(music.getChannelCount(), 2u);
        EXPECT_EQ(music.getSampleRate(), 44100u);

        // The step from the last sample back to the first is no bigger than
        // the steps within the second at either end of the track.
        sf::InputSoundFile file;
        ASSERT_TRUE(file.openFromFile(Data + track));
        const sf::Uint64 second = 2 * 44100;
        std::vector<sf::Int16> head(second), tail(second);
        ASSERT_EQ(file.read(head.data(), second), second);
        file.seek(file.getSampleCount() - second);
        ASSERT_EQ(file.read(tail.data(), second), second);
        int largestStep = 0, peak = 0;
        for (const std::vector<sf::Int16>* part : {&head, &tail}) {
            for (size_t i = 2; i < part->size(); ++i) {
                largestStep = std::max(largestStep, std::abs((*part)[i] - (*part)[i - 2]));
                peak = std::max(peak, std::abs(static_cast<int>((*part)[i])));
            }
        }
        EXPECT_GT(peak, 1000) << "sound at both ends";
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_LE(std::abs(head[channel] - tail[second - 2 + channel]), largestStep) << "channel " << channel;
        }
    }
}

class NullHelper : public CeguiFrameworkInitHelper {
public:
    explicit NullHelper(std::string log) : log(std::move(log)) {}
    void bootstrapCeguiRenderer() override { CEGUI::NullRenderer::bootstrapSystem(); }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(log.c_str()); }
    std::string getCeguiResourceFolderPath() override { return Data + "gui"; }

private:
    std::string log;
};

class AssetGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NullHelper helper((temp / "gui.log").string());
        gui.init(&helper);
        ASSERT_TRUE(gui.isInitialised());
    }
    void TearDown() override { gui.shutdown(); }

    velk_test::TempFolder temp;
    CeguiFramework gui;
};

TEST_F(AssetGuiTest, MainMenuImageCollectionLoadsWithEveryImageInsideItsTexture)
{
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    images.loadImageset("MainMenu.imageset");
    const CEGUI::Sizef atlas =
        CEGUI::System::getSingleton().getRenderer()->getTexture("MainMenu").getOriginalDataSize();
    EXPECT_EQ(atlas, CEGUI::Sizef(512, 256));

    // Every image of the file is defined, at its size, inside the texture;
    // the names the screens use are among them.
    const std::string imageset = velk_test::readFile(Data + "gui/imagesets/MainMenu.imageset");
    const std::regex entry(
        "<Image name=\"(\\w+)\" +xPos=\"(\\d+)\" yPos=\"(\\d+)\" width=\"(\\d+)\" height=\"(\\d+)\"");
    std::vector<std::string> names;
    for (auto it = std::sregex_iterator(imageset.begin(), imageset.end(), entry); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1];
        SCOPED_TRACE(name);
        const float x = std::stof((*it)[2]), y = std::stof((*it)[3]), w = std::stof((*it)[4]), h = std::stof((*it)[5]);
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
        EXPECT_LE(x + w, atlas.d_width);
        EXPECT_LE(y + h, atlas.d_height);
        const CEGUI::String full = ("MainMenu/" + name).c_str();
        ASSERT_TRUE(images.isDefined(full));
        EXPECT_EQ(images.get(full).getRenderedSize(), CEGUI::Sizef(w, h));
        names.push_back(name);
    }
    for (const char* used : {"Logo", "Emblem", "Divider", "ColorblindPreview"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), used), names.end()) << used;
    }
    // The menu destroys the collection when it ends and loads it again at its next start.
    images.destroyImageCollection("MainMenu", true);
    EXPECT_FALSE(images.isDefined("MainMenu/Logo"));
    images.loadImageset("MainMenu.imageset");
    EXPECT_TRUE(images.isDefined("MainMenu/Logo"));
}

TEST_F(AssetGuiTest, IngameImageCollectionHoldsTheCheckpoint)
{
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    images.loadImageset("Ingame.imageset");
    ASSERT_TRUE(images.isDefined("Ingame/Checkpoint"));
    EXPECT_EQ(images.get("Ingame/Checkpoint").getRenderedSize(), CEGUI::Sizef(64, 64));
    // The play screen destroys the collection when it ends; its script loads it again.
    images.destroyImageCollection("Ingame", true);
    EXPECT_FALSE(images.isDefined("Ingame/Checkpoint"));
    images.loadImageset("Ingame.imageset");
    EXPECT_TRUE(images.isDefined("Ingame/Checkpoint"));
}

TEST_F(AssetGuiTest, EveryFontFileTheSkinNamesIsInstalled)
{
    const std::regex file("filename=\"([^\"]+)\"");
    int fonts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Data + "gui/fonts")) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::string text = velk_test::readFile(entry.path());
        std::smatch match;
        ASSERT_TRUE(std::regex_search(text, match, file));
        EXPECT_TRUE(std::filesystem::is_regular_file(match[1].str())) << match[1];
        const std::string name = entry.path().stem().string();
        EXPECT_TRUE(CEGUI::FontManager::getSingleton().isDefined(name.c_str())) << "the skin loads " << name;
        ++fonts;
    }
    EXPECT_GE(fonts, 5);
}

} // namespace
