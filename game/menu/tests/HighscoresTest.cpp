// The high-score view: order by score, the map filter by its selected entry,
// and Clear for one map or for all.

#include "game/menu/MainMenuState.hpp"
#include "game/menu/tests/MenuTestSupport.hpp"
#include "game/shell/FolderFiles.hpp"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

using velk::MainMenuState;
using velk_test::guiRoot;

class HighscoresTest : public velk_test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        // A map folder of the test's own, whatever maps the game ships.
        std::filesystem::remove_all("data/map");
        velk_test::writeFile("data/map/alpha.map.json", "{}");
        velk_test::writeFile("data/map/béta.map.json", "{}");
        velk_test::writeFile("data/map/notes.txt", "not a map");
        std::filesystem::create_directories("data/map/folder.json");
        execute("INSERT INTO scores (name, score, map, mode) VALUES "
                "('Anna', 500, 'alpha.map.json', 1), ('Bea', 2000, 'béta.map.json', 1), "
                "('Cili', 1200, 'alpha.map.json', 1), ('Dóra', -50, 'béta.map.json', 1), "
                "('Edit', 700, 'gone.map.json', 1)");
        velk_test::writeFile(MainMenuState::LangIniPath, "en");
        menu = velk_test::makeMenu(cursor);
        menu->onStateStart();
        velk_test::click(guiRoot()->getChild("ContentHolder/Content/HighscoresButton"));
    }

    void TearDown() override
    {
        menu->onStateEnd();
        menu.reset();
        EngineFixture::TearDown();
    }

    CEGUI::MultiColumnList* list() const
    {
        return static_cast<CEGUI::MultiColumnList*>(guiRoot()->getChild("Highscores/List"));
    }
    CEGUI::Combobox* filter() const { return static_cast<CEGUI::Combobox*>(guiRoot()->getChild("Highscores/Filter")); }

    /// The list's rows as "name score map".
    std::vector<std::string> rows() const
    {
        std::vector<std::string> result;
        for (unsigned row = 0; row < list()->getRowCount(); ++row) {
            std::string line;
            for (unsigned column = 0; column < 3; ++column) {
                const CEGUI::ListboxItem* item = list()->getItemAtGridReference(CEGUI::MCLGridRef(row, column));
                line += (column ? " " : "") + std::string(item ? item->getText().c_str() : "?");
            }
            result.push_back(line);
        }
        return result;
    }

    int storedRows() const
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(GameFramework::Singleton.getDatabase(), "SELECT COUNT(*) FROM scores", -1, &statement,
                           nullptr);
        sqlite3_step(statement);
        const int count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        return count;
    }

    velk_test::GuiCursorSource cursor;
    std::shared_ptr<MainMenuState> menu;
};

TEST_F(HighscoresTest, RowsComeHighestFirstWithTheirColumns)
{
    EXPECT_EQ(velk_test::modalWindow(), guiRoot()->getChild("Highscores"));
    const std::vector<std::string> expected = {"Bea 2000 béta.map.json", "Cili 1200 alpha.map.json",
                                               "Edit 700 gone.map.json", "Anna 500 alpha.map.json",
                                               "Dóra -50 béta.map.json"};
    EXPECT_EQ(rows(), expected);
    ASSERT_EQ(list()->getColumnCount(), 3u);
    EXPECT_EQ(list()->getHeaderSegmentForColumn(0).getText(), "Name");
    EXPECT_EQ(list()->getHeaderSegmentForColumn(2).getText(), "Map");
}

TEST_F(HighscoresTest, FilterListsAllMapsThenTheMapFiles)
{
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < filter()->getItemCount(); ++i)
        entries.push_back(filter()->getListboxItemFromIndex(i)->getText().c_str());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], "All maps");
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries[1], "alpha.map.json");
    EXPECT_EQ(entries[2], "béta.map.json");
    EXPECT_EQ(filter()->getText(), "All maps");
}

TEST_F(HighscoresTest, FilterShowsOneMapAndAllAgain)
{
    ASSERT_TRUE(velk_test::acceptComboItem(filter(), "alpha.map.json"));
    EXPECT_EQ(menu->getFilterMap(), "alpha.map.json");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Cili 1200 alpha.map.json", "Anna 500 alpha.map.json"}));
    ASSERT_TRUE(velk_test::acceptComboItem(filter(), "All maps"));
    EXPECT_EQ(menu->getFilterMap(), "");
    EXPECT_EQ(rows().size(), 5u);
}

TEST_F(HighscoresTest, ClearRemovesOnlyTheSelectedMapsRows)
{
    // Typing cannot change the filter: only an entry picked from the list can.
    EXPECT_TRUE(filter()->isReadOnly());
    ASSERT_TRUE(velk_test::acceptComboItem(filter(), "alpha.map.json"));
    EXPECT_EQ(menu->getFilterMap(), "alpha.map.json");
    velk_test::click(guiRoot()->getChild("Highscores/ClearButton"));
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(storedRows(), 3);
    ASSERT_TRUE(velk_test::acceptComboItem(filter(), "All maps"));
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"Bea 2000 béta.map.json", "Edit 700 gone.map.json", "Dóra -50 béta.map.json"}));
}

TEST_F(HighscoresTest, ClearWithAllMapsEmptiesTheTable)
{
    velk_test::click(guiRoot()->getChild("Highscores/ClearButton"));
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(storedRows(), 0);
}

TEST_F(HighscoresTest, BackReturnsToTheMainMenu)
{
    menu->highscoreStepper().doBack();
    EXPECT_EQ(velk_test::modalWindow(), guiRoot()->getChild("ContentHolder"));
    EXPECT_FALSE(guiRoot()->getChild("Highscores")->isVisible());
}

TEST(FolderFilesTest, RegularFilesByLastExtension)
{
    velk_test::TempFolder temp;
    velk_test::writeFile(temp / "a.map.json", "{}");
    velk_test::writeFile(temp / "b.JSON", "{}");
    velk_test::writeFile(temp / "c.json.bak", "{}");
    std::filesystem::create_directories(temp / "d.json");
    std::vector<std::string> names = velk::getFilesInFolder(temp.getPath().string(), ".json");
    EXPECT_EQ(names, std::vector<std::string>{"a.map.json"});
    EXPECT_TRUE(velk::getFilesInFolder((temp / "missing").string(), ".json").empty());
    EXPECT_TRUE(velk::getFilesInFolder((temp / "a.map.json").string(), ".json").empty());
}

} // namespace
