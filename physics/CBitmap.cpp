#include "physics/CBitmap.hpp"

#include "foundation/tools/RegularFile.hpp"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>

namespace
{
/// Little-endian reads that report whether the bytes were there.
struct ByteReader
{
    const std::vector<std::uint8_t>& bytes;

    bool has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= bytes.size() && count <= bytes.size() - offset;
    }
    std::uint32_t u8(std::uint64_t at) const { return bytes[at]; }
    std::uint32_t u16(std::uint64_t at) const { return bytes[at] | (bytes[at + 1] << 8); }
    std::uint32_t u32(std::uint64_t at) const
    {
        return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16)
            | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    }
};

unsigned trailingZeros(std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    unsigned count = 0;
    while ((mask & 1u) == 0)
    {
        mask >>= 1;
        ++count;
    }
    return count;
}

unsigned bitCount(std::uint32_t mask)
{
    unsigned count = 0;
    for (; mask != 0; mask &= mask - 1)
        ++count;
    return count;
}
} // namespace

std::uint32_t CBitmap::CColor::Convert(std::uint32_t value, unsigned fromBits, unsigned toBits)
{
    if (toBits >= fromBits)
    {
        if (value == 0)
            return 0;
        const unsigned shift = toBits - fromBits;
        if (shift >= 32)
            return 0xFFFFFFFFu;
        return (value << shift) | ((1u << shift) - 1u);
    }
    const unsigned shift = fromBits - toBits;
    return shift >= 32 ? 0u : value >> shift;
}

int CBitmap::GetWidth() const
{
    return static_cast<int>(std::llabs(static_cast<long long>(infoHeader.width)));
}

int CBitmap::GetHeight() const
{
    return static_cast<int>(std::llabs(static_cast<long long>(infoHeader.height)));
}

void CBitmap::Free()
{
    pixels.reset();
    pixelCount = 0;
}

bool CBitmap::Load(const char* fileName)
{
    if (fileName == nullptr)
        return false;
    std::string file;
    if (!tools::readRegularFile(fileName, file, static_cast<std::uint64_t>(MaxFileSize)))
        return false;
    std::istringstream stream(file);
    return Load(stream);
}

bool CBitmap::Load(std::istream& stream)
{
    Free();
    fileHeader = FileHeader();
    infoHeader = InfoHeader();

    std::vector<std::uint8_t> file;
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0)
    {
        file.insert(file.end(), chunk, chunk + stream.gcount());
        if (static_cast<std::int64_t>(file.size()) > MaxFileSize)
            return false;
    }
    const ByteReader in{file};
    if (!in.has(0, 14))
        return false;
    fileHeader.type = static_cast<std::uint16_t>(in.u16(0));
    fileHeader.size = in.u32(2);
    fileHeader.reserved1 = static_cast<std::uint16_t>(in.u16(6));
    fileHeader.reserved2 = static_cast<std::uint16_t>(in.u16(8));
    fileHeader.offBits = in.u32(10);
    if (fileHeader.type != 0x4D42)
        return false;

    // The info header is read as the 108-byte version 4 whatever its own size says;
    // a file must hold at least the 40 bytes every version has. Bytes beyond the end
    // of a small file read as 0.
    if (!in.has(14, 40))
        return false;
    std::uint8_t raw[108] = {};
    std::copy(file.begin() + 14, file.begin() + 14 + std::min<std::size_t>(108, file.size() - 14), raw);
    const std::vector<std::uint8_t> rawBytes(raw, raw + 108);
    const ByteReader h{rawBytes};
    infoHeader.size = h.u32(0);
    infoHeader.width = static_cast<std::int32_t>(h.u32(4));
    infoHeader.height = static_cast<std::int32_t>(h.u32(8));
    infoHeader.planes = static_cast<std::uint16_t>(h.u16(12));
    infoHeader.bitCount = static_cast<std::uint16_t>(h.u16(14));
    infoHeader.compression = h.u32(16);
    infoHeader.sizeImage = h.u32(20);
    infoHeader.xPelsPerMeter = static_cast<std::int32_t>(h.u32(24));
    infoHeader.yPelsPerMeter = static_cast<std::int32_t>(h.u32(28));
    infoHeader.clrUsed = h.u32(32);
    infoHeader.clrImportant = h.u32(36);
    infoHeader.redMask = h.u32(40);
    infoHeader.greenMask = h.u32(44);
    infoHeader.blueMask = h.u32(48);
    infoHeader.alphaMask = h.u32(52);
    infoHeader.csType = h.u32(56);
    std::copy(raw + 60, raw + 96, infoHeader.endpoints);
    infoHeader.gammaRed = h.u32(96);
    infoHeader.gammaGreen = h.u32(100);
    infoHeader.gammaBlue = h.u32(104);
    return decode(file);
}

bool CBitmap::decode(const std::vector<std::uint8_t>& file)
{
    const std::int64_t width = std::llabs(static_cast<long long>(infoHeader.width));
    const std::int64_t height = std::llabs(static_cast<long long>(infoHeader.height));
    if (width > MaxDimension || height > MaxDimension || width * height > MaxPixels)
        return false;

    // The palette follows the info header; entries past the end of the file read as
    // black, since small pictures may store fewer entries than their bit count allows.
    CColor palette[256];
    const unsigned entries = infoHeader.bitCount == 1 ? 2
        : infoHeader.bitCount == 4                    ? 16
        : infoHeader.bitCount == 8                    ? 256
                                                      : 0;
    const ByteReader in{file};
    const std::uint64_t paletteAt = 14 + static_cast<std::uint64_t>(infoHeader.size);
    for (unsigned i = 0; i < entries; ++i)
    {
        const std::uint64_t at = paletteAt + 4u * i;
        if (!in.has(at, 4))
            break;
        palette[i] = CColor{static_cast<std::uint8_t>(in.u8(at + 2)), static_cast<std::uint8_t>(in.u8(at + 1)),
            static_cast<std::uint8_t>(in.u8(at)), static_cast<std::uint8_t>(in.u8(at + 3))};
    }

    pixelCount = static_cast<std::uint32_t>(width * height);
    pixels.reset(new CColor[pixelCount > 0 ? pixelCount : 1]);

    bool decoded = true;
    switch (infoHeader.compression)
    {
    case 0: decoded = decodeUncompressed(file, palette); break;
    case 1: decoded = decodeRle8(file, palette); break;
    case 3: decoded = decodeBitFields(file); break;
    default: break; // Not decoded: the pixels stay transparent black.
    }
    if (!decoded)
        Free();
    return decoded;
}

bool CBitmap::decodeUncompressed(const std::vector<std::uint8_t>& file, const CColor* palette)
{
    const unsigned bits = infoHeader.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return true; // Not decoded.
    const std::uint64_t width = static_cast<std::uint64_t>(GetWidth());
    const std::uint64_t height = static_cast<std::uint64_t>(GetHeight());
    const std::uint64_t rowSize = (bits * width + 31) / 32 * 4;
    const ByteReader in{file};
    if (!in.has(fileHeader.offBits, rowSize * height))
        return false; // Cut short.
    for (std::uint64_t y = 0; y < height; ++y)
    {
        const std::uint64_t row = fileHeader.offBits + y * rowSize;
        CColor* out = pixels.get() + y * width;
        for (std::uint64_t x = 0; x < width; ++x)
        {
            switch (bits)
            {
            case 1: out[x] = palette[(in.u8(row + x / 8) >> (7 - x % 8)) & 1u]; break;
            case 4: out[x] = palette[(in.u8(row + x / 2) >> (x % 2 == 0 ? 4 : 0)) & 15u]; break;
            case 8: out[x] = palette[in.u8(row + x)]; break;
            case 16:
            {
                const std::uint32_t v = in.u16(row + 2 * x);
                out[x] = CColor{static_cast<std::uint8_t>(((v >> 10) & 31u) * 8),
                    static_cast<std::uint8_t>(((v >> 5) & 31u) * 8), static_cast<std::uint8_t>((v & 31u) * 8), 255};
                break;
            }
            case 24:
                out[x] = CColor{static_cast<std::uint8_t>(in.u8(row + 3 * x + 2)),
                    static_cast<std::uint8_t>(in.u8(row + 3 * x + 1)), static_cast<std::uint8_t>(in.u8(row + 3 * x)),
                    255};
                break;
            default:
                out[x] = CColor{static_cast<std::uint8_t>(in.u8(row + 4 * x + 2)),
                    static_cast<std::uint8_t>(in.u8(row + 4 * x + 1)), static_cast<std::uint8_t>(in.u8(row + 4 * x)),
                    static_cast<std::uint8_t>(in.u8(row + 4 * x + 3))};
                break;
            }
        }
    }
    return true;
}

bool CBitmap::decodeRle8(const std::vector<std::uint8_t>& file, const CColor* palette)
{
    const std::int64_t width = GetWidth();
    const std::int64_t height = GetHeight();
    // Codes may lead anywhere; only positions inside the picture are written.
    auto put = [&](std::int64_t x, std::int64_t y, const CColor& colour)
    {
        if (x >= 0 && x < width && y >= 0 && y < height)
            pixels[static_cast<std::size_t>(y * width + x)] = colour;
    };
    const ByteReader in{file};
    std::uint64_t at = fileHeader.offBits;
    std::int64_t x = 0;
    std::int64_t y = 0;
    while (in.has(at, 2))
    {
        const std::uint32_t count = in.u8(at);
        const std::uint32_t value = in.u8(at + 1);
        at += 2;
        if (count > 0)
        {
            for (std::uint32_t i = 0; i < count; ++i)
                put(x + i, y, palette[value]);
            x += count;
        }
        else if (value == 0)
        {
            ++y;
            x = 0;
        }
        else if (value == 1)
            return true;
        else if (value == 2)
        {
            if (!in.has(at, 2))
                return false;
            x += in.u8(at);
            y += in.u8(at + 1);
            at += 2;
        }
        else
        {
            if (!in.has(at, value))
                return false;
            for (std::uint32_t i = 0; i < value; ++i)
                put(x + i, y, palette[in.u8(at + i)]);
            at += value;
            x += value;
            if (at % 2 == 1 && at < file.size())
                ++at;
        }
    }
    // Data that ends between two codes is complete without its end-of-bitmap code;
    // a lone byte left over is a code cut in half.
    return at == file.size();
}

bool CBitmap::decodeBitFields(const std::vector<std::uint8_t>& file)
{
    const unsigned bits = infoHeader.bitCount;
    if (bits != 16 && bits != 32)
        return true; // Every pixel stays (0, 0, 0, 0).
    const std::uint64_t width = static_cast<std::uint64_t>(GetWidth());
    const std::uint64_t height = static_cast<std::uint64_t>(GetHeight());
    const std::uint64_t rowSize = (bits * width + 31) / 32 * 4;
    const ByteReader in{file};
    if (!in.has(fileHeader.offBits, rowSize * height))
        return false;
    const std::uint32_t masks[4] = {infoHeader.redMask, infoHeader.greenMask, infoHeader.blueMask,
        infoHeader.alphaMask};
    for (std::uint64_t y = 0; y < height; ++y)
        for (std::uint64_t x = 0; x < width; ++x)
        {
            const std::uint64_t at = fileHeader.offBits + y * rowSize + x * (bits / 8);
            const std::uint32_t v = bits == 16 ? in.u16(at) : in.u32(at);
            std::uint8_t channel[4];
            for (int c = 0; c < 4; ++c)
            {
                const std::uint32_t raw = (v & masks[c]) >> trailingZeros(masks[c]);
                channel[c] = static_cast<std::uint8_t>(
                    std::min<std::uint32_t>(255u, CColor::Convert(raw, bitCount(masks[c]), 8)));
            }
            pixels[static_cast<std::size_t>(y * width + x)] = CColor{channel[0], channel[1], channel[2], channel[3]};
        }
    return true;
}
