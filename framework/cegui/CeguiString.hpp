#pragma once

#include <CEGUI/String.h>

#include <exception>
#include <string>

namespace CEGUI {
class Font;
}

/// The CEGUI string of a UTF-8 text, up to its first zero byte. Malformed
/// UTF-8 (stray continuation bytes, cut-off or overlong sequences, surrogates,
/// values beyond U+10FFFF) becomes U+FFFD instead of being read past its end.
CEGUI::String utf8ToCeguiString(std::string text);

/// The UTF-8 text of a CEGUI string, up to its first zero character.
std::string ceguiStringToUtf8(CEGUI::String text);

/// What an exception says, on one line for the log: CEGUI's own exceptions by
/// their message (without the source location; a script's message in the
/// UTF-8 Lua wrote it in), others by what().
std::string exceptionText(const std::exception_ptr& error);

/// The text followed by the tail (such as a mark of unsaved changes), within
/// `width` pixels of the font: the text is cut short with "…" as far as it
/// must be for the whole tail to show.
CEGUI::String fitWithTail(const CEGUI::String& text, const CEGUI::String& tail, const CEGUI::Font& font, float width);
