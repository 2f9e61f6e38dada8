// The language choice of the main menu: the selector shown at a first start,
// the language list of the settings, and the file "lang.ini" that remembers it.

#include "game/menu/MainMenuState.hpp"

#include "app/GeneralSubSettings.hpp"
#include "app/Language.hpp"
#include "engine/GameFramework.hpp"
#include "foundation/tools/AtomicFile.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/CEGUI.h>

#include <filesystem>
#include <fstream>

namespace velk {

namespace {

const char* const kLangCodeKey = "LangCode";
/// Height of one radio button of the selector, in pixels.
const float kRadioHeight = 30.0f;

} // namespace

void MainMenuState::connectToLangMenu()
{
    langSelector = CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow()->getChild("LangSelector");
    lastRadioButton = nullptr;
    CEGUI::Window* langs = langSelector->getChild("Langs");
    std::vector<CEGUI::Window*> radios;
    const app::Language* language = GameFramework::Singleton.getLanguage();
    for (const auto& [code, name] : language->getLanguageList()) {
        auto* radio = static_cast<CEGUI::RadioButton*>(
            CEGUI::WindowManager::getSingleton().createWindow("GWEN/RadioButton", ""));
        const float y = kRadioHeight * static_cast<float>(radios.size());
        radio->setArea(CEGUI::UVector2(CEGUI::UDim(0.0f, 0.0f), CEGUI::UDim(0.0f, y)),
                       CEGUI::USize(CEGUI::UDim(1.0f, 0.0f), CEGUI::UDim(0.0f, kRadioHeight)));
        radio->setText(utf8ToCeguiString(name));
        radio->setUserString(kLangCodeKey, utf8ToCeguiString(code));
        if (code == "en")
            radio->setSelected(true);
        langs->addChild(radio);
        lastRadioButton = radio;
        radios.push_back(radio);
    }

    langDoneButton = langSelector->getChild("Buttons/DoneButton");
    langDoneButton->subscribeEvent(CEGUI::PushButton::EventClicked,
                                   CEGUI::Event::Subscriber(&MainMenuState::onLangDone, this));
    CEGUI::Window* exit = langSelector->getChild("Buttons/ExitButton");
    exit->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&MainMenuState::onLangExit, this));

    langMenuStepper.clear();
    if (radios.empty()) {
        langMenuStepper.getRoot()->connectTo(exit, GuiStepper::Node::All);
        langDoneButton->setDisabled(true);
    } else {
        GuiStepper::Node* node = langMenuStepper.getRoot()->connectTo(radios.front(), GuiStepper::Node::All);
        for (std::size_t i = 1; i < radios.size(); ++i)
            node = node->connectTo(radios[i], GuiStepper::Node::Down);
        GuiStepper::Node* done = node->connectTo(langDoneButton, GuiStepper::Node::Down);
        GuiStepper::Node* exitNode = done->connectTo(exit, GuiStepper::Node::Horizontal);
        exitNode->connectTo(radios.back(), GuiStepper::Node::Up);
        done->connectTo(radios.front(), GuiStepper::Node::Down);
        exitNode->connectTo(radios.front(), GuiStepper::Node::Down);
    }
    closeLang();
}

void MainMenuState::openLang()
{
    showWindow(langSelector);
}

void MainMenuState::closeLang()
{
    hideWindow(langSelector);
}

void MainMenuState::doneLang()
{
    const CEGUI::RadioButton* selected = lastRadioButton ? lastRadioButton->getSelectedButtonInGroup() : nullptr;
    if (!selected)
        return;
    const std::string code = ceguiStringToUtf8(selected->getUserString(kLangCodeKey));
    GameFramework::Singleton.getLanguage()->setActLangCode(code);
    setIniLangCode(code);
    closeLang();
    // The rebuild destroys the button whose handler is running; it waits for
    // the next frame's update.
    rebuildPending = true;
    afterRebuild = AfterRebuild::MainMenu;
}

bool MainMenuState::onLangDone(const CEGUI::EventArgs&)
{
    doneLang();
    return true;
}

bool MainMenuState::onLangExit(const CEGUI::EventArgs&)
{
    app::State::terminate();
    return true;
}

bool MainMenuState::onLanguageChanged(const CEGUI::EventArgs&)
{
    const CEGUI::ListboxItem* item = languageList ? languageList->getSelectedItem() : nullptr;
    if (!item)
        return true;
    const std::string code = ceguiStringToUtf8(item->getTooltipText());
    app::Language* language = GameFramework::Singleton.getLanguage();
    if (!language->isTranslationExist(code))
        return true;
    GameFramework::Singleton.getGeneralSettings()->setLangCode(code);
    language->setActLangCode(code);
    setIniLangCode(code);
    rebuildPending = true;
    afterRebuild = AfterRebuild::SettingsOthers;
    return true;
}

std::string MainMenuState::getIniLangCode()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(LangIniPath, error))
        return std::string();
    std::ifstream in(LangIniPath);
    std::string code;
    in >> code;
    return code;
}

bool MainMenuState::setIniLangCode(const std::string& code)
{
    std::string error;
    if (tools::writeFileAtomically(LangIniPath, code, &error))
        return true;
    tools::log("MainMenu", std::string("Language choice not saved to \"") + LangIniPath + "\": " + error);
    return false;
}

} // namespace velk
