// The editor screen on the null GUI renderer: panes and tabs, the tab icon
// animations, the ship menu and the file window with its name rules, and
// failures that keep the edited ship and its file name.

#include "game/editor/tests/EditorTestSupport.hpp"

#include "framework/cegui/CeguiString.hpp"
#include "game/editor/GridPartElement.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "testsupport/LogCapture.hpp"

#include <fstream>

namespace {

namespace fs = std::filesystem;
using velk::EditorState;

class EditorStateTest : public velk_test::EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        // A sample ship under a Hungarian name.
        fs::copy_file(shipsFolder() / "Mole.ship.json", shipsFolder() / "Kotr\xC3\xA1.ship.json");
    }

    CEGUI::TabControl* viewTabs() const { return static_cast<CEGUI::TabControl*>(window("Center/View/Tabs")); }
    CEGUI::Window* edit() const { return window("File/Edit"); }
    std::string status() const { return editor->getStatusMessage().c_str(); }

    void menu(const char* button)
    {
        velk_test::click(window((std::string("Center/Stats/ShipMenu/") + button).c_str()));
    }
    void ok() { velk_test::click(window("File/Buttons/OkButton")); }

    /// Types a name in the file window opened for `method` and presses Ok.
    void fileWindow(EditorState::FileMethod method, const std::string& name)
    {
        editor->openFileWindow(method);
        edit()->setText(utf8ToCeguiString(name));
        ok();
    }

    void makeTriangle() const
    {
        velk::backend::ShipEntry& ship = *editor->getShip();
        ship.insertPoint(0, 0, 0);
        ship.insertPoint(2, 0, 0);
        ship.insertPoint(0, 2, 0);
        editor->rebuildControllers();
    }

    std::vector<std::string> listed() const
    {
        auto* list = static_cast<CEGUI::Listbox*>(window("File/List"));
        std::vector<std::string> names;
        for (std::size_t i = 0; i < list->getItemCount(); ++i)
            names.push_back(ceguiStringToUtf8(list->getListboxItemFromIndex(i)->getText()));
        return names;
    }
};

TEST_F(EditorStateTest, StartsWithTheBuilderActiveAndTheFileWindowHidden)
{
    ASSERT_EQ(editor->getControllers().size(), 3u);
    EXPECT_TRUE(builder()->isActive());
    EXPECT_FALSE(texturer()->isActive());
    EXPECT_FALSE(tester()->isActive());
    EXPECT_FALSE(window("File")->isVisible());
    EXPECT_EQ(editor->getFileName(), "");
    // The stepper knows one button, Exit, which is also its back node.
    ASSERT_EQ(editor->getStepper().getNodeCount(), 1u);
    const GuiStepper::Node* exit = editor->getStepper().searchNode(window("Center/Stats/ShipMenu/Exit"));
    ASSERT_NE(exit, nullptr);
    EXPECT_TRUE(exit->isBack());
    // Texts are translated.
    EXPECT_EQ(window("Center/Stats/ShipMenu/New")->getText(), "New ship");
}

TEST_F(EditorStateTest, TabsSwitchPanesWindowsAndTheViewSize)
{
    CEGUI::Window* view = window("Center/View");
    const CEGUI::USize small = view->getSize();
    EXPECT_EQ(small, view->getMinSize());
    CEGUI::Window* shipMenu = window("Center/Stats/ShipMenu");

    viewTabs()->setSelectedTabAtIndex(2);
    quietTestDrive();
    editor->update();
    EXPECT_EQ(view->getSize(), view->getMaxSize());
    EXPECT_TRUE(tester()->isActive());
    EXPECT_FALSE(builder()->isActive() || texturer()->isActive());
    EXPECT_FALSE(shipMenu->isVisible());
    EXPECT_FALSE(window("Center/Inventory/PartsTabs")->isVisible());
    EXPECT_FALSE(editor->getStepper().isActive());
    EXPECT_NE(tester()->getShip(), nullptr);

    viewTabs()->setSelectedTabAtIndex(1);
    editor->update();
    EXPECT_EQ(view->getSize(), small);
    EXPECT_TRUE(texturer()->isActive());
    EXPECT_TRUE(shipMenu->isVisible()); // listed by both the builder and the texture pane
    EXPECT_TRUE(window("Center/Inventory/OutfitTabs")->isVisible());
    EXPECT_FALSE(window("Center/Inventory/PartsTabs")->isVisible());
    EXPECT_TRUE(editor->getStepper().isActive());

    editor->activateTab(7); // no such pane: all inactive
    for (const auto& controller : editor->getControllers())
        EXPECT_FALSE(controller->isActive());
}

TEST_F(EditorStateTest, OnlyTheSelectedTabIconAnimates)
{
    CEGUI::Window* buttons = viewTabs()->getChild("__auto_TabPane__Buttons");
    ASSERT_EQ(buttons->getChildCount(), 3u);
    CEGUI::AnimationManager& animations = CEGUI::AnimationManager::getSingleton();
    ASSERT_TRUE(animations.isAnimationPresent("Editor/Builder"));
    auto running = [&](CEGUI::Window* button) {
        for (std::size_t i = 0; i < animations.getNumAnimationInstances(); ++i) {
            CEGUI::AnimationInstance* instance = animations.getAnimationInstanceAtIdx(i);
            if (instance->getTarget() == button)
                return instance->isRunning();
        }
        return false;
    };
    EXPECT_TRUE(running(buttons->getChildAtIdx(0)));
    EXPECT_FALSE(running(buttons->getChildAtIdx(1)));
    // Let the icon move on, then leave the tab: its icon comes back.
    animations.autoStepInstances(0.1f); // started with its first step skipped
    animations.autoStepInstances(0.3f);
    EXPECT_NE(buttons->getChildAtIdx(0)->getProperty("Icon"), "EditorIcons/Builder0");
    viewTabs()->setSelectedTabAtIndex(1);
    EXPECT_FALSE(running(buttons->getChildAtIdx(0)));
    EXPECT_TRUE(running(buttons->getChildAtIdx(1)));
    EXPECT_EQ(buttons->getChildAtIdx(0)->getProperty("Icon"), "EditorIcons/Builder0");
}

TEST_F(EditorStateTest, SaveCompletesTheNameAndThenSavesWithoutAWindow)
{
    makeTriangle();
    menu("Save");
    EXPECT_TRUE(window("File")->isVisible());
    EXPECT_EQ(velk_test::modalWindow(), window("File"));
    EXPECT_EQ(window("File")->getText(), "Save");
    edit()->setText("ship1");
    ok();
    EXPECT_FALSE(window("File")->isVisible());
    EXPECT_EQ(velk_test::modalWindow(), nullptr);
    EXPECT_TRUE(fs::exists(shipsFolder() / "ship1.ship.json"));
    EXPECT_EQ(edit()->getText(), "ship1.ship.json");
    EXPECT_EQ(editor->getFileName(), "data/ships/ship1.ship.json");
    EXPECT_EQ(status(), "Ship saved: ship1.ship.json");

    fs::remove(shipsFolder() / "ship1.ship.json");
    menu("Save"); // a name now: no window
    EXPECT_FALSE(window("File")->isVisible());
    EXPECT_TRUE(fs::exists(shipsFolder() / "ship1.ship.json"));

    fileWindow(EditorState::Save, "ship2.ship");
    EXPECT_TRUE(fs::exists(shipsFolder() / "ship2.ship.json"));
    fileWindow(EditorState::Save, "ship3.json");
    EXPECT_TRUE(fs::exists(shipsFolder() / "ship3.json"));
    menu("SaveAs");
    EXPECT_TRUE(window("File")->isVisible());
    const std::vector<std::string> names = listed();
    EXPECT_NE(std::find(names.begin(), names.end(), "ship3.json"), names.end());
}

TEST_F(EditorStateTest, NamesWithFoldersAreRefused)
{
    makeTriangle();
    fileWindow(EditorState::Save, "kept");
    const std::string before = editor->getFileName();
    const char* names[] = {"../escape", "sub/ship", "..", ".", "/tmp/abs", "dir\\ship"};
    for (const char* name : names) {
        velk_test::LogCapture log;
        fileWindow(EditorState::Save, name);
        EXPECT_TRUE(window("File")->isVisible()) << name; // stays open for a better name
        EXPECT_TRUE(log.contains("File name refused")) << name;
        EXPECT_EQ(editor->getFileName(), before) << name;
        EXPECT_EQ(status().rfind("Type a plain file name", 0), 0u) << name;
        editor->closeFileWindow();
    }
    EXPECT_FALSE(fs::exists(runtime.path() / "data" / "escape.ship.json"));
    EXPECT_FALSE(fs::exists(shipsFolder() / "sub"));
    // An empty name does nothing at all.
    fileWindow(EditorState::Save, "");
    EXPECT_TRUE(window("File")->isVisible());
}

TEST_F(EditorStateTest, AFailedSaveKeepsTheOldName)
{
    makeTriangle();
    fileWindow(EditorState::Save, "good");
    fs::create_directory(shipsFolder() / "blocked.ship.json"); // a folder where the file would go
    velk_test::LogCapture log;
    fileWindow(EditorState::Save, "blocked");
    EXPECT_EQ(editor->getFileName(), "data/ships/good.ship.json");
    EXPECT_EQ(status(), "The ship could not be saved: blocked.ship.json");
    EXPECT_TRUE(fs::is_directory(shipsFolder() / "blocked.ship.json"));
    EXPECT_FALSE(log.lines().empty());
}

TEST_F(EditorStateTest, AFailedLoadKeepsTheShipAndItsName)
{
    makeTriangle();
    editor->getShip()->setTextureFile("ribs.png");
    fileWindow(EditorState::Save, "mine");
    std::ofstream(shipsFolder() / "broken.ship.json") << "{\"Points\": [[0, 0], [1, ";
    fileWindow(EditorState::Load, "broken.ship.json");
    EXPECT_EQ(editor->getShip()->pointSet().getResources().size(), 3u);
    EXPECT_EQ(editor->getShip()->getTextureFile(), "ribs.png");
    EXPECT_EQ(builder()->elements().getResources().size(), 3u);
    EXPECT_EQ(editor->getFileName(), "data/ships/mine.ship.json");
    EXPECT_EQ(status(), "The ship file could not be read: broken.ship.json");
    fileWindow(EditorState::Load, "nothing-here");
    EXPECT_EQ(editor->getShip()->pointSet().getResources().size(), 3u);
}

TEST_F(EditorStateTest, LoadRebuildsEveryPaneAndNewEmptiesTheShip)
{
    viewTabs()->setSelectedTabAtIndex(2);
    fileWindow(EditorState::Load, "Kotr\xC3\xA1.ship.json");
    ASSERT_EQ(editor->getFileName(), "data/ships/Kotr\xC3\xA1.ship.json") << status();
    const std::size_t points = editor->getShip()->pointSet().getResources().size();
    const std::size_t parts = editor->getShip()->partSet().getResources().size();
    EXPECT_GT(points, 2u);
    EXPECT_GT(parts, 0u);
    EXPECT_EQ(builder()->elements().getResources().size(), points + parts);
    EXPECT_EQ(status(), "Ship loaded: Kotr\xC3\xA1.ship.json");

    menu("New");
    EXPECT_TRUE(editor->getShip()->pointSet().getResources().empty());
    EXPECT_TRUE(builder()->elements().getResources().empty());
    EXPECT_EQ(editor->getFileName(), "");
    EXPECT_EQ(viewTabs()->getSelectedTabIndex(), 2u);
}

TEST_F(EditorStateTest, UnknownPartsAreKeptButNotShown)
{
    velk::backend::ShipEntry ship;
    ship.insertPoint(0, 0, 0);
    ship.insertPoint(1, 0, 0);
    ship.insertPoint(0, 1, 0);
    ship.insertPart(2, {0, 0});
    ship.insertPart(4000000, {1, 1});
    ASSERT_TRUE(ship.saveToFile((shipsFolder() / "odd.ship.json").string()));
    velk_test::LogCapture log;
    fileWindow(EditorState::Load, "odd.ship.json");
    EXPECT_EQ(log.count("Parts not in the catalogue"), 1) << log.text();
    EXPECT_EQ(builder()->elements().getResources().size(), 4u);
    fileWindow(EditorState::Save, "odd2");
    velk::backend::ShipEntry saved;
    ASSERT_TRUE(saved.loadFromFile((shipsFolder() / "odd2.ship.json").string()));
    ASSERT_EQ(saved.partSet().getResources().size(), 2u);
    EXPECT_EQ(saved.partSet().getResources()[1]->getPartId(), 4000000u);
}

TEST_F(EditorStateTest, TheListShowsJsonFilesAndDeleteRemovesTheTypedOne)
{
    std::ofstream(shipsFolder() / "notes.txt") << "x";
    fs::create_directory(shipsFolder() / "folder.json");
    for (const char* name : {"Ábel", "Zsuzsa", "Győző", "Bence", "Őrs", "Anna"})
        fs::copy_file(shipsFolder() / "Mole.ship.json", shipsFolder() / (std::string(name) + ".ship.json"));
    editor->openFileWindow(EditorState::Load);
    EXPECT_EQ(window("File")->getText(), "Load");
    const std::vector<std::string> names = listed();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_NE(std::find(names.begin(), names.end(), "Kotr\xC3\xA1.ship.json"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "notes.txt"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "folder.json"), names.end());

    // Selecting a row copies its name; Delete removes exactly that file.
    auto* list = static_cast<CEGUI::Listbox*>(window("File/List"));
    list->setItemSelectState(list->findItemWithText(utf8ToCeguiString("Kotr\xC3\xA1.ship.json"), nullptr), true);
    EXPECT_EQ(ceguiStringToUtf8(edit()->getText()), "Kotr\xC3\xA1.ship.json");
    velk_test::click(window("File/Buttons/DeleteButton"));
    EXPECT_FALSE(fs::exists(shipsFolder() / "Kotr\xC3\xA1.ship.json"));
    EXPECT_TRUE(window("File")->isVisible());
    // No completion on delete, and no folders.
    std::ofstream(shipsFolder() / "ship9.ship.json") << "{}";
    edit()->setText("ship9");
    velk_test::click(window("File/Buttons/DeleteButton"));
    EXPECT_TRUE(fs::exists(shipsFolder() / "ship9.ship.json"));
    edit()->setText("../velk.db");
    velk_test::click(window("File/Buttons/DeleteButton"));
    EXPECT_TRUE(fs::exists(runtime.path() / "data" / "velk.db"));
    // A folder that cannot be removed is reported, not thrown.
    std::ofstream(shipsFolder() / "folder.json" / "inside") << "x";
    edit()->setText("folder.json");
    velk_test::LogCapture log;
    velk_test::click(window("File/Buttons/DeleteButton"));
    EXPECT_TRUE(log.contains("Cannot delete ship file"));
    EXPECT_EQ(status(), "The file could not be deleted: folder.json");

    // A double click without a selected row does nothing.
    list->clearAllSelections();
    edit()->setText("ship9");
    CEGUI::MouseEventArgs twice(list);
    list->fireEvent(CEGUI::Window::EventMouseDoubleClick, twice, CEGUI::Window::EventNamespace);
    EXPECT_TRUE(window("File")->isVisible());
    list->setItemSelectState(list->findItemWithText("ship9.ship.json", nullptr), true);
    list->fireEvent(CEGUI::Window::EventMouseDoubleClick, twice, CEGUI::Window::EventNamespace);
    EXPECT_FALSE(window("File")->isVisible());
    EXPECT_EQ(editor->getFileName(), "data/ships/ship9.ship.json");

    // A missing folder reads as an empty list.
    fs::remove_all(shipsFolder());
    editor->updateFilelist();
    EXPECT_TRUE(listed().empty());
}

} // namespace
