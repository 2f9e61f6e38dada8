#pragma once

#include <string>

namespace velk {

/// The text of a translation code in the engine's active language;
/// "<!" + code + "!>" when there is none (or no language yet).
std::string editorText(const std::string& code);

} // namespace velk
