#include "framework/cegui/CeguiAccentRoomParser.hpp"

#include <CEGUI/Font.h>
#include <CEGUI/FontGlyph.h>
#include <CEGUI/Image.h>
#include <CEGUI/RenderedString.h>
#include <CEGUI/RenderedStringTextComponent.h>
#include <CEGUI/Window.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

/// The capitals whose accents reach highest: Ő Ű Á É Í Ó Ú.
const CEGUI::utf32 kAccentedCapitals[] = {0x150, 0x170, 0xC1, 0xC9, 0xCD, 0xD3, 0xDA};

/// A text component drawn that much lower, in a line that much taller.
class AccentRoomText : public CEGUI::RenderedStringTextComponent {
public:
    explicit AccentRoomText(const CEGUI::RenderedStringTextComponent& text) : CEGUI::RenderedStringTextComponent(text)
    {}

    void draw(const CEGUI::Window* window, CEGUI::GeometryBuffer& buffer, const CEGUI::Vector2f& position,
              const CEGUI::ColourRect* colours, const CEGUI::Rectf* clip, const float verticalSpace,
              const float spaceExtra) const override
    {
        const CEGUI::Vector2f lowered(position.d_x, position.d_y + room(window));
        CEGUI::RenderedStringTextComponent::draw(window, buffer, lowered, colours, clip, verticalSpace, spaceExtra);
    }

    CEGUI::Sizef getPixelSize(const CEGUI::Window* window) const override
    {
        CEGUI::Sizef size = CEGUI::RenderedStringTextComponent::getPixelSize(window);
        size.d_height += room(window);
        return size;
    }

    // Word wrapping splits lines; both parts keep the room.
    AccentRoomText* split(const CEGUI::Window* window, float splitPoint, bool firstComponent) override
    {
        const std::unique_ptr<CEGUI::RenderedStringTextComponent> left(
            CEGUI::RenderedStringTextComponent::split(window, splitPoint, firstComponent));
        return new AccentRoomText(*left);
    }

    AccentRoomText* clone() const override { return new AccentRoomText(*this); }

private:
    /// The font draws a line's baseline its baseline's height below the line's top.
    float room(const CEGUI::Window* window) const
    {
        const CEGUI::Font* font = getEffectiveFont(window);
        return font ? accentRoom(font, font->getBaseline()) : 0.0f;
    }
};

/// The parsed string with every text component in place of one with room.
class AccentRoomString : public CEGUI::RenderedString {
public:
    explicit AccentRoomString(const CEGUI::RenderedString& parsed) : CEGUI::RenderedString(parsed)
    {
        for (CEGUI::RenderedStringComponent*& component : d_components) {
            if (const auto* text = dynamic_cast<const CEGUI::RenderedStringTextComponent*>(component)) {
                CEGUI::RenderedStringComponent* roomy = new AccentRoomText(*text);
                delete component;
                component = roomy;
            }
        }
    }
};

} // namespace

float accentRoom(const CEGUI::Font* font, float baseline)
{
    if (!font)
        return 0.0f;
    float highest = 0.0f; // glyph tops are negative offsets from the baseline
    for (CEGUI::utf32 letter : kAccentedCapitals)
        if (const CEGUI::FontGlyph* glyph = font->getGlyphData(letter))
            if (const CEGUI::Image* image = glyph->getImage())
                highest = std::min(highest, image->getRenderedOffset().d_y);
    return std::max(0.0f, std::ceil(-highest - baseline));
}

CEGUI::RenderedString CeguiAccentRoomParser::parse(const CEGUI::String& input, const CEGUI::Font* font,
                                                   const CEGUI::ColourRect* colours)
{
    if (tags == Tags::Verbatim)
        return AccentRoomString(verbatim.parse(input, font, colours));
    return AccentRoomString(basic.parse(input, font, colours));
}

void showTextsVerbatim(CEGUI::Window* window)
{
    // Stateless, so one serves every window, for as long as any lives.
    static CeguiAccentRoomParser parser(CeguiAccentRoomParser::Tags::Verbatim);
    if (window)
        window->setCustomRenderedStringParser(&parser);
}
