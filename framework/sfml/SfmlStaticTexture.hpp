#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

/// A program-wide texture that is made on first use rather than during static
/// initialisation: a texture needs an OpenGL context, which must not be asked
/// for before main (SFML's own globals may not exist yet, and a program
/// without a display would fail before it could say why). Converts to
/// `const sf::Texture&`, so it can be drawn with or copied like a texture.
class SfmlStaticTexture {
public:
    explicit SfmlStaticTexture(std::function<sf::Texture()> make);

    SfmlStaticTexture(const SfmlStaticTexture&) = delete;
    SfmlStaticTexture& operator=(const SfmlStaticTexture&) = delete;

    /// The texture; made on the first call (from any thread).
    const sf::Texture& get() const;
    operator const sf::Texture&() const { return get(); }

    /// Whether the texture has been made yet.
    bool isCreated() const;

private:
    std::function<sf::Texture()> make;
    mutable std::once_flag once;
    mutable std::unique_ptr<sf::Texture> texture;
    mutable std::atomic<bool> created{false};
};
