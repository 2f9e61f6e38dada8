#pragma once

#include "app/Settings.hpp"

#include <string>

namespace app {

/// General settings: the active language.
class GeneralSubSettings : public Settings::SubSettings {
public:
    GeneralSubSettings() = default;
    ~GeneralSubSettings() override = default;

    /// The code of the active language, a language column of the table "lang".
    std::string getLangCode() const;
    void setLangCode(const std::string& code);
};

} // namespace app
