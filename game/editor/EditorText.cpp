#include "game/editor/EditorText.hpp"

#include "app/Language.hpp"
#include "engine/GameFramework.hpp"

namespace velk {

std::string editorText(const std::string& code)
{
    const app::Language* language = GameFramework::Singleton.getLanguage();
    return language ? language->textForCode(code) : "<!" + code + "!>";
}

} // namespace velk
