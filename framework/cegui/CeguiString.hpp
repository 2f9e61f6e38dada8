#pragma once

#include <CEGUI/String.h>

#include <string>

/// The CEGUI string of a UTF-8 text, up to its first zero byte. Malformed
/// UTF-8 (stray continuation bytes, cut-off or overlong sequences, surrogates,
/// values beyond U+10FFFF) becomes U+FFFD instead of being read past its end.
CEGUI::String utf8ToCeguiString(std::string text);

/// The UTF-8 text of a CEGUI string, up to its first zero character.
std::string ceguiStringToUtf8(CEGUI::String text);
