#include "game/mapper/tests/MapperTestSupport.hpp"

#include "app/Language.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

namespace fs = std::filesystem;
using namespace mapper_test;
using velk_test::click;
using velk_test::modalWindow;

namespace {

const char* const Menu = "Toolbar/Menu/__auto_contentpane__/";

std::vector<std::string> listTexts(const std::string& path)
{
    auto* list = static_cast<CEGUI::Listbox*>(window(path));
    std::vector<std::string> texts;
    for (size_t i = 0; i < list->getItemCount(); ++i)
        texts.push_back(ceguiStringToUtf8(list->getListboxItemFromIndex(i)->getText()));
    std::sort(texts.begin(), texts.end());
    return texts;
}

void selectInList(const std::string& path, const std::string& text)
{
    auto* list = static_cast<CEGUI::Listbox*>(window(path));
    CEGUI::ListboxItem* item = list->findItemWithText(utf8ToCeguiString(text), nullptr);
    ASSERT_NE(item, nullptr) << text;
    list->setItemSelectState(item, true);
}

/// A small map with a few known tiles.
TileMap sampleMap()
{
    TileMap sample(5, 4);
    sample.setTileSize(0.5f);
    sample.setTilesPerTexture(4);
    sample.getTile(0, 3) = 1;
    sample.getTile(2, 1) = 34;
    sample.getTile(4, 0) = 7;
    return sample;
}

void expectSameTiles(const TileMap& a, const TileMap& b)
{
    ASSERT_EQ(a.getSize(), b.getSize());
    for (unsigned int x = 0; x < a.getSize().x; ++x)
        for (unsigned int y = 0; y < a.getSize().y; ++y)
            EXPECT_EQ(a.getTile(x, y), b.getTile(x, y)) << x << "," << y;
}

} // namespace

class MapperStateTest : public MapperFixture {
protected:
    void newMap(double width, double height, double tileSize = 1.0, double tilesPerTexture = 1.0)
    {
        click(window(std::string(Menu) + "NewButton"));
        spinner("NewMap/Size/XSpinner")->setCurrentValue(width);
        spinner("NewMap/Size/YSpinner")->setCurrentValue(height);
        spinner("NewMap/TS/Spinner")->setCurrentValue(tileSize);
        spinner("NewMap/TPT/Spinner")->setCurrentValue(tilesPerTexture);
        click(window("NewMap/Buttons/CreateButton"));
    }

    void saveAs(const std::string& name)
    {
        click(window(std::string(Menu) + "SaveAsButton"));
        window("Save/FileName")->setText(utf8ToCeguiString(name));
        click(window("Save/Buttons/SaveButton"));
    }

    /// Makes the screen's map, file name and dirty flag a known state.
    void loadSample(const std::string& name = "sample.map.json")
    {
        ASSERT_TRUE(sampleMap().saveToFile((mapFolder() / name).string()));
        ASSERT_TRUE(screen->loadMap(name));
    }
};

TEST_F(MapperStateTest, FreshEditorShowsAnUntitledUnsavedEmptyMap)
{
    EXPECT_EQ(labelText("NameLabel"), "Untitled*");
    EXPECT_EQ(labelText("SizeLabel"), "0 x 0");
    EXPECT_EQ(labelText("TsLabel"), "Units per tile: 1");
    EXPECT_EQ(labelText("TptLabel"), "Tiles per texture: 1");
    for (const char* dialog : {"NewMap", "Load", "Save", "Properties"})
        EXPECT_FALSE(window(dialog)->isVisible()) << dialog;
    EXPECT_EQ(modalWindow(), nullptr);
    EXPECT_TRUE(screen->getFileName().empty());
    EXPECT_TRUE(screen->getStatusText().empty());

    // The only stepper node is Exit, reached from the root in every direction
    // and pressed by the back action.
    GuiStepper& stepper = screen->getStepper();
    EXPECT_TRUE(stepper.isActive());
    EXPECT_EQ(stepper.getNodeCount(), 1u);
    CEGUI::Window* exit = window(std::string(Menu) + "ExitButton");
    for (auto direction :
         {GuiStepper::Node::Left, GuiStepper::Node::Right, GuiStepper::Node::Up, GuiStepper::Node::Down}) {
        ASSERT_NE(stepper.getRoot()->getLink(direction), nullptr);
        EXPECT_EQ(stepper.getRoot()->getLink(direction)->getWindow(), exit);
    }
    EXPECT_TRUE(stepper.searchNode(exit)->isBack());
}

TEST_F(MapperStateTest, DetailsReadRightForOneAndTwoInBothLanguages)
{
    const std::vector<std::vector<std::string>> cases = {{"en", "Units per tile: ", "Tiles per texture: "},
                                                         {"hu", "Egység csempénként: ", "Csempe textúránként: "}};
    for (const auto& c : cases) {
        screen->onStateEnd();
        GameFramework::Singleton.getLanguage()->setActLangCode(c[0]);
        screen->onStateStart();
        for (const std::string number : {"1", "2"}) {
            newMap(3, 3, std::stod(number), std::stod(number));
            EXPECT_EQ(labelText("TsLabel"), c[1] + number);
            EXPECT_EQ(labelText("TptLabel"), c[2] + number);
        }
    }
    EXPECT_EQ(labelText("NameLabel"), "Névtelen*");
    EXPECT_EQ(ceguiStringToUtf8(window(std::string(Menu) + "SaveAsButton")->getText()), "Mentés másként");
}

TEST_F(MapperStateTest, NewMapIsEmptyUntitledAndUnsaved)
{
    loadSample();
    ASSERT_FALSE(tools().isDirty());
    click(window(std::string(Menu) + "NewButton"));
    EXPECT_EQ(modalWindow(), window("NewMap"));

    // The same size as the loaded map: still only empty tiles.
    newMap(5, 4, 0.25, 8);
    EXPECT_EQ(modalWindow(), nullptr);
    EXPECT_FALSE(window("NewMap")->isVisible());
    EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(5, 4)));
    for (unsigned int x = 0; x < 5; ++x)
        for (unsigned int y = 0; y < 4; ++y)
            EXPECT_EQ(map().getTile(x, y), 0);
    EXPECT_FLOAT_EQ(map().getTileSize(), 0.25f);
    EXPECT_EQ(map().getTilesPerTexture(), 8u);
    EXPECT_TRUE(screen->getFileName().empty());
    EXPECT_TRUE(tools().isDirty());
    EXPECT_EQ(labelText("NameLabel"), "Untitled*");
    EXPECT_EQ(labelText("SizeLabel"), "5 x 4");
    EXPECT_EQ(labelText("TsLabel"), "Units per tile: 0.25");
    EXPECT_EQ(labelText("TptLabel"), "Tiles per texture: 8");

    // Cancel changes nothing.
    click(window(std::string(Menu) + "NewButton"));
    click(window("NewMap/Buttons/CancelButton"));
    EXPECT_EQ(modalWindow(), nullptr);
    EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(5, 4)));
}

TEST_F(MapperStateTest, SpinnerValuesOutsideTheRangesAreClamped)
{
    // Widen the spinners' own ranges, as a changed layout might.
    for (const char* path :
         {"NewMap/Size/XSpinner", "NewMap/Size/YSpinner", "NewMap/TS/Spinner", "NewMap/TPT/Spinner"}) {
        spinner(path)->setMinimumValue(-1e12);
        spinner(path)->setMaximumValue(1e12);
    }
    const struct {
        double width, height, tileSize, tilesPerTexture;
        unsigned int mapWidth, mapHeight;
        float mapTileSize;
        unsigned int mapTilesPerTexture;
    } cases[] = {
        {10.9, 10.2, 1.0, 1.0, 10, 10, 1.0f, 1},
        {1e12, 3, 1e9, 1e9, 4096, 3, 100.0f, 4096},
        {-5, -1, -2, -3, 0, 0, 0.1f, 1},
        {0, 7, 0.05, 0, 0, 0, 0.1f, 1},
    };
    for (const auto& c : cases) {
        newMap(c.width, c.height, c.tileSize, c.tilesPerTexture);
        EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(c.mapWidth, c.mapHeight))) << c.width;
        EXPECT_FLOAT_EQ(map().getTileSize(), c.mapTileSize) << c.tileSize;
        EXPECT_EQ(map().getTilesPerTexture(), c.mapTilesPerTexture) << c.tilesPerTexture;
    }
}

TEST_F(MapperStateTest, PropertiesResizeKeepingTheOverlap)
{
    loadSample();
    click(window("Toolbar/Properties/__auto_contentpane__/Button"));
    EXPECT_EQ(modalWindow(), window("Properties"));
    EXPECT_EQ(spinner("Properties/Size/XSpinner")->getCurrentValue(), 5.0);
    EXPECT_EQ(spinner("Properties/Size/YSpinner")->getCurrentValue(), 4.0);
    EXPECT_DOUBLE_EQ(spinner("Properties/TS/Spinner")->getCurrentValue(), 0.5);
    EXPECT_EQ(spinner("Properties/TPT/Spinner")->getCurrentValue(), 4.0);

    // Unchanged values still mark the map as changed.
    click(window("Properties/Buttons/OkButton"));
    EXPECT_TRUE(tools().isDirty());
    EXPECT_EQ(screen->getFileName(), "sample.map.json");
    EXPECT_EQ(labelText("NameLabel"), "sample.map.json*");

    click(window("Toolbar/Properties/__auto_contentpane__/Button"));
    spinner("Properties/Size/XSpinner")->setCurrentValue(3);
    spinner("Properties/Size/YSpinner")->setCurrentValue(6);
    click(window("Properties/Buttons/OkButton"));
    ASSERT_EQ(map().getSize(), (math::Vector2<unsigned int>(3, 6)));
    EXPECT_EQ(map().getTile(0, 3), 1);  // kept
    EXPECT_EQ(map().getTile(2, 1), 34); // kept
    EXPECT_EQ(map().getTile(2, 5), 0);  // new
    EXPECT_EQ(labelText("SizeLabel"), "3 x 6");

    click(window("Toolbar/Properties/__auto_contentpane__/Button"));
    spinner("Properties/Size/XSpinner")->setCurrentValue(9);
    click(window("Properties/Buttons/CancelButton"));
    EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(3, 6)));
    EXPECT_EQ(modalWindow(), nullptr);
}

TEST_F(MapperStateTest, PropertiesOkWithUntouchedValuesKeepsAnyReadableMap)
{
    auto okUntouched = [this] {
        const TileMap before = map();
        click(window("Toolbar/Properties/__auto_contentpane__/Button"));
        click(window("Properties/Buttons/OkButton"));
        expectSameTiles(map(), before);
        EXPECT_EQ(map().getTileSize(), before.getTileSize());
        EXPECT_EQ(map().getTilesPerTexture(), before.getTilesPerTexture());
    };
    okUntouched(); // the fresh editor's 0 x 0 map
    // Beyond the editor's old limits; the tile size has more digits than the spinner shows.
    velk_test::writeFile(mapFolder() / "wide.map.json",
                         R"({"Size": {"X": 3000, "Y": 2}, "TileSize": 1.23456789, "TilesPerTexture": 4096})");
    ASSERT_TRUE(screen->loadMap("wide.map.json"));
    map().getTile(2999, 1) = 7;
    okUntouched();
    EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(3000, 2)));
    EXPECT_EQ(map().getTileSize(), 1.23456789f);
    EXPECT_EQ(map().getTilesPerTexture(), 4096u);
}

TEST_F(MapperStateTest, SaveWritesTheMapUnderTheCompletedName)
{
    newMap(6, 3);
    map().getTile(1, 2) = 1;
    map().getTile(3, 0) = 36;

    // Untitled: Save asks for a name and writes nothing yet.
    click(window(std::string(Menu) + "SaveButton"));
    EXPECT_EQ(modalWindow(), window("Save"));
    EXPECT_TRUE(fs::is_empty(mapFolder()));
    click(window("Save/Buttons/CancelButton"));

    saveAs("canyon");
    EXPECT_EQ(modalWindow(), nullptr);
    const fs::path file = mapFolder() / "canyon.map.json";
    ASSERT_TRUE(fs::is_regular_file(file));
    TileMap saved;
    ASSERT_TRUE(saved.loadFromFile(file.string()));
    expectSameTiles(saved, map());
    EXPECT_EQ(screen->getFileName(), "canyon.map.json");
    EXPECT_FALSE(tools().isDirty());
    EXPECT_EQ(labelText("NameLabel"), "canyon.map.json");

    // Save with a name rewrites the file at once, without a dialog.
    map().getTile(5, 2) = 35;
    tools().setDirty(true);
    click(window(std::string(Menu) + "SaveButton"));
    EXPECT_EQ(modalWindow(), nullptr);
    ASSERT_TRUE(saved.loadFromFile(file.string()));
    EXPECT_EQ(saved.getTile(5, 2), 35);
    EXPECT_FALSE(tools().isDirty());
    EXPECT_EQ(fs::directory_iterator(mapFolder())->path().filename(), "canyon.map.json");
}

TEST_F(MapperStateTest, SaveListSelectionFillsTheNameAndAnEmptyNameSavesNothing)
{
    loadSample("old.map.json");
    click(window(std::string(Menu) + "SaveAsButton"));
    EXPECT_EQ(listTexts("Save/FileList"), std::vector<std::string>{"old.map.json"});
    selectInList("Save/FileList", "old.map.json");
    EXPECT_EQ(ceguiStringToUtf8(window("Save/FileName")->getText()), "old.map.json");

    window("Save/FileName")->setText("");
    click(window("Save/Buttons/SaveButton"));
    EXPECT_EQ(modalWindow(), nullptr);
    EXPECT_TRUE(screen->getFileName().empty());
    EXPECT_FALSE(tools().isDirty());
    EXPECT_EQ(std::distance(fs::directory_iterator(mapFolder()), fs::directory_iterator()), 1);
    // The next Save asks for a name again.
    click(window(std::string(Menu) + "SaveButton"));
    EXPECT_EQ(modalWindow(), window("Save"));
}

TEST_F(MapperStateTest, NamesThatLeaveTheFolderAreRefused)
{
    loadSample();
    tools().setDirty(true);
    for (const char* name : {"../escape", "sub/inner", "/tmp/absolute", ".", "..", "back\\slash"}) {
        saveAs(name);
        EXPECT_EQ(modalWindow(), window("Save")) << name;
        EXPECT_NE(screen->getStatusText().find("plain file name"), std::string::npos) << name;
        EXPECT_EQ(screen->getFileName(), "sample.map.json") << name;
        EXPECT_TRUE(tools().isDirty()) << name;
        click(window("Save/Buttons/CancelButton"));
    }
    EXPECT_FALSE(fs::exists(runtime.path() / "escape.map.json"));
    EXPECT_FALSE(fs::exists(mapFolder() / "sub"));
    EXPECT_EQ(std::distance(fs::directory_iterator(mapFolder()), fs::directory_iterator()), 1);
}

TEST_F(MapperStateTest, FailedSaveKeepsTheNameAndTheDirtyMark)
{
    loadSample();
    map().getTile(0, 0) = 1;
    tools().setDirty(true);
    // A folder in the way of the file: the write cannot replace it.
    fs::create_directory(mapFolder() / "blocked.map.json");
    velk_test::LogCapture log;
    saveAs("blocked");
    EXPECT_TRUE(fs::is_directory(mapFolder() / "blocked.map.json"));
    EXPECT_EQ(screen->getFileName(), "sample.map.json");
    EXPECT_TRUE(tools().isDirty());
    EXPECT_EQ(labelText("NameLabel"), "sample.map.json*");
    EXPECT_NE(screen->getStatusText().find("could not be saved"), std::string::npos);
    EXPECT_NE(screen->getStatusText().find("blocked.map.json"), std::string::npos);

    // A map folder that has gone away: Save with the name fails the same way,
    // and the old file is not touched.
    const std::string before = velk_test::readFile(mapFolder() / "sample.map.json");
    screen->setMapFolder(runtime.path() / "gone");
    click(window(std::string(Menu) + "SaveButton"));
    EXPECT_TRUE(tools().isDirty());
    EXPECT_EQ(velk_test::readFile(mapFolder() / "sample.map.json"), before);

    // After a good save the failure leaves the status bar.
    screen->setMapFolder(mapFolder());
    click(window(std::string(Menu) + "SaveButton"));
    EXPECT_FALSE(tools().isDirty());
    EXPECT_TRUE(screen->getStatusText().empty());
}

TEST_F(MapperStateTest, ListsShowRegularJsonFilesOnly)
{
    velk_test::writeFile(mapFolder() / "a.map.json", "{}");
    velk_test::writeFile(mapFolder() / "b.json", "{}");
    velk_test::writeFile(mapFolder() / "c.txt", "{}");
    velk_test::writeFile(mapFolder() / "d.JSON", "{}");
    velk_test::writeFile(mapFolder() / "hegyvidék.map.json", "{}");
    fs::create_directory(mapFolder() / "folder.map.json");
    click(window(std::string(Menu) + "LoadButton"));
    EXPECT_EQ(modalWindow(), window("Load"));
    const std::vector<std::string> expected{"a.map.json", "b.json", "hegyvidék.map.json"};
    EXPECT_EQ(listTexts("Load/FileList"), expected);
    click(window("Load/Buttons/CancelButton"));
    click(window(std::string(Menu) + "SaveAsButton"));
    EXPECT_EQ(listTexts("Save/FileList"), expected);
    click(window("Save/Buttons/CancelButton"));

    // A folder that cannot be listed reads as an empty list.
    screen->setMapFolder(runtime.path() / "missing");
    click(window(std::string(Menu) + "LoadButton"));
    EXPECT_TRUE(listTexts("Load/FileList").empty());
}

TEST_F(MapperStateTest, LoadTakesTheChosenFile)
{
    ASSERT_TRUE(sampleMap().saveToFile((mapFolder() / "moon.map.json").string()));
    click(window(std::string(Menu) + "LoadButton"));
    // Nothing selected: the dialog stays and nothing changes.
    click(window("Load/Buttons/LoadButton"));
    EXPECT_EQ(modalWindow(), window("Load"));
    EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(0, 0)));

    selectInList("Load/FileList", "moon.map.json");
    click(window("Load/Buttons/LoadButton"));
    EXPECT_EQ(modalWindow(), nullptr);
    expectSameTiles(map(), sampleMap());
    EXPECT_FLOAT_EQ(map().getTileSize(), 0.5f);
    EXPECT_EQ(screen->getFileName(), "moon.map.json");
    EXPECT_FALSE(tools().isDirty());
    EXPECT_EQ(labelText("NameLabel"), "moon.map.json");
    EXPECT_EQ(labelText("SizeLabel"), "5 x 4");
}

TEST_F(MapperStateTest, FailedLoadKeepsTheMapItsNameAndItsDirtyMark)
{
    velk_test::writeFile(mapFolder() / "broken.map.json", "{\"Size\": {\"X\": 3,");
    velk_test::writeFile(mapFolder() / "array.map.json", "[1, 2, 3]");
    velk_test::writeFile(mapFolder() / "empty.map.json", "");
    fs::create_directory(mapFolder() / "folder.map.json");
    for (const char* name :
         {"broken.map.json", "array.map.json", "empty.map.json", "folder.map.json", "missing.map.json"}) {
        loadSample();
        map().getTile(1, 1) = 36;
        tools().setDirty(true);
        velk_test::LogCapture log;
        EXPECT_FALSE(screen->loadMap(name)) << name;
        EXPECT_EQ(map().getTile(1, 1), 36) << name;
        EXPECT_EQ(map().getSize(), (math::Vector2<unsigned int>(5, 4))) << name;
        EXPECT_EQ(screen->getFileName(), "sample.map.json") << name;
        EXPECT_TRUE(tools().isDirty()) << name;
        EXPECT_EQ(labelText("NameLabel"), "sample.map.json*") << name;
        EXPECT_NE(screen->getStatusText().find("could not be loaded"), std::string::npos) << name;
        EXPECT_NE(screen->getStatusText().find(name), std::string::npos) << name;
    }

    // The same through the dialog.
    click(window(std::string(Menu) + "LoadButton"));
    selectInList("Load/FileList", "broken.map.json");
    click(window("Load/Buttons/LoadButton"));
    EXPECT_EQ(modalWindow(), nullptr);
    EXPECT_EQ(screen->getFileName(), "sample.map.json");
    EXPECT_EQ(map().getTile(1, 1), 36);
}

TEST_F(MapperStateTest, AnEditOnTheCanvasMarksTheNameAtTheNextUpdate)
{
    loadSample();
    screen->update();
    EXPECT_EQ(labelText("NameLabel"), "sample.map.json");
    grid().modTile({0, 0}, 35);
    EXPECT_EQ(labelText("NameLabel"), "sample.map.json");
    screen->update();
    EXPECT_EQ(labelText("NameLabel"), "sample.map.json*");
}

TEST_F(MapperStateTest, ALongNameIsShortenedSoThatItsUnsavedMarkShows)
{
    const std::string name = "árvíztűrő tükörfúrógép barlangja második kiadás.map.json";
    loadSample(name);
    screen->update();
    grid().modTile({0, 0}, 35);
    screen->update();
    const CEGUI::Window* label = window("Toolbar/Properties/__auto_contentpane__/NameLabel");
    const std::string shown = labelText("NameLabel");
    EXPECT_LE(label->getFont()->getTextExtent(label->getText()), label->getPixelSize().d_width) << shown;
    ASSERT_GT(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 4), "…*") << shown;
    EXPECT_EQ(name.compare(0, shown.size() - 4, shown, 0, shown.size() - 4), 0) << shown;
    EXPECT_EQ(screen->getFileName(), name);
}

TEST_F(MapperStateTest, EndingTheScreenReleasesTheCanvasesAndTheArt)
{
    EXPECT_NE(screen->getGridController(), nullptr);
    EXPECT_FALSE(dunnix::MapperController::sTileImages.images().empty());
    screen->onStateEnd();
    EXPECT_EQ(screen->getGridController(), nullptr);
    EXPECT_EQ(screen->getToolsController(), nullptr);
    EXPECT_TRUE(dunnix::MapperController::sTileImages.images().empty());
    EXPECT_EQ(screen->getStepper().getNodeCount(), 0u);
    screen.reset();
}

TEST(MapperStateFolder, TheMapFolderIsMadeWhenMissingAndAFileInItsPlaceIsLeftAlone)
{
    velk_test::TempFolder temp;
    const fs::path previous = fs::current_path();
    fs::create_directories(temp / "fresh" / "data");
    velk_test::writeFile(temp / "taken" / "data" / "map", "not a folder");

    fs::current_path(temp / "fresh");
    {
        dunnix::MapperState screen;
    }
    EXPECT_TRUE(fs::is_directory(temp / "fresh" / "data" / "map"));

    fs::current_path(temp / "taken");
    {
        dunnix::MapperState screen;
    }
    EXPECT_EQ(velk_test::readFile(temp / "taken" / "data" / "map"), "not a folder");
    fs::current_path(previous);
}

TEST_F(MapperStateTest, NavigationRestsWhileADialogIsOpenOrTextIsTyped)
{
    screen->update();
    EXPECT_TRUE(screen->getStepper().isActive());
    click(window(std::string(Menu) + "SaveAsButton"));
    screen->update();
    EXPECT_FALSE(screen->getStepper().isActive());
    click(window("Save/Buttons/CancelButton"));
    screen->update();
    EXPECT_TRUE(screen->getStepper().isActive());

    window("Toolbar/Tiles/__auto_contentpane__/Brush/Spinner")->getChild("__auto_editbox__")->activate();
    screen->update();
    EXPECT_FALSE(screen->getStepper().isActive());
}

TEST_F(MapperStateTest, EveryTextOfTheScreenIsTranslatedInBothLanguages)
{
    // The codes of the script, and those the screen writes itself.
    const std::string script = velk_test::readFile(fs::path(VELK_SOURCE_DIR) / "data/gui/scripts/init_mapper.lua");
    ASSERT_FALSE(script.empty());
    std::set<std::string> codes{
        "mapper.untitled",      "mapper.ts", "mapper.tpt", "mapper.status.loadfailed", "mapper.status.savefailed",
        "mapper.status.badname"};
    for (size_t at = script.find("\"@"); at != std::string::npos; at = script.find("\"@", at + 1)) {
        const std::string code = script.substr(at + 2, script.find('"', at + 2) - at - 2);
        if (!code.empty()) // the comment's bare "@"
            codes.insert(code);
    }
    EXPECT_GT(codes.size(), 20u);
    for (const std::string& code : codes) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(GameFramework::Singleton.getDatabase(), "SELECT en, hu FROM lang WHERE code = ?", -1,
                           &statement, nullptr);
        sqlite3_bind_text(statement, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW) << code;
        EXPECT_GT(sqlite3_column_bytes(statement, 0), 0) << code;
        EXPECT_GT(sqlite3_column_bytes(statement, 1), 0) << code;
        sqlite3_finalize(statement);
    }
}

TEST_F(MapperStateTest, ADisplaySizeChangeLaysTheScreenOutAsAStartAtThatSizeWould)
{
    const std::vector<std::string> paths = {
        "Toolbar", "Toolbar/Tiles", "Toolbar/Tiles/__auto_contentpane__/Selector", "EditorArea", "Statusbar",
        "Load",    "Save"};
    const auto rects = [&] {
        std::vector<CEGUI::Rectf> all;
        for (const std::string& path : paths)
            all.push_back(window(path)->getUnclippedOuterRect().get());
        return all;
    };
    const auto resize = [](float width, float height) {
        CEGUI::System::getSingleton().notifyDisplaySizeChanged(CEGUI::Sizef(width, height));
    };
    const auto startAt = [&](float width, float height) {
        screen->onStateEnd();
        resize(width, height);
        screen->onStateStart();
        return rects();
    };
    const std::vector<CEGUI::Rectf> started = startAt(1024, 768);
    const std::vector<CEGUI::Rectf> startedBig = startAt(1280, 1024);
    // The status bar lies along the bottom of the bigger display.
    ASSERT_EQ(startedBig[4].bottom(), 1024.0f);

    // Full screen after a windowed start, then back.
    startAt(1024, 768);
    resize(1280, 1024);
    EXPECT_EQ(rects(), startedBig);
    resize(1024, 768);
    EXPECT_EQ(rects(), started);

    // Windowed after a full-screen start.
    startAt(1280, 1024);
    resize(1024, 768);
    EXPECT_EQ(rects(), started);
}
