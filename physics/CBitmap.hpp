#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <vector>

/// Reads BMP pictures into 32-bit RGBA pixels: uncompressed 1, 4, 8, 16, 24 and 32
/// bits per pixel, 8-bit run-length coding and 16/32-bit bit fields. Rows keep the
/// file's order (bottom row first for an ordinary, upward picture).
class CBitmap
{
public:
    /// Largest width or height accepted.
    static constexpr std::int64_t MaxDimension = 16384;
    /// Largest pixel count accepted (64 MiB of pixels).
    static constexpr std::int64_t MaxPixels = 1 << 24;
    /// Largest file read.
    static constexpr std::int64_t MaxFileSize = 128 << 20;

    struct CColor
    {
        std::uint8_t r = 0;
        std::uint8_t g = 0;
        std::uint8_t b = 0;
        std::uint8_t a = 0;

        /// Changes a channel's width: widening fills the new low bits with ones (0
        /// stays 0), narrowing drops low bits.
        static std::uint32_t Convert(std::uint32_t value, unsigned fromBits, unsigned toBits);
    };

    /// The 14-byte file header.
    struct FileHeader
    {
        std::uint16_t type = 0;
        std::uint32_t size = 0;
        std::uint16_t reserved1 = 0;
        std::uint16_t reserved2 = 0;
        std::uint32_t offBits = 0;
    };

    /// The 108-byte version-4 info header.
    struct InfoHeader
    {
        std::uint32_t size = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::uint16_t planes = 0;
        std::uint16_t bitCount = 0;
        std::uint32_t compression = 0;
        std::uint32_t sizeImage = 0;
        std::int32_t xPelsPerMeter = 0;
        std::int32_t yPelsPerMeter = 0;
        std::uint32_t clrUsed = 0;
        std::uint32_t clrImportant = 0;
        std::uint32_t redMask = 0;
        std::uint32_t greenMask = 0;
        std::uint32_t blueMask = 0;
        std::uint32_t alphaMask = 0;
        std::uint32_t csType = 0;
        std::uint8_t endpoints[36] = {};
        std::uint32_t gammaRed = 0;
        std::uint32_t gammaGreen = 0;
        std::uint32_t gammaBlue = 0;
    };

    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    /// False when the file does not open, is not a regular file, is no BMP, is cut
    /// short or is too large.
    bool Load(const char* fileName);
    bool Load(std::istream& stream);

    int GetWidth() const;
    int GetHeight() const;
    std::uint32_t GetPixelCount() const { return pixelCount; }
    /// |width| x |height| pixels, rows in file order; null when nothing is loaded.
    const CColor* GetPixels() const { return pixels.get(); }
    /// Frees the pixels.
    void Free();
    const FileHeader& GetFileHeader() const { return fileHeader; }
    const InfoHeader& GetInfoHeader() const { return infoHeader; }

private:
    bool decode(const std::vector<std::uint8_t>& file);
    bool decodeUncompressed(const std::vector<std::uint8_t>& file, const CColor* palette);
    bool decodeRle8(const std::vector<std::uint8_t>& file, const CColor* palette);
    bool decodeBitFields(const std::vector<std::uint8_t>& file);

    FileHeader fileHeader;
    InfoHeader infoHeader;
    std::unique_ptr<CColor[]> pixels;
    std::uint32_t pixelCount = 0;
};
