#pragma once

#include "engine/SfImageMap.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/Mirrorable2.hpp"
#include "foundation/tools/Rotatable2.hpp"
#include "game/editor/GridElement.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <memory>

namespace velk {

namespace backend {
class PartEntry;
class ShipPart;
} // namespace backend

/// A placed part on the builder grid: its editor picture, its catalogue body
/// outline (stippled, solid red when selected) and a cross at its origin.
/// Every move, turn or mirroring while it is handled is written to its
/// entry; re-placing it from the entry (zoom, pan, release) writes nothing,
/// so stored positions never drift. Inactive parts (another inventory tab)
/// are dimmed and cannot be picked.
class GridPartElement : public GridElement,
                        public tools::Activable,
                        public tools::Rotatable2<float>,
                        public tools::Mirrorable2 {
public:
    static const char* const ItemsMapPath;
    static const char* const CockpitsMapPath;

    /// A new part of a catalogue kind whose origin lies at a canvas position;
    /// adds its entry to the ship. `part` must not be null.
    GridPartElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::ShipPart* part,
                    const math::Vector2<float>& canvasPos);
    /// The element of an existing entry whose kind the catalogue holds.
    GridPartElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::PartEntry* entry);
    /// A valid element takes its entry out of the ship.
    ~GridPartElement() override;

    backend::PartEntry* getPartEntry() const { return entry; }
    backend::ShipPart* getShipPart() const { return part; }

    void onMoved(const math::Vector2<float>& delta) override;
    void onRotated(float delta) override;
    void onMirroredX() override;
    bool isPointInside(const math::Vector2<float>& p) const override;
    bool isInsideArea(const Box& box) const override;
    void updatePosition() override;
    void drawOnGrid(const math::Vector2<float>& offset) override;

    /// Loads the two image maps and, with a window, their pictures; failures
    /// leave them empty and the parts draw without a picture.
    static void initTextures();
    /// Clears the image maps and frees the pictures.
    static void shutdownTextures();
    /// The picture sheet of the part's image map; null while none is loaded.
    static const sf::Texture* getTextureForPart(const backend::ShipPart* part);
    /// The part's picture in its image map; the empty rectangle when missing.
    static sf::IntRect getTextureRectForPart(const backend::ShipPart* part);
    static std::array<SfImageMap, 2>& imageMaps() { return sImageMaps; }

private:
    static std::size_t mapIndexForPart(const backend::ShipPart* part);

    backend::PartEntry* entry;
    backend::ShipPart* part;
    /// Set while re-placing from the entry: the hooks then write nothing back.
    bool placing = false;

    static std::array<SfImageMap, 2> sImageMaps;
    // Made only with a window: an SFML texture needs a display even when empty.
    static std::array<std::unique_ptr<sf::Texture>, 2> sTextures;
};

} // namespace velk
