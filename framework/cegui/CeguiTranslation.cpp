#include "framework/cegui/CeguiTranslation.hpp"

#include "app/Language.hpp"
#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/Window.h>

#include <string>

namespace {

const app::Language* sLanguage = nullptr;

std::string lookUp(const app::Language* language, const std::string& code)
{
    if (language) {
        return language->textForCode(code);
    }
    // Same marked form as a language without the code, so a missing language
    // shows in the GUI instead of crashing it.
    return "<!" + code + "!>";
}

void translate(CEGUI::Window* window, bool recursive, const app::Language* language)
{
    if (!window) {
        return;
    }
    const CEGUI::String text = window->getText();
    if (!text.empty() && text[0] == static_cast<CEGUI::utf32>('@')) {
        const std::string code = ceguiStringToUtf8(text.substr(1));
        window->setText(utf8ToCeguiString(lookUp(language, code)));
    }
    if (!recursive) {
        return;
    }
    // The count is read anew each time: a translation may run handlers that
    // add or remove children.
    for (std::size_t i = 0; i < window->getChildCount(); ++i) {
        translate(window->getChildAtIdx(i), true, language);
    }
}

} // namespace

void setCeguiTranslationLanguage(const app::Language* language)
{
    sLanguage = language;
}

const app::Language* getCeguiTranslationLanguage()
{
    return sLanguage;
}

void translateCeguiWindow(CEGUI::Window* window, bool recursive)
{
    translate(window, recursive, sLanguage);
}
