#include "framework/fx/AssetLoading.hpp"

#include "foundation/tools/Log.hpp"
#include "foundation/tools/RegularFile.hpp"

#include <SFML/Graphics/Image.hpp>

#include <array>

namespace fx {

namespace {
/// Loads a resource whose type reads its own files; null when it cannot.
template <typename T>
std::shared_ptr<T> loadDirectly(const std::string& path)
{
    auto resource = std::make_shared<T>();
    if (!resource->loadFromFile(path))
        return nullptr;
    return resource;
}
} // namespace

std::shared_ptr<sf::Texture> AssetLoading<sf::Texture>::load(const std::string& path)
{
    // Read the pixels first: a missing or broken file then costs no GL
    // context, and only a readable image creates the texture.
    // Read through the foundation so that a named pipe or a device is never
    // opened for reading, and no file beyond the size cap is.
    std::string file;
    if (!tools::readRegularFile(path, file))
        return nullptr;
    sf::Image image;
    if (!image.loadFromMemory(file.data(), file.size()))
        return nullptr;
    auto texture = std::make_shared<sf::Texture>();
    if (!texture->loadFromImage(image))
        return nullptr;
    return texture;
}

std::shared_ptr<sf::SoundBuffer> AssetLoading<sf::SoundBuffer>::load(const std::string& path)
{
    return loadDirectly<sf::SoundBuffer>(path);
}

std::shared_ptr<sf::SoundBuffer> AssetLoading<sf::SoundBuffer>::fallback()
{
    static constexpr unsigned kRate = 44100;
    const std::array<sf::Int16, 16> silence{};
    auto buffer = std::make_shared<sf::SoundBuffer>();
    buffer->loadFromSamples(silence.data(), silence.size(), 1, kRate);
    return buffer;
}

std::shared_ptr<sf::Font> AssetLoading<sf::Font>::load(const std::string& path)
{
    return loadDirectly<sf::Font>(path);
}

void logAssetFailure(const char* kind, const std::string& path, const char* fallbackNote)
{
    tools::log("Assets", std::string("Cannot load ") + kind + " \"" + path + "\"; " + fallbackNote);
}

} // namespace fx
