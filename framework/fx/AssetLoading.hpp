#pragma once

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>

namespace fx {

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
