#pragma once

#include "foundation/math/Vector2.hpp"
#include "game/ship/HullComponent.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <memory>
#include <vector>

namespace velk {

/// The play-mode hull: the outline's triangles drawn with the ship's texture
/// tinted in the ship's colour, and a darker edge 0.07 world units wide. The
/// texture is fixed to the hull: one world unit spans one texture width at
/// scale 1, shifted by the description's offset.
class PlayHullComponent : public HullComponent {
public:
    /// Width of the edge, in world units, at any zoom.
    static constexpr float OutlineWidth = 0.07f;

    PlayHullComponent();
    ~PlayHullComponent() override;

    /// The base's body, then the mesh and the outline in screen orientation.
    bool build(const std::vector<math::Vector2<float>>& points,
               const std::vector<std::vector<math::Vector2<float>>>& triangles) override;
    /// The base's build; then the texture ("data/img/tex" + the entry's file;
    /// none draws the colour alone), its offset and scale, and the colours.
    bool build(backend::ShipEntry* entry) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    /// Triangles, one vertex per corner: position and texture point in screen orientation.
    const sf::VertexArray& getMesh() const { return mesh; }
    /// The outline as a closed strip: n + 1 points, the last repeating the first.
    const sf::VertexArray& getOutline() const { return outline; }
    /// The edge drawn as quads OutlineWidth wide along the outline.
    const sf::VertexArray& getOutlineBand() const { return outlineBand; }
    const sf::Texture* getTexture() const { return texture.get(); }
    math::Vector2<float> getTextureOffset() const { return textureOffset; }
    float getTextureScale() const { return textureScale; }
    /// Where the texture is sampled for a mesh point, in texture widths.
    math::Vector2<float> getTextureSample(const sf::Vector2f& point) const;

private:
    void buildOutlineBand();
    void applyTextureCoordinates();

    sf::VertexArray mesh{sf::Triangles};
    sf::VertexArray outline{sf::LineStrip};
    sf::VertexArray outlineBand{sf::Triangles};
    std::shared_ptr<sf::Texture> texture;
    math::Vector2<float> textureOffset{0.0f, 0.0f};
    float textureScale = 1.0f;
};

} // namespace velk
