#pragma once

#include <CEGUI/BasicRenderedStringParser.h>

namespace CEGUI {
class Font;
}

/// How far the highest accent of a Hungarian capital (Ő Ű Á É Í Ó Ú) of the
/// font reaches above the top of a line whose baseline lies `baseline` pixels
/// below that top, in whole pixels; 0 when the accents fit, or without a font.
float accentRoom(const CEGUI::Font* font, float baseline);

/// Parses window texts as CEGUI's basic parser does (its tags included), but
/// every line of text has room above it for the accents of Hungarian capitals.
/// A line is as tall as its font's line spacing and those accents reach above
/// it: a text at the top of its area lost them there, and Í read as I.
class CeguiAccentRoomParser : public CEGUI::RenderedStringParser {
public:
    CEGUI::RenderedString parse(const CEGUI::String& input, const CEGUI::Font* font,
                                const CEGUI::ColourRect* colours) override;

private:
    CEGUI::BasicRenderedStringParser basic;
};
