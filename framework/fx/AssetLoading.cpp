#include "framework/fx/AssetLoading.hpp"

#include "foundation/tools/Log.hpp"
#include "foundation/tools/RegularFile.hpp"

#include <array>

namespace fx {

bool loadImage(sf::Image& image, const std::string& path)
{
    std::string file;
    return tools::readRegularFile(path, file) && image.loadFromMemory(file.data(), file.size());
}

bool loadTexture(sf::Texture& texture, const std::string& path)
{
    // The pixels first, so that a file that cannot be decoded leaves the texture.
    sf::Image image;
    return loadImage(image, path) && texture.loadFromImage(image);
}

std::unique_ptr<sf::Shader> loadShader(const std::string& path, sf::Shader::Type type)
{
    std::string source;
    if (!tools::readRegularFile(path, source))
        return nullptr;
    auto shader = std::make_unique<sf::Shader>();
    if (!sf::Shader::isAvailable() || !shader->loadFromMemory(source, type))
        return nullptr;
    return shader;
}

std::shared_ptr<sf::Texture> AssetLoading<sf::Texture>::load(const std::string& path)
{
    // Even an empty texture asks for a GL context: only a readable image makes one.
    sf::Image image;
    if (!loadImage(image, path))
        return nullptr;
    auto texture = std::make_shared<sf::Texture>();
    if (!texture->loadFromImage(image))
        return nullptr;
    return texture;
}

std::shared_ptr<sf::SoundBuffer> AssetLoading<sf::SoundBuffer>::load(const std::string& path)
{
    // The buffer decodes every sample at once, so the file need not outlive it.
    std::string file;
    auto buffer = std::make_shared<sf::SoundBuffer>();
    if (!tools::readRegularFile(path, file) || !buffer->loadFromMemory(file.data(), file.size()))
        return nullptr;
    return buffer;
}

std::shared_ptr<sf::SoundBuffer> AssetLoading<sf::SoundBuffer>::fallback()
{
    static constexpr unsigned kRate = 44100;
    const std::array<sf::Int16, 16> silence{};
    auto buffer = std::make_shared<sf::SoundBuffer>();
    buffer->loadFromSamples(silence.data(), silence.size(), 1, kRate);
    return buffer;
}

namespace {
/// A font reads its glyphs from the file's bytes whenever it draws a new one,
/// so the bytes live as long as the font.
struct FontWithFile {
    std::string file;
    sf::Font font; // after the bytes: destroyed before them
};
} // namespace

std::shared_ptr<sf::Font> AssetLoading<sf::Font>::load(const std::string& path)
{
    auto held = std::make_shared<FontWithFile>();
    if (!tools::readRegularFile(path, held->file) || !held->font.loadFromMemory(held->file.data(), held->file.size()))
        return nullptr;
    return std::shared_ptr<sf::Font>(held, &held->font);
}

void logAssetFailure(const char* kind, const std::string& path, const char* fallbackNote)
{
    tools::log("Assets", std::string("Cannot load ") + kind + " \"" + path + "\"; " + fallbackNote);
}

} // namespace fx
