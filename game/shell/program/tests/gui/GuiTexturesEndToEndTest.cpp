// GUI textures the real program makes between frames: lists filled from an
// event handler with letters no screen has drawn yet (a new glyph page each),
// and the ship editor's texture previews on a second visit. The names mix
// Hungarian letters with Cyrillic and Greek ones: the menu draws "ő" and "Ő"
// before any list opens, but no screen draws "Ж" or "Ω" before the list does.

#include "testsupport/game/GameWindowTest.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace velk_test::mainmenu;
using velk_test::countPixels;
using velk_test::isBright;
using velk_test::isTitleBar;

// The ship editor's Load and Exit (right column) and its Paint tab.
constexpr int EditorLoadX = 905, EditorLoadY = 102, EditorExitX = 905, EditorExitY = 216;
constexpr int PaintTabX = 130, PaintTabY = 16;
// The texture previews: a 2 x 2 grid of buttons below the editor's ship menu.
constexpr int PreviewLeft = 791, PreviewTop = 298, PreviewStepX = 114, PreviewStepY = 113;
constexpr int PreviewWidth = 90, PreviewHeight = 72;

bool editorShown(const sf::Image& image)
{
    return !shown(image) && labelPixels(image, EditorLoadX, EditorLoadY) > 20;
}

/// Bright preview pictures on all four texture buttons (blank buttons are dark).
bool previewsShown(const sf::Image& image)
{
    for (int i = 0; i < 4; ++i) {
        const int left = PreviewLeft + (i % 2) * PreviewStepX, top = PreviewTop + (i / 2) * PreviewStepY;
        if (countPixels(image, left, top, PreviewWidth, PreviewHeight, isBright) < PreviewWidth * PreviewHeight / 3)
            return false;
    }
    return true;
}

/// A list that shows a player's name, reached by clicking buttons from the menu.
struct ListCase {
    const char* name;
    std::vector<std::pair<int, int>> clicks;
    int titleX, titleY; // on the title bar of the window holding the list
    int textLeft, textWidth, firstRowTop, rows;
};

const ListCase ListCases[] = {
    {"Highscores", {{ButtonX, buttonY(Highscores)}}, 770, 156, 233, 110, 247, 1},
    {"NewGameShips", {{ButtonX, buttonY(NewGame)}}, 790, 176, 232, 268, 235, 4},
    {"EditorLoad", {{ButtonX, buttonY(Editor)}, {EditorLoadX, EditorLoadY}}, 650, 196, 306, 408, 225, 4},
};

void PrintTo(const ListCase& list, std::ostream* out)
{
    *out << list.name;
}

/// Rows of text in the list's first rows + 1 slots: the expected rows and no more.
int textRows(const sf::Image& image, const ListCase& list)
{
    int rows = 0;
    for (int i = 0; i < list.rows + 1; ++i) {
        // A row: 3 px of room for the accents of capitals, then a line of the font (15.7 px).
        const int top = list.firstRowTop + 3 + i * 56 / 3;
        rows += countPixels(image, list.textLeft, top, list.textWidth, 8, isBright) > 40;
    }
    return rows;
}

class GuiTexturesEndToEndTest : public velk_test::GameWindowTest {
protected:
    GuiTexturesEndToEndTest() : GameWindowTest("guitextures") {}

    /// The shipped ships plus one named with letters of three scripts, a score
    /// with such a name, no maps at all, English texts.
    void SetUp() override
    {
        prepare({"gui", "glsl", "img", "mus", "snd", "obj"});
        const fs::path ships = folder->path() / "data" / "ships";
        fs::create_directories(ships);
        fs::create_directories(folder->path() / "data" / "map");
        for (const fs::directory_entry& ship : fs::directory_iterator(fs::path(VELK_SOURCE_DIR) / "data" / "ships"))
            fs::copy_file(ship.path(), ships / ship.path().filename());
        fs::copy_file(ships / "Mole.ship.json", ships / "Győző Жук Ωmega.ship.json");
        ASSERT_TRUE(
            folder->exec("INSERT INTO scores (name, score, map, mode) VALUES ('Őrs Жук Ω', 2400, 'cave.map.json', 1)"));
        velk_test::writeFile(folder->path() / "lang.ini", "en");
        launch();
    }

    /// Clicks the button at the point once its label shows; whether it showed.
    ::testing::AssertionResult clickWhenShown(int x, int y, const std::string& shot)
    {
        ::testing::AssertionResult shown = waitFor(shot, [&](const sf::Image& i) { return labelPixels(i, x, y) > 20; });
        if (shown)
            player().click(x, y);
        return shown;
    }
};

class HungarianNameInAList : public GuiTexturesEndToEndTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(HungarianNameInAList, IsListedWithoutEndingTheProgram)
{
    const ListCase& list = GetParam();
    int step = 0;
    for (const auto& [x, y] : list.clicks)
        ASSERT_TRUE(clickWhenShown(x, y, std::to_string(++step) + "-before-click")) << game.log();
    ASSERT_TRUE(waitFor("list", [&](const sf::Image& i) {
        return isTitleBar(i.getPixel(list.titleX, list.titleY)) && textRows(i, list) == list.rows;
    })) << game.log();
    EXPECT_TRUE(game.running());
    EXPECT_EQ(game.log().find("RendererException"), std::string::npos) << game.log();
}

INSTANTIATE_TEST_SUITE_P(Lists, HungarianNameInAList, ::testing::ValuesIn(ListCases),
                         [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

TEST_F(GuiTexturesEndToEndTest, ShipEditorShowsItsTexturePreviewsOnEveryVisit)
{
    for (const std::string visit : {"1", "2"}) {
        ASSERT_TRUE(clickWhenShown(ButtonX, buttonY(Editor), visit + "-menu")) << game.log();
        ASSERT_TRUE(waitFor(visit + "-editor", editorShown)) << game.log();
        player().click(PaintTabX, PaintTabY);
        EXPECT_TRUE(waitFor(visit + "-previews", previewsShown)) << "visit " << visit << "\n" << game.log();
        player().click(EditorExitX, EditorExitY);
    }
    EXPECT_EQ(game.log().find("No preview of hull texture"), std::string::npos) << game.log();
    ASSERT_TRUE(waitFor("3-menu", shown));
    exitFromMenu();
}

} // namespace
