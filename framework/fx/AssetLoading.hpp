#pragma once

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>

namespace fx {

// Every file is read whole into memory first and decoded from there, so that
// only regular files of a bounded size are ever opened (a named pipe would
// block the game, a device such as /dev/zero would never end); those that are
// not fail with a log line naming the file.

/// Decodes the picture at `path` into `image`; false when it cannot.
bool loadImage(sf::Image& image, const std::string& path);

/// Makes `texture` from the picture at `path`; a file that cannot be read or
/// decoded leaves the texture as it was.
bool loadTexture(sf::Texture& texture, const std::string& path);

/// A shader of one stage compiled from the source at `path`; null when the
/// file cannot be read (then without GL work) or the shader not compiled.
std::unique_ptr<sf::Shader> loadShader(const std::string& path, sf::Shader::Type type);

/// How a resource type is loaded from a file, and what stands in for a file
/// that cannot be loaded.
template <typename T>
struct AssetLoading;

template <>
struct AssetLoading<sf::Texture> {
    static constexpr const char* kind = "texture";
    /// Null when the image cannot be read; no GL work happens in that case.
    static std::shared_ptr<sf::Texture> load(const std::string& path);
    /// Null: users draw without the texture.
    static std::shared_ptr<sf::Texture> fallback() { return nullptr; }
    static constexpr const char* fallbackNote = "drawing without it";
};

template <>
struct AssetLoading<sf::SoundBuffer> {
    static constexpr const char* kind = "sound";
    static std::shared_ptr<sf::SoundBuffer> load(const std::string& path);
    /// A buffer of a few silent samples: the sound plays, and nothing is heard.
    static std::shared_ptr<sf::SoundBuffer> fallback();
    static constexpr const char* fallbackNote = "playing silence instead";
};

template <>
struct AssetLoading<sf::Font> {
    static constexpr const char* kind = "font";
    static std::shared_ptr<sf::Font> load(const std::string& path);
    /// Null: texts that need it are not drawn.
    static std::shared_ptr<sf::Font> fallback() { return nullptr; }
    static constexpr const char* fallbackNote = "texts with it are not drawn";
};

/// Writes the one log line for a file that failed to load.
void logAssetFailure(const char* kind, const std::string& path, const char* fallbackNote);

} // namespace fx
