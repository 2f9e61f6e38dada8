// The editor's generated and written content: every translation code of its
// script and code in English and Hungarian, every catalogue part in the image
// maps and the inventory icons, every animation frame in the icon collection.

#include "game/editor/tests/EditorTestSupport.hpp"

#include "engine/SfImageMap.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "game/editor/GridPartElement.hpp"
#include "game/ship/backend/ShipPart.hpp"
#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/TempFolder.hpp"

#include <regex>
#include <set>

namespace {

namespace fs = std::filesystem;

class EditorContentTest : public velk_test::EditorFixture {
protected:
    /// The code's text in both languages; empty strings when the row is missing.
    std::pair<std::string, std::string> texts(const std::string& code) const
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(GameFramework::Singleton.getDatabase(), "SELECT en, hu FROM lang WHERE code = ?", -1,
                           &statement, nullptr);
        sqlite3_bind_text(statement, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        std::pair<std::string, std::string> result;
        if (sqlite3_step(statement) == SQLITE_ROW) {
            result.first = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            result.second = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        }
        sqlite3_finalize(statement);
        return result;
    }

    static std::set<std::string> matches(const std::string& text, const std::regex& pattern)
    {
        std::set<std::string> found;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
            found.insert((*it)[1].str());
        return found;
    }
};

TEST_F(EditorContentTest, EveryTranslationCodeHasBothLanguages)
{
    const fs::path source(VELK_SOURCE_DIR);
    std::set<std::string> codes = matches(velk_test::readFile(source / "data/gui/scripts/init_editor.lua"),
                                          std::regex("\"@([a-z0-9_.]+)\""));
    for (const auto& entry : fs::directory_iterator(source / "game/editor")) {
        if (entry.path().extension() == ".cpp") {
            for (const std::string& code : matches(velk_test::readFile(entry.path()),
                                                   std::regex("(?:editorText|showStatusMessage)\\(\"([a-z0-9_.]+)\"")))
                codes.insert(code);
        }
    }
    codes.insert("general.load");
    codes.insert("general.save");
    for (const velk::backend::ShipPart* part : velk::backend::ShipPartStore::Singleton.getPartsInCategory("drillhead"))
        codes.insert(part->getCode());
    EXPECT_GT(codes.size(), 30u);
    for (const std::string& code : codes) {
        const auto [en, hu] = texts(code);
        EXPECT_FALSE(en.empty()) << code;
        EXPECT_FALSE(hu.empty()) << code;
    }
}

TEST_F(EditorContentTest, EveryPartHasItsPicturesAndIcon)
{
    const auto& maps = velk::GridPartElement::imageMaps();
    // The shipped catalogue alone (other tests add rows to the game's one).
    velk::backend::ShipPartStore shipped;
    ASSERT_TRUE(shipped.loadFromDatabase(GameFramework::Singleton.getDatabase()));
    std::vector<velk::backend::ShipPart*> parts;
    for (const char* category : {"drill", "jet", "track", "antenna", "lamp", "cockpit", "drillhead"})
        for (velk::backend::ShipPart* part : shipped.getPartsInCategory(category))
            parts.push_back(part);
    ASSERT_EQ(parts.size(), shipped.size());
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    for (const velk::backend::ShipPart* part : parts) {
        const std::size_t map = part->getCategory() == "cockpit" ? 1 : 0;
        EXPECT_EQ(maps[map].images().count(part->getImage()), 1u) << part->getCode();
        EXPECT_EQ(maps[1 - map].images().count(part->getImage()), 0u) << part->getCode();
        const sf::IntRect rect = velk::GridPartElement::getTextureRectForPart(part);
        EXPECT_GT(rect.width, 0) << part->getCode();
        EXPECT_TRUE(images.isDefined("InventoryIcons/" + utf8ToCeguiString(part->getImage()))) << part->getCode();
    }
    EXPECT_TRUE(images.isDefined("InventoryIcons/Button_BG"));
    for (const SfImageMap& map : maps)
        EXPECT_TRUE(fs::exists(map.getImagePath())) << map.getImagePath();
}

TEST_F(EditorContentTest, EveryAnimationFrameAndTabIconExists)
{
    const std::string animations = velk_test::readFile(fs::path(VELK_SOURCE_DIR) /
                                                       "data/gui/animations/EditorAnimations.anim");
    const std::set<std::string> frames = matches(animations, std::regex("value=\"([^\"]+)\""));
    EXPECT_GT(frames.size(), 20u);
    for (const std::string& frame : frames)
        EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined(frame)) << frame;
    // Every tab button of the three tab controls names an animation that is there.
    for (const char* path : {"Center/View/Tabs", "Center/Inventory/PartsTabs", "Center/Inventory/OutfitTabs"}) {
        CEGUI::Window* buttons = window(path)->getChild("__auto_TabPane__Buttons");
        for (std::size_t i = 0; i < buttons->getChildCount(); ++i) {
            const CEGUI::String name = buttons->getChildAtIdx(i)->getProperty("Animation");
            EXPECT_TRUE(CEGUI::AnimationManager::getSingleton().isAnimationPresent(name)) << path << " " << i;
        }
    }
}

TEST_F(EditorContentTest, TheScreenStartsAgainAfterItEnded)
{
    editor->onStateEnd();
    EXPECT_FALSE(CEGUI::ImageManager::getSingleton().isDefined("EditorIcons/Builder0"));
    EXPECT_TRUE(editor->getControllers().empty());
    editor->onStateStart();
    EXPECT_TRUE(CEGUI::ImageManager::getSingleton().isDefined("EditorIcons/Builder0"));
    ASSERT_EQ(editor->getControllers().size(), 3u);
    EXPECT_TRUE(builder()->isActive());
    EXPECT_EQ(velk_test::guiRoot()->getChild("Center/Stats/ShipMenu/Exit")->getText(), "Exit");
}

} // namespace
