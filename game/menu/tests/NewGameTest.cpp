// The new-game window on the null GUI renderer: the folder lists, rereading
// on every opening, Start with and without both selections, the start of the
// play screen, navigation, and the notice a failed game leaves for the menu.

#include "game/menu/MainMenuState.hpp"
#include "game/menu/tests/MenuTestSupport.hpp"
#include "game/play/PlayState.hpp"
#include "game/shell/FolderList.hpp"

#include "app/Main.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/engine/EngineTestSupport.hpp"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using velk::MainMenuState;
using velk_test::guiRoot;
using velk_test::modalWindow;

std::vector<std::string> itemTexts(const CEGUI::Listbox* list)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list->getItemCount(); ++i)
        texts.push_back(ceguiStringToUtf8(list->getListboxItemFromIndex(i)->getText()));
    return texts;
}

class NewGameTest : public velk_test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        // Folders of the test's own in place of the shipped ones.
        // No pictures either: making a texture needs a display.
        for (const char* name : {"ships", "map", "img"}) {
            fs::remove(runtime.path() / "data" / name);
            fs::create_directories(runtime.path() / "data" / name);
        }
        const fs::path objects = runtime.path() / "data" / "obj";
        const fs::path source = fs::read_symlink(objects);
        fs::remove(objects);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
            const fs::path target = objects / fs::relative(entry.path(), source);
            if (entry.is_directory())
                fs::create_directories(target);
            else if (entry.path().extension() != ".png")
                fs::copy_file(entry.path(), target);
        }
        velk_test::writeFile(runtime.path() / "lang.ini", "en");
    }

    void TearDown() override
    {
        app::Main::Singleton.popAllStates();
        if (menu && started)
            menu->onStateEnd();
        menu.reset();
        EngineFixture::TearDown();
    }

    void start()
    {
        menu = velk_test::makeMenu(cursor);
        menu->onStateStart();
        started = true;
    }

    void addFile(const char* folder, const char* name)
    {
        velk_test::writeFile(runtime.path() / "data" / folder / name, "{}");
    }

    static void select(CEGUI::Listbox* list, const std::string& text)
    {
        CEGUI::ListboxItem* item = list->findItemWithText(utf8ToCeguiString(text), nullptr);
        ASSERT_NE(item, nullptr) << text;
        list->setItemSelectState(item, true);
    }

    velk_test::GuiCursorSource cursor;
    std::shared_ptr<MainMenuState> menu;
    bool started = false;
};

TEST_F(NewGameTest, FolderListHoldsRegularFilesOfTheExtensionOnly)
{
    const fs::path folder = runtime.path() / "listing";
    fs::create_directories(folder / "x.json");
    for (const char* name : {"a.ship.json", "m.map.json", "notes.txt", "A.JSON", "json", ".json"})
        velk_test::writeFile(folder / name, "{}");
    fs::create_symlink(folder / "a.ship.json", folder / "linked.json");
    fs::create_symlink(folder / "gone.txt", folder / "dangling.json");

    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow("GWEN/Listbox", "TestList");
    auto* list = static_cast<CEGUI::Listbox*>(window);
    list->addItem(new CEGUI::ListboxTextItem("stale"));
    velk::updateListFromFolder(list, folder.string(), ".json");
    std::vector<std::string> names = itemTexts(list);
    std::sort(names.begin(), names.end());
    // ".json" is a name without an extension; links count by what they point at.
    EXPECT_EQ(names, (std::vector<std::string>{"a.ship.json", "linked.json", "m.map.json"}));
    for (std::size_t i = 0; i < list->getItemCount(); ++i) {
        const CEGUI::ListboxItem* item = list->getListboxItemFromIndex(i);
        EXPECT_EQ(item->getID(), 0u);
        EXPECT_EQ(item->getUserData(), nullptr);
        EXPECT_FALSE(item->isDisabled());
        EXPECT_TRUE(item->isAutoDeleted());
    }

    // A missing folder, or a file in its place, empties the list.
    velk::updateListFromFolder(list, (folder / "missing").string(), ".json");
    EXPECT_EQ(list->getItemCount(), 0u);
    velk::updateListFromFolder(list, (folder / "notes.txt").string(), ".txt");
    EXPECT_EQ(list->getItemCount(), 0u);
    velk::updateListFromFolder(nullptr, folder.string(), ".json");
    CEGUI::WindowManager::getSingleton().destroyWindow(window);
}

TEST_F(NewGameTest, OpeningRereadsTheFoldersInAlphabeticalOrder)
{
    addFile("ships", "Mole.ship.json");
    addFile("ships", "Dragonfly.ship.json");
    addFile("map", "canyon.map.json");
    start();
    menu->openNewWindow();
    EXPECT_EQ(modalWindow(), menu->getNewGameWindow());
    EXPECT_EQ(itemTexts(menu->getShipList()), (std::vector<std::string>{"Dragonfly.ship.json", "Mole.ship.json"}));
    EXPECT_EQ(itemTexts(menu->getMapList()), std::vector<std::string>{"canyon.map.json"});
    select(menu->getShipList(), "Mole.ship.json");

    addFile("map", "arena.map.json");
    velk_test::click(menu->getNewGameWindow()->getChild("Buttons/CancelButton"));
    EXPECT_FALSE(menu->getNewGameWindow()->isVisible());
    EXPECT_EQ(modalWindow(), guiRoot()->getChild("ContentHolder"));
    menu->openNewWindow();
    EXPECT_EQ(itemTexts(menu->getMapList()), (std::vector<std::string>{"arena.map.json", "canyon.map.json"}));
    // The earlier selection is gone with the old items.
    EXPECT_EQ(menu->getShipList()->getFirstSelectedItem(), nullptr);
}

TEST_F(NewGameTest, StartNeedsAShipAndAMapThenPushesThePlayScreen)
{
    addFile("ships", "a.ship.json");
    addFile("map", "m.map.json");
    start();
    velk_test::LogCapture log;
    velk_test::click(guiRoot()->getChild("ContentHolder/Content/NewGameButton"));
    ASSERT_TRUE(menu->getNewGameWindow()->isVisible());

    select(menu->getShipList(), "a.ship.json");
    velk_test::click(menu->getNewGameWindow()->getChild("Buttons/StartButton"));
    EXPECT_TRUE(menu->getNewGameWindow()->isVisible());
    EXPECT_EQ(log.text(), "");
    EXPECT_TRUE(app::Main::Singleton.empty());

    select(menu->getMapList(), "m.map.json");
    velk_test::click(menu->getNewGameWindow()->getChild("Buttons/StartButton"));
    EXPECT_EQ(log.text(),
              "[MMS] Start game: Ship: a.ship.json(data/ships/a.ship.json), Map: m.map.json(data/map/m.map.json)\n");
    EXPECT_FALSE(menu->getNewGameWindow()->isVisible());
    EXPECT_EQ(modalWindow(), guiRoot()->getChild("ContentHolder"));
    ASSERT_EQ(app::Main::Singleton.size(), 1u);
}

TEST_F(NewGameTest, NavigationLinksTheButtonsAndLists)
{
    start();
    GuiStepper& stepper = menu->newStepper();
    CEGUI::Window* window = menu->getNewGameWindow();
    GuiStepper::Node* cancel = stepper.searchNode(window->getChild("Buttons/CancelButton"));
    GuiStepper::Node* startNode = stepper.searchNode(window->getChild("Buttons/StartButton"));
    GuiStepper::Node* ships = stepper.searchNode(menu->getShipList());
    GuiStepper::Node* maps = stepper.searchNode(menu->getMapList());
    ASSERT_TRUE(cancel && startNode && ships && maps);
    EXPECT_TRUE(cancel->isBack());
    using D = GuiStepper::Node::Direction;
    struct Row {
        GuiStepper::Node* node;
        GuiStepper::Node* left;
        GuiStepper::Node* right;
        GuiStepper::Node* up;
        GuiStepper::Node* down;
    };
    const Row rows[] = {
        {cancel, startNode, startNode, maps, nullptr},
        {startNode, cancel, cancel, maps, nullptr},
        {maps, ships, ships, nullptr, startNode},
        {ships, maps, maps, nullptr, startNode},
    };
    // The back links to the root lead nowhere a player can see.
    auto link = [&stepper](GuiStepper::Node* node, D direction) {
        GuiStepper::Node* next = node->getLink(direction);
        return next == stepper.getRoot() ? nullptr : next;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.node->getWindow()->getName().c_str());
        EXPECT_EQ(link(row.node, D::Left), row.left);
        EXPECT_EQ(link(row.node, D::Right), row.right);
        EXPECT_EQ(link(row.node, D::Up), row.up);
        EXPECT_EQ(link(row.node, D::Down), row.down);
    }
}

TEST_F(NewGameTest, AGameThatCannotLoadLeavesANoticeForTheMenu)
{
    addFile("ships", "a.ship.json");
    velk_test::writeFile(runtime.path() / "data" / "map" / "broken.map.json", "{\"Size\": ");
    start();
    velk_test::LogCapture log;
    menu->startGame("a.ship.json", "broken.map.json");
    ASSERT_EQ(app::Main::Singleton.size(), 1u);
    velk_test::FakeInput input;
    // What the state stack does: the menu ends, the play screen starts.
    menu->onStateEnd();
    started = false;
    velk::PlayState play;
    play.setInputSource(input);
    play.setShipFile("data/ships/a.ship.json");
    play.setMapFile("data/map/broken.map.json");
    play.onStateStart();
    play.waitForLoading();
    play.update();
    play.onStateEnd();
    EXPECT_TRUE(log.contains("[Play] The game cannot be loaded"));

    menu->onStateStart();
    started = true;
    ASSERT_TRUE(menu->isNoticeShown());
    CEGUI::Window* notice = guiRoot()->getChild("NoticeWindow");
    EXPECT_EQ(modalWindow(), notice);
    const std::string text = ceguiStringToUtf8(notice->getChild("Text")->getText());
    EXPECT_EQ(text.rfind("The game could not be loaded.\n", 0), 0u) << text;
    EXPECT_NE(text.find("data/map/broken.map.json"), std::string::npos) << text;
    velk_test::click(notice->getChild("OkButton"));
    EXPECT_FALSE(menu->isNoticeShown());
    EXPECT_EQ(modalWindow(), guiRoot()->getChild("ContentHolder"));

    // Shown once: the next start of the menu has nothing to say.
    menu->onStateEnd();
    menu->onStateStart();
    EXPECT_FALSE(menu->isNoticeShown());
}

} // namespace
