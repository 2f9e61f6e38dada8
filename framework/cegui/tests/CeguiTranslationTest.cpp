#include "testsupport/gui/CeguiNullFixture.hpp"

#include "app/Language.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTranslation.hpp"
#include "testsupport/LogCapture.hpp"
#include "testsupport/app/TestDatabase.hpp"

namespace {

class CeguiTranslationTest : public velk_test::CeguiFixture {
protected:
    void SetUp() override
    {
        const velk_test::LogCapture quiet; // the language logs its set-up
        velk_test::CeguiFixture::SetUp();
        ASSERT_TRUE(database.exec(
            "CREATE TABLE 'lang' ('code' TEXT PRIMARY KEY NOT NULL, 'en' TEXT NOT NULL, 'hu' TEXT NOT NULL);"
            "INSERT INTO lang VALUES ('general.localname', 'English', 'Magyar');"
            "INSERT INTO lang VALUES ('highscores.name', 'Name', 'N\xC3\xA9v');"
            "INSERT INTO lang VALUES ('menu.exit', 'Exit', 'Kil\xC3\xA9p\xC3\xA9s');"));
        language = std::make_unique<app::Language>();
        language->setDatabase(database.get());
        language->setActLangCode("en");
        setCeguiTranslationLanguage(language.get());
    }

    void TearDown() override
    {
        setCeguiTranslationLanguage(nullptr);
        language.reset();
        velk_test::CeguiFixture::TearDown();
    }

    CEGUI::Window* textWindow(const std::string& text, CEGUI::Window* parent = nullptr)
    {
        static int counter = 0;
        CEGUI::Window* window = create("DefaultWindow", "W" + CEGUI::PropertyHelper<int>::toString(++counter), parent);
        window->setText(utf8ToCeguiString(text));
        return window;
    }

    static std::string textOf(const CEGUI::Window* window) { return ceguiStringToUtf8(window->getText()); }

    velk_test::TestDatabase database{false};
    std::unique_ptr<app::Language> language;
};

TEST_F(CeguiTranslationTest, CodeAfterAtSignIsReplacedByItsText)
{
    const velk_test::LogCapture quiet;
    CEGUI::Window* name = textWindow("@highscores.name");
    translateCeguiWindow(name, false);
    EXPECT_EQ(textOf(name), "Name");

    // Translated once, the text no longer starts with "@".
    language->setActLangCode("hu");
    translateCeguiWindow(name, false);
    EXPECT_EQ(textOf(name), "Name");

    CEGUI::Window* fresh = textWindow("@highscores.name");
    translateCeguiWindow(fresh, false);
    EXPECT_EQ(textOf(fresh), "N\xC3\xA9v");
    EXPECT_EQ(fresh->getText().length(), 3u);
}

TEST_F(CeguiTranslationTest, MissingCodesShowMarked)
{
    CEGUI::Window* missing = textWindow("@mapper.untitled");
    CEGUI::Window* bare = textWindow("@");
    translateCeguiWindow(missing, false);
    translateCeguiWindow(bare, false);
    EXPECT_EQ(textOf(missing), "<!mapper.untitled!>");
    EXPECT_EQ(textOf(bare), "<!!>");
}

TEST_F(CeguiTranslationTest, OtherTextsStay)
{
    CEGUI::Window* plain = textWindow("Score: 100");
    CEGUI::Window* inner = textWindow("mail@highscores.name");
    CEGUI::Window* empty = textWindow("");
    CEGUI::Window* spaced = textWindow(" @highscores.name");
    for (CEGUI::Window* window : {plain, inner, empty, spaced}) {
        translateCeguiWindow(window, true);
    }
    translateCeguiWindow(nullptr, true);
    translateCeguiWindow(nullptr, false);
    EXPECT_EQ(textOf(plain), "Score: 100");
    EXPECT_EQ(textOf(inner), "mail@highscores.name");
    EXPECT_EQ(textOf(empty), "");
    EXPECT_EQ(textOf(spaced), " @highscores.name");
}

TEST_F(CeguiTranslationTest, RecursionReachesEveryDescendant)
{
    CEGUI::Window* top = textWindow("@menu.exit");
    CEGUI::Window* middle = textWindow("@highscores.name", top);
    CEGUI::Window* deep = textWindow("@menu.exit", middle);
    CEGUI::Window* deeper = textWindow("@highscores.name", deep);
    CEGUI::Window* sibling = textWindow("@menu.exit", top);

    translateCeguiWindow(top, false);
    EXPECT_EQ(textOf(top), "Exit");
    EXPECT_EQ(textOf(middle), "@highscores.name");
    EXPECT_EQ(textOf(sibling), "@menu.exit");

    translateCeguiWindow(top, true);
    EXPECT_EQ(textOf(middle), "Name");
    EXPECT_EQ(textOf(deep), "Exit");
    EXPECT_EQ(textOf(deeper), "Name");
    EXPECT_EQ(textOf(sibling), "Exit");
}

TEST_F(CeguiTranslationTest, AutomaticChildrenOfWidgetsAreTranslatedToo)
{
    CEGUI::Window* combo = create("GWEN/Combobox", "Combo");
    CEGUI::Window* edit = combo->getChild("__auto_editbox__");
    edit->setText("@highscores.name");
    translateCeguiWindow(combo, true);
    EXPECT_EQ(textOf(edit), "Name");
}

TEST_F(CeguiTranslationTest, WithoutALanguageCodesShowMarked)
{
    setCeguiTranslationLanguage(nullptr);
    EXPECT_EQ(getCeguiTranslationLanguage(), nullptr);
    CEGUI::Window* before = textWindow("@menu.exit");
    translateCeguiWindow(before, false);
    EXPECT_EQ(textOf(before), "<!menu.exit!>");

    setCeguiTranslationLanguage(language.get());
    EXPECT_EQ(getCeguiTranslationLanguage(), language.get());
    CEGUI::Window* after = textWindow("@menu.exit");
    translateCeguiWindow(after, true);
    EXPECT_EQ(textOf(after), "Exit");
}

} // namespace
