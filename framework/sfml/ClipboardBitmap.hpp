#pragma once

#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <vector>

/// The screenshot as a device-independent bitmap: a 40-byte BITMAPINFOHEADER
/// (little-endian; positive height, so rows bottom-up; 24 bits per pixel;
/// uncompressed) followed by the rows from the image's bottom row to its top
/// row, each pixel as blue, green, red (alpha dropped), each row padded with
/// zero bytes to a multiple of 4 bytes.
std::vector<std::uint8_t> makeClipboardBitmap(const sf::Image& image);

/// The same bitmap as the contents of a ".bmp" file: the 14-byte file header
/// in front of it.
std::vector<std::uint8_t> makeBmpFile(const std::vector<std::uint8_t>& bitmap);

/// The image as the contents of a ".png" file; empty when encoding failed.
std::vector<std::uint8_t> makePngFile(const sf::Image& image);
