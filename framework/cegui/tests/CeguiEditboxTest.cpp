#include "testsupport/gui/CeguiNullFixture.hpp"

#include "framework/cegui/CeguiEditbox.hpp"
#include "framework/cegui/CeguiRegexMatcher.hpp"
#include "framework/cegui/CeguiString.hpp"

namespace {

TEST(CeguiRegexMatcherTest, WholeTextMustMatch)
{
    CeguiRegexMatcher matcher;
    EXPECT_EQ(matcher.getRegexString(), ".*");
    EXPECT_EQ(matcher.getMatchStateOfString("anything"), CEGUI::RegexMatcher::MS_VALID);

    matcher.setRegexString("-?\\d*");
    EXPECT_EQ(matcher.getRegexString(), "-?\\d*");
    EXPECT_EQ(matcher.getMatchStateOfString(""), CEGUI::RegexMatcher::MS_VALID);
    EXPECT_EQ(matcher.getMatchStateOfString("-"), CEGUI::RegexMatcher::MS_VALID);
    EXPECT_EQ(matcher.getMatchStateOfString("-42"), CEGUI::RegexMatcher::MS_VALID);
    EXPECT_EQ(matcher.getMatchStateOfString("4a2"), CEGUI::RegexMatcher::MS_INVALID);
    EXPECT_EQ(matcher.getMatchStateOfString("42 "), CEGUI::RegexMatcher::MS_INVALID);
}

TEST(CeguiRegexMatcherTest, BrokenExpressionIsRejectedAndTheOldOneStays)
{
    CeguiRegexMatcher matcher;
    matcher.setRegexString("[a-z]*");
    EXPECT_THROW(matcher.setRegexString("(unclosed"), CEGUI::InvalidRequestException);
    EXPECT_EQ(matcher.getRegexString(), "[a-z]*");
    EXPECT_EQ(matcher.getMatchStateOfString("abc"), CEGUI::RegexMatcher::MS_VALID);
    EXPECT_EQ(matcher.getMatchStateOfString("ABC"), CEGUI::RegexMatcher::MS_INVALID);
}

TEST(CeguiRegexMatcherTest, HungarianTextIsMatchedAsUtf8)
{
    CeguiRegexMatcher matcher;
    matcher.setRegexString(utf8ToCeguiString("T\xC3\xBCk\xC3\xB6r.*"));
    EXPECT_EQ(matcher.getMatchStateOfString(utf8ToCeguiString("T\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3")),
              CEGUI::RegexMatcher::MS_VALID);
    EXPECT_EQ(matcher.getMatchStateOfString("Tukor"), CEGUI::RegexMatcher::MS_INVALID);
}

class CeguiEditboxTest : public velk_test::CeguiFixture {
protected:
    void type(const std::string& text)
    {
        CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
        for (char c : text) {
            context.injectChar(static_cast<CEGUI::utf32>(c));
        }
    }
};

TEST_F(CeguiEditboxTest, EditBoxesValidateTypedText)
{
    auto* edit = dynamic_cast<CEGUI::Editbox*>(create("GWEN/Editbox", "Edit"));
    ASSERT_NE(edit, nullptr);
    edit->setValidationString("[0-9]*");
    edit->activate();
    type("1a2b");
    EXPECT_EQ(edit->getText(), "12");
}

TEST_F(CeguiEditboxTest, SpinnersTakeOnlyNumbers)
{
    auto* spinner = dynamic_cast<CEGUI::Spinner*>(create("GWEN/Spinner", "Spinner"));
    ASSERT_NE(spinner, nullptr);
    spinner->setMinimumValue(0);
    spinner->setMaximumValue(255);
    spinner->setCurrentValue(0);
    CEGUI::Window* edit = spinner->getChild("__auto_editbox__");
    edit->activate();
    edit->setText("");
    type("1x7");
    EXPECT_EQ(edit->getText(), "17");
    EXPECT_DOUBLE_EQ(spinner->getCurrentValue(), 17);
}

TEST_F(CeguiEditboxTest, ComboBoxesAndSpinnersUseTheValidatingEditBox)
{
    CEGUI::Window* spinner = create("GWEN/Spinner", "Spinner");
    CEGUI::Window* combo = create("GWEN/Combobox", "Combo");
    EXPECT_NE(dynamic_cast<CeguiEditbox*>(spinner->getChild("__auto_editbox__")), nullptr);
    EXPECT_NE(dynamic_cast<CeguiEditbox*>(combo->getChild("__auto_editbox__")), nullptr);
}

} // namespace
