#pragma once

#include <CEGUI/BasicRenderedStringParser.h>
#include <CEGUI/DefaultRenderedStringParser.h>

namespace CEGUI {
class Font;
class Window;
} // namespace CEGUI

/// How far the highest accent of a Hungarian capital (Ő Ű Á É Í Ó Ú) of the
/// font reaches above the top of a line whose baseline lies `baseline` pixels
/// below that top, in whole pixels; 0 when the accents fit, or without a font.
float accentRoom(const CEGUI::Font* font, float baseline);

/// Parses window texts as CEGUI's basic parser does (its tags included), or
/// verbatim, but every line of text has room above it for the accents of
/// Hungarian capitals. A line is as tall as its font's line spacing and those
/// accents reach above it: a text at the top of its area lost them there, and
/// Í read as I.
class CeguiAccentRoomParser : public CEGUI::RenderedStringParser {
public:
    /// Whether "[...]" in a text is markup (font, colour, image ...) or shown as it is.
    enum class Tags { Markup, Verbatim };

    explicit CeguiAccentRoomParser(Tags tags = Tags::Markup) : tags(tags) {}

    CEGUI::RenderedString parse(const CEGUI::String& input, const CEGUI::Font* font,
                                const CEGUI::ColourRect* colours) override;

private:
    Tags tags;
    CEGUI::BasicRenderedStringParser basic;
    CEGUI::DefaultRenderedStringParser verbatim;
};

/// Makes the window show its texts (its own, and those its look draws from its
/// properties, as a status bar's) exactly as they are, with the same room for
/// accents: for texts holding names of files and players, where "[" is no
/// markup and an unknown font in one would throw.
void showTextsVerbatim(CEGUI::Window* window);
