#include "app/GeneralSubSettings.hpp"

namespace app {

namespace {
const char* const kLang = "general.lang";
}

std::string GeneralSubSettings::getLangCode() const
{
    return getSetting(kLang);
}

void GeneralSubSettings::setLangCode(const std::string& code)
{
    setSetting(kLang, code);
}

} // namespace app
