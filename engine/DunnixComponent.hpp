#pragma once

#include "engine/GameComponent.hpp"

#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>
#include <vector>

/// Endless background layers behind a world's objects: each is an image
/// tiled over the camera view and shifted with a parallax factor (near 1:
/// far away, it hardly moves on the screen). The layers are drawn under the
/// component's own shape and children, whatever its visible flag says.
class DunnixComponent : public GameComponent {
public:
    struct Layer {
        sf::Texture texture;
        float factor = 0.0f;
    };

    /// Tiles per axis for a view `k` textures wide: odd and at least 5.
    static unsigned tileCount(unsigned k);
    /// The coordinate of the tiled rectangle's centre: factor × centre moved by
    /// whole tiles to within half a tile of the view centre.
    static float snappedCentre(float centre, float factor, float tile);

    DunnixComponent();
    ~DunnixComponent() override;

    /// Adds a layer of the image at `path`; an image that cannot be loaded
    /// adds nothing.
    void addLayer(const std::string& path, float factor);
    std::size_t getLayerCount() const { return layers.size(); }
    const Layer& getLayer(std::size_t index) const { return *layers.at(index); }

    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void drawDunnix(sf::RenderTarget& target, sf::RenderStates states, const sf::Texture& texture, float factor) const;

private:
    // Held by pointer: a texture is never moved once loaded.
    std::vector<std::unique_ptr<Layer>> layers;
};
