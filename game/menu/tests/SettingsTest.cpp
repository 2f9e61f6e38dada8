// The settings window: lists built from the values in effect, changes stored
// at once, volumes once per frame, tooltips in the status bar, and the
// language list.

#include "game/menu/MainMenuState.hpp"
#include "game/menu/tests/MenuTestSupport.hpp"

#include "app/GraphicsSubSettings.hpp"
#include "app/Language.hpp"
#include "app/Resolution.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/LogCapture.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Window/Event.hpp>

#include <memory>

namespace {

using velk::MainMenuState;
using velk_test::guiRoot;

class SettingsTest : public velk_test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        velk_test::writeFile(MainMenuState::LangIniPath, "en");
        menu = velk_test::makeMenu(cursor);
        menu->onStateStart();
        velk_test::click(guiRoot()->getChild("ContentHolder/Content/OptionsButton"));
    }

    void TearDown() override
    {
        menu->onStateEnd();
        menu.reset();
        EngineFixture::TearDown();
    }

    CEGUI::Window* graphics(const char* path) const
    {
        return guiRoot()->getChild("Settings/Tabs/Graphics/__auto_container__")->getChild(path);
    }
    CEGUI::Window* audio(const char* path) const
    {
        return guiRoot()->getChild("Settings/Tabs/Audio/__auto_container__")->getChild(path);
    }
    SfmlFramework* sfml() const { return GameFramework::Singleton.getSfmlFramework(); }

    /// Every row of the settings table, to see that nothing was written.
    std::string allSettings() const
    {
        std::string text;
        for (const char* key :
             {"general.lang", "graphics.resolution", "graphics.fps", "graphics.fullscreen", "graphics.vsyncenabled",
              "graphics.fsaa", "graphics.colorblind", "audio.mainvolume", "audio.musicvolume", "audio.soundvolume"})
            text += std::string(key) + "=" + storedSetting(key) + ";";
        return text;
    }

    velk_test::GuiCursorSource cursor;
    std::shared_ptr<MainMenuState> menu;
};

TEST_F(SettingsTest, ListsShowTheValuesInEffect)
{
    auto* fps = static_cast<CEGUI::Combobox*>(graphics("Settings/FPS"));
    ASSERT_EQ(fps->getItemCount(), 3u);
    const char* labels[] = {"30", "45", "60"};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(fps->getListboxItemFromIndex(i)->getText(), labels[i]);
    EXPECT_EQ(fps->getText(), "60");
    EXPECT_EQ(fps->getSelectedItem()->getTooltipText(), "60");

    auto* aa = static_cast<CEGUI::Combobox*>(graphics("Settings/AntiAliasing"));
    ASSERT_EQ(aa->getItemCount(), 7u);
    EXPECT_EQ(aa->getListboxItemFromIndex(6)->getText(), "32x");
    EXPECT_EQ(aa->getListboxItemFromIndex(6)->getID(), 32u);
    // Its drop-down list holds every level whole.
    EXPECT_GE(aa->getDropList()->getListRenderArea().getHeight(),
              7 * aa->getListboxItemFromIndex(6)->getPixelSize().d_height);
    EXPECT_EQ(aa->getText(), "0x");

    // No display here, so no fullscreen modes: the box still shows the size in effect.
    const std::pair<unsigned, unsigned> size = GameFramework::Singleton.getGraphicsSettings()->getResolution();
    auto* resolution = static_cast<CEGUI::Combobox*>(graphics("Settings/Resolution"));
    ASSERT_EQ(resolution->getItemCount(), 1u);
    EXPECT_EQ(resolution->getText(), tools::res2str(size.first, size.second));
    EXPECT_NE(resolution->getSelectedItem(), nullptr);

    auto* colorblind = static_cast<CEGUI::Combobox*>(graphics("Settings/Colorblind"));
    ASSERT_EQ(colorblind->getItemCount(), 4u);
    EXPECT_EQ(colorblind->getListboxItemFromIndex(1)->getText(), "Protanopia");
    EXPECT_FALSE(graphics("Colorblind")->isVisible());

    EXPECT_FLOAT_EQ(static_cast<CEGUI::Slider*>(audio("Settings/Music"))->getCurrentValue(), 1.0f);
    EXPECT_EQ(velk_test::modalWindow(), guiRoot()->getChild("Settings"));
}

TEST_F(SettingsTest, DropListsFitTheScreenAgainWhenTheWindowIsMadeSmaller)
{
    // A window made again tells the engine its size as a resize.
    sf::Event resized;
    resized.type = sf::Event::Resized;
    resized.size = {1024, 320};
    GameFramework::Singleton.handleSfEvent(resized);
    for (const char* path : {"Settings/AntiAliasing", "Settings/Colorblind"}) {
        const CEGUI::Rectf box = graphics(path)->getUnclippedOuterRect().get();
        EXPECT_LE(box.bottom(), 320.0f) << path << " from " << box.top();
    }
}

TEST_F(SettingsTest, FrameRateIsStoredAtOnceAndLogged)
{
    velk_test::LogCapture log;
    ASSERT_TRUE(velk_test::acceptComboItem(graphics("Settings/FPS"), "30"));
    EXPECT_EQ(storedSetting("graphics.fps"), "30");
    EXPECT_EQ(sfml()->getFPS(), 30u);
    EXPECT_FLOAT_EQ(sfml()->getFrameTime(), 1.0f / 30.0f);
    EXPECT_EQ(log.count("[MainMenu] Setting changed: fps"), 1);
}

TEST_F(SettingsTest, GraphicsChoicesAreStoredAtOnce)
{
    ASSERT_TRUE(velk_test::acceptComboItem(graphics("Settings/AntiAliasing"), "4x"));
    EXPECT_EQ(storedSetting("graphics.fsaa"), "4");
    EXPECT_EQ(sfml()->getAntiAliasing(), 4u);

    ASSERT_TRUE(velk_test::acceptComboItem(graphics("Settings/Colorblind"), "Deuteranopia"));
    EXPECT_EQ(storedSetting("graphics.colorblind"), "2");
    EXPECT_EQ(sfml()->getColorblindType(), SfmlFramework::Deuteranopia);
    // Back to none: stored, and the preview stays until the next rebuild.
    ASSERT_TRUE(velk_test::acceptComboItem(graphics("Settings/Colorblind"), "None"));
    EXPECT_EQ(storedSetting("graphics.colorblind"), "0");
    EXPECT_TRUE(graphics("Colorblind")->isVisible());
    menu->initGui();
    EXPECT_FALSE(graphics("Colorblind")->isVisible());

    static_cast<CEGUI::ToggleButton*>(graphics("Settings/Vsync"))->setSelected(true);
    EXPECT_EQ(storedSetting("graphics.vsyncenabled"), "1");
    EXPECT_TRUE(sfml()->isVsyncEnabled());
}

TEST_F(SettingsTest, MissingSettingRowIsLoggedAndStillApplied)
{
    execute("DELETE FROM settings WHERE name = 'graphics.fps'");
    velk_test::LogCapture log;
    ASSERT_TRUE(velk_test::acceptComboItem(graphics("Settings/FPS"), "45"));
    EXPECT_TRUE(log.contains("[Settings] No row for \"graphics.fps\", value not stored"));
    EXPECT_EQ(sfml()->getFPS(), 45u);
}

TEST_F(SettingsTest, VolumesAreStoredOncePerFrameWithTheLastValue)
{
    auto* music = static_cast<CEGUI::Slider*>(audio("Settings/Music"));
    music->setCurrentValue(0.5f);
    music->setCurrentValue(0.25f);
    // Not before the frame's update.
    EXPECT_EQ(storedSetting("audio.musicvolume"), "100");
    menu->update();
    EXPECT_EQ(storedSetting("audio.musicvolume"), "25");
    EXPECT_FLOAT_EQ(sfml()->getMusicVolume(), 25.0f);
    EXPECT_FLOAT_EQ(menu->music().getVolume(), 25.0f);
    EXPECT_EQ(storedSetting("audio.mainvolume"), "100");

    static_cast<CEGUI::Slider*>(audio("Settings/Sound"))->setCurrentValue(0.75f);
    menu->update();
    EXPECT_EQ(storedSetting("audio.soundvolume"), "75");
}

TEST_F(SettingsTest, OpeningAndClosingWritesNothing)
{
    const std::string before = allSettings();
    velk_test::click(guiRoot()->getChild("Settings/Buttons/BackButton"));
    menu->update();
    velk_test::click(guiRoot()->getChild("ContentHolder/Content/OptionsButton"));
    menu->settingStepper().doBack();
    menu->update();
    EXPECT_EQ(allSettings(), before);
    EXPECT_EQ(velk_test::modalWindow(), guiRoot()->getChild("ContentHolder"));
}

TEST_F(SettingsTest, TooltipFollowsTheMouseOverLabelsAndControls)
{
    CEGUI::Window* status = guiRoot()->getChild("Settings/Status");
    for (const char* path : {"Labels/FPS", "Settings/FPS"}) {
        CEGUI::WindowEventArgs enter(graphics(path));
        graphics(path)->fireEvent(CEGUI::Window::EventMouseEntersArea, enter, CEGUI::Window::EventNamespace);
        EXPECT_EQ(status->getProperty("LeftText"), "Frame rate limit: how many pictures are drawn each second.");
        CEGUI::WindowEventArgs leave(graphics(path));
        graphics(path)->fireEvent(CEGUI::Window::EventMouseLeavesArea, leave, CEGUI::Window::EventNamespace);
        EXPECT_EQ(status->getProperty("LeftText"), "");
    }
}

TEST_F(SettingsTest, LanguageChoiceRebuildsOnTheOthersPage)
{
    CEGUI::Window* languages = guiRoot()->getChild("Settings/Tabs/Others/__auto_container__/Settings/Language");
    EXPECT_EQ(languages->getText(), "English");
    ASSERT_TRUE(velk_test::acceptComboItem(languages, "Magyar"));
    menu->update();
    EXPECT_EQ(velk_test::readFile(MainMenuState::LangIniPath), "hu");
    EXPECT_EQ(storedSetting("general.lang"), "hu");
    EXPECT_EQ(GameFramework::Singleton.getLanguage()->getActLangCode(), "hu");
    EXPECT_EQ(velk_test::modalWindow(), guiRoot()->getChild("Settings"));
    auto* tabs = static_cast<CEGUI::TabControl*>(guiRoot()->getChild("Settings/Tabs"));
    EXPECT_EQ(tabs->getTabContentsAtIndex(tabs->getSelectedTabIndex())->getName(), "Others");
    EXPECT_EQ(guiRoot()->getChild("Settings/Buttons/BackButton")->getText(), "Vissza");
}

} // namespace
