#include "framework/sfml/ClipboardBitmap.hpp"

#include "foundation/tools/Log.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t FileHeaderSize = 14;

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

} // namespace

std::vector<std::uint8_t> makeClipboardBitmap(const sf::Image& image)
{
    const sf::Vector2u size = image.getSize();
    const std::size_t width = size.x;
    const std::size_t height = size.y;
    const std::size_t stride = (3 * width + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * height;

    std::vector<std::uint8_t> out(InfoHeaderSize + pixelBytes, 0);
    put32(out, 0, InfoHeaderSize);
    put32(out, 4, static_cast<std::uint32_t>(width));
    put32(out, 8, static_cast<std::uint32_t>(height));
    put16(out, 12, 1);  // planes
    put16(out, 14, 24); // bits per pixel
    put32(out, 16, 0);  // uncompressed
    put32(out, 20, static_cast<std::uint32_t>(pixelBytes));
    // Resolutions and colour counts stay 0.

    const std::uint8_t* pixels = image.getPixelsPtr();
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* source = pixels + (height - 1 - row) * width * 4;
        std::uint8_t* target = out.data() + InfoHeaderSize + row * stride;
        for (std::size_t x = 0; x < width; ++x) {
            target[3 * x] = source[4 * x + 2];
            target[3 * x + 1] = source[4 * x + 1];
            target[3 * x + 2] = source[4 * x];
        }
    }
    return out;
}

std::vector<std::uint8_t> makeBmpFile(const std::vector<std::uint8_t>& bitmap)
{
    std::vector<std::uint8_t> out(FileHeaderSize + bitmap.size(), 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(FileHeaderSize + bitmap.size()));
    // Two reserved words stay 0; the pixels follow both headers.
    put32(out, 10, static_cast<std::uint32_t>(FileHeaderSize + InfoHeaderSize));
    std::copy(bitmap.begin(), bitmap.end(), out.begin() + FileHeaderSize);
    return out;
}

std::vector<std::uint8_t> makePngFile(const sf::Image& image)
{
    // SFML 2.5 encodes images only into files: write a private temporary file
    // and read it back.
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path tempRoot = fs::temp_directory_path(ec);
    if (ec) {
        tools::log("Sfml", "No temporary folder for the PNG image: " + ec.message());
        return {};
    }
    std::string pattern = (tempRoot / "velk-png-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        tools::log("Sfml", "Cannot create a temporary folder in " + tempRoot.string());
        return {};
    }
    const fs::path folder(pattern);
    const fs::path file = folder / "image.png";

    std::vector<std::uint8_t> bytes;
    if (image.saveToFile(file.string())) {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            bytes.clear();
    }
    if (bytes.empty())
        tools::log("Sfml", "Cannot encode the image as PNG");
    fs::remove_all(folder, ec);
    return bytes;
}
