#include "physics/CBitmap.hpp"

#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;
using Color = CBitmap::CColor;

void put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& b, std::uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

/// A BMP file: header of 40 or 108 bytes, palette entries (blue, green, red, x) and
/// the pixel bytes as given (rows already padded).
struct BmpSpec
{
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::vector<Color> palette;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    Bytes pixels;
};

Bytes build(const BmpSpec& s)
{
    Bytes b;
    const std::uint32_t offBits = 14 + s.headerSize + 4 * static_cast<std::uint32_t>(s.palette.size());
    b.push_back('B');
    b.push_back('M');
    put32(b, offBits + static_cast<std::uint32_t>(s.pixels.size()));
    put32(b, 0);
    put32(b, offBits);
    put32(b, s.headerSize);
    put32(b, static_cast<std::uint32_t>(s.width));
    put32(b, static_cast<std::uint32_t>(s.height));
    put16(b, 1);
    put16(b, s.bits);
    put32(b, s.compression);
    for (int i = 0; i < 5; ++i)
        put32(b, 0);
    if (s.headerSize >= 108)
    {
        for (std::uint32_t m : s.masks)
            put32(b, m);
        b.resize(14 + s.headerSize, 0);
    }
    for (const Color& c : s.palette)
    {
        b.push_back(c.b);
        b.push_back(c.g);
        b.push_back(c.r);
        b.push_back(c.a);
    }
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

bool load(CBitmap& bitmap, const Bytes& bytes)
{
    std::istringstream stream(std::string(bytes.begin(), bytes.end()));
    return bitmap.Load(stream);
}

testing::AssertionResult same(const Color& actual, const Color& expected)
{
    if (actual.r == expected.r && actual.g == expected.g && actual.b == expected.b && actual.a == expected.a)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << int(actual.r) << ", " << int(actual.g) << ", " << int(actual.b) << ", "
                                       << int(actual.a) << ") instead of (" << int(expected.r) << ", "
                                       << int(expected.g) << ", " << int(expected.b) << ", " << int(expected.a) << ")";
}

std::vector<Color> greyPalette(unsigned count)
{
    std::vector<Color> palette;
    for (unsigned i = 0; i < count; ++i)
        palette.push_back(Color{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
            static_cast<std::uint8_t>(i / 2), static_cast<std::uint8_t>(i % 7)});
    return palette;
}
} // namespace

TEST(BitmapTest, ChannelWidthConversion)
{
    EXPECT_EQ(Color::Convert(31, 5, 8), 255u);
    EXPECT_EQ(Color::Convert(1, 5, 8), 15u);
    EXPECT_EQ(Color::Convert(0, 5, 8), 0u);
    EXPECT_EQ(Color::Convert(200, 8, 8), 200u);
    EXPECT_EQ(Color::Convert(255, 8, 5), 31u);
    EXPECT_EQ(Color::Convert(63, 6, 8), 255u);
    EXPECT_EQ(Color::Convert(1, 0, 32), 0xFFFFFFFFu);
    EXPECT_EQ(Color::Convert(0xFFFFFFFFu, 32, 0), 0u);
}

TEST(BitmapTest, OneBitRowsArePaddedToFourBytes)
{
    BmpSpec s;
    s.width = 33; // 33 bits: 5 bytes of pixels, rows of 8 bytes
    s.height = 2;
    s.bits = 1;
    s.palette = {Color{0, 0, 0, 0}, Color{255, 254, 253, 7}};
    s.pixels = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(s)));
    ASSERT_EQ(bitmap.GetWidth(), 33);
    ASSERT_EQ(bitmap.GetPixelCount(), 66u);
    const Color* p = bitmap.GetPixels();
    for (int x = 0; x < 33; ++x)
        EXPECT_TRUE(same(p[x], x % 2 == 0 ? s.palette[1] : s.palette[0])) << x;
    for (int x = 0; x < 32; ++x)
        EXPECT_TRUE(same(p[33 + x], s.palette[0])) << x;
    EXPECT_TRUE(same(p[33 + 32], s.palette[1])); // the palette's fourth byte is the alpha
}

TEST(BitmapTest, FourAndEightBitPalettes)
{
    BmpSpec four;
    four.width = 3;
    four.bits = 4;
    four.palette = greyPalette(16);
    four.pixels = {0x12, 0x30, 0x00, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(four)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], four.palette[1]));
    EXPECT_TRUE(same(bitmap.GetPixels()[1], four.palette[2]));
    EXPECT_TRUE(same(bitmap.GetPixels()[2], four.palette[3]));

    BmpSpec eight;
    eight.width = 2;
    eight.height = 2;
    eight.bits = 8;
    eight.palette = greyPalette(256);
    eight.pixels = {200, 3, 0, 0, 0, 255, 0, 0};
    ASSERT_TRUE(load(bitmap, build(eight)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], eight.palette[200]));
    EXPECT_TRUE(same(bitmap.GetPixels()[1], eight.palette[3]));
    EXPECT_TRUE(same(bitmap.GetPixels()[3], eight.palette[255]));
}

TEST(BitmapTest, ShortPaletteOfASmallPicture)
{
    // Two palette entries, then the pixel: reading a full 256-entry palette runs past
    // the end of this valid file, which must not fail it.
    BmpSpec s;
    s.bits = 8;
    s.palette = {Color{1, 2, 3, 4}, Color{50, 60, 70, 80}};
    s.pixels = {1, 0, 0, 0};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(s)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], s.palette[1]));
}

TEST(BitmapTest, SixteenTwentyFourAndThirtyTwoBits)
{
    BmpSpec s16;
    s16.width = 3;
    s16.bits = 16;
    s16.pixels = {0xFF, 0x7F, 0x00, 0x7C, 0x00, 0x80, 0x00, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(s16)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{248, 248, 248, 255}));
    EXPECT_TRUE(same(bitmap.GetPixels()[1], Color{248, 0, 0, 255}));
    EXPECT_TRUE(same(bitmap.GetPixels()[2], Color{0, 0, 0, 255})); // bit 15 is ignored

    BmpSpec s24;
    s24.width = 1;
    s24.height = 2;
    s24.pixels = {10, 20, 30, 0, 40, 50, 60, 0};
    ASSERT_TRUE(load(bitmap, build(s24)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{30, 20, 10, 255}));
    EXPECT_TRUE(same(bitmap.GetPixels()[1], Color{60, 50, 40, 255}));

    BmpSpec s32;
    s32.bits = 32;
    s32.height = -1; // top-down pictures keep the file's row order too
    s32.pixels = {1, 2, 3, 4};
    ASSERT_TRUE(load(bitmap, build(s32)));
    EXPECT_EQ(bitmap.GetHeight(), 1);
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{3, 2, 1, 4}));
}

TEST(BitmapTest, RunLengthCoding)
{
    BmpSpec s;
    s.width = 210;
    s.height = 3;
    s.bits = 8;
    s.compression = 1;
    s.palette = greyPalette(256);
    s.pixels = {3, 5,  // three pixels of colour 5
        0, 2, 200, 0,  // move 200 to the right
        2, 6,          // two of colour 6 at x 203
        0, 0,          // end of line
        0, 3, 7, 8, 9, // absolute run, padded to an even position
        0,             // the pad byte
        1, 4,          // one of colour 4
        0, 1};         // end of bitmap
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(s)));
    const Color* p = bitmap.GetPixels();
    for (int x = 0; x < 3; ++x)
        EXPECT_TRUE(same(p[x], s.palette[5]));
    EXPECT_TRUE(same(p[3], Color{}));
    EXPECT_TRUE(same(p[203], s.palette[6]));
    EXPECT_TRUE(same(p[204], s.palette[6]));
    EXPECT_TRUE(same(p[205], Color{}));
    EXPECT_TRUE(same(p[210], s.palette[7]));
    EXPECT_TRUE(same(p[211], s.palette[8]));
    EXPECT_TRUE(same(p[212], s.palette[9]));
    EXPECT_TRUE(same(p[213], s.palette[4]));
    EXPECT_TRUE(same(p[420], Color{}));
}

TEST(BitmapTest, BitFields)
{
    BmpSpec s16;
    s16.bits = 16;
    s16.compression = 3;
    s16.headerSize = 108;
    s16.width = 2;
    s16.masks[0] = 0x7C00;
    s16.masks[1] = 0x03E0;
    s16.masks[2] = 0x001F;
    s16.pixels = {0xFF, 0x7F, 0x00, 0x7C};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(s16)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{255, 255, 255, 0})); // no alpha mask
    EXPECT_TRUE(same(bitmap.GetPixels()[1], Color{255, 0, 0, 0}));

    BmpSpec s565 = s16;
    s565.masks[0] = 0xF800;
    s565.masks[1] = 0x07E0;
    s565.pixels = {0xE0, 0x07, 0x00, 0x08};
    ASSERT_TRUE(load(bitmap, build(s565)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{0, 255, 0, 0}));
    EXPECT_TRUE(same(bitmap.GetPixels()[1], Color{15, 0, 0, 0})); // 1 of 5 bits widened

    BmpSpec s32;
    s32.bits = 32;
    s32.compression = 3;
    s32.headerSize = 108;
    s32.masks[0] = 0x00FF0000;
    s32.masks[1] = 0x0000FF00;
    s32.masks[2] = 0x000000FF;
    s32.masks[3] = 0xFF000000;
    s32.pixels = {0x30, 0x20, 0x10, 0x80};
    ASSERT_TRUE(load(bitmap, build(s32)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{0x10, 0x20, 0x30, 0x80}));

    // Bit fields with another bit count decode nothing: transparent black.
    BmpSpec s24 = s32;
    s24.bits = 24;
    ASSERT_TRUE(load(bitmap, build(s24)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{}));
}

TEST(BitmapTest, UndecodedFormatsStillLoad)
{
    BmpSpec rle4;
    rle4.bits = 4;
    rle4.compression = 2;
    rle4.palette = greyPalette(16);
    rle4.pixels = {1, 0x11, 0, 1};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(rle4)));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{}));
    BmpSpec twoBits;
    twoBits.bits = 2;
    twoBits.pixels = {0, 0, 0, 0};
    EXPECT_TRUE(load(bitmap, build(twoBits)));
}

TEST(BitmapTest, NotABitmapOrCutShort)
{
    CBitmap bitmap;
    Bytes good = build(BmpSpec{});
    Bytes wrongType = good;
    wrongType[1] = 'A';
    EXPECT_FALSE(load(bitmap, wrongType));
    EXPECT_FALSE(load(bitmap, Bytes(good.begin(), good.begin() + 10)));
    EXPECT_FALSE(load(bitmap, Bytes(good.begin(), good.begin() + 40)));
    EXPECT_FALSE(load(bitmap, Bytes()));

    BmpSpec rows;
    rows.width = 4;
    rows.height = 4;
    rows.pixels.assign(12 * 4, 7);
    Bytes full = build(rows);
    ASSERT_TRUE(load(bitmap, full));
    EXPECT_FALSE(load(bitmap, Bytes(full.begin(), full.end() - 13)));
    EXPECT_EQ(bitmap.GetPixels(), nullptr); // nothing half-decoded is kept
    EXPECT_EQ(bitmap.GetPixelCount(), 0u);

    // The pixel data offset points past the end of the file.
    Bytes farOffset = full;
    farOffset[10] = 0xFF;
    farOffset[11] = 0xFF;
    EXPECT_FALSE(load(bitmap, farOffset));
}

TEST(BitmapTest, HugeSizesAreRefused)
{
    CBitmap bitmap;
    for (std::int64_t width : {std::int64_t(100000), std::int64_t(INT_MIN), std::int64_t(16384)})
    {
        BmpSpec s;
        s.width = static_cast<std::int32_t>(width);
        s.height = width == 16384 ? 16384 : 1;
        s.pixels.assign(16, 0);
        EXPECT_FALSE(load(bitmap, build(s))) << width;
    }
    BmpSpec tall;
    tall.height = INT_MIN;
    EXPECT_FALSE(load(bitmap, build(tall)));
}

TEST(BitmapTest, HostileRunLengthCodes)
{
    BmpSpec s;
    s.width = 4;
    s.height = 2;
    s.bits = 8;
    s.compression = 1;
    s.palette = greyPalette(256);
    // A run longer than the row, a delta far below the picture, a run there, another
    // delta, two line ends and an absolute run far outside: only pixels inside are written.
    s.pixels = {255, 1, 0, 2, 0, 200, 10, 2, 0, 2, 255, 0, 0, 0, 0, 0, 0, 4, 9, 9, 9, 9, 0, 1};
    CBitmap bitmap;
    ASSERT_TRUE(load(bitmap, build(s)));
    for (int x = 0; x < 4; ++x)
        EXPECT_TRUE(same(bitmap.GetPixels()[x], s.palette[1]));

    const Bytes endings[] = {
        {0, 10, 1, 2}, // absolute run cut short
        {0, 2, 5},     // delta cut short
        {3},           // half a code
        {3, 5, 0},     // line end cut short
    };
    for (const Bytes& codes : endings)
    {
        BmpSpec cut = s;
        cut.pixels = codes;
        EXPECT_FALSE(load(bitmap, build(cut)));
    }
    // Data that ends cleanly between codes, without the end-of-bitmap code:
    // after a run and a line end, or after an absolute run whose pad byte would follow.
    for (const Bytes& codes : {Bytes{3, 5, 0, 0, 2, 6}, Bytes{0, 0, 2, 6, 0, 3, 5, 5, 5}})
    {
        BmpSpec clean = s;
        clean.pixels = codes;
        ASSERT_TRUE(load(bitmap, build(clean)));
        EXPECT_TRUE(same(bitmap.GetPixels()[1], codes[0] == 3 ? s.palette[5] : Color{}));
        EXPECT_TRUE(same(bitmap.GetPixels()[4], s.palette[6]));
    }
}

TEST(BitmapTest, FilesOnDisk)
{
    const velk_test::TempFolder temp;
    const std::string path = (temp / "picture.bmp").string();
    BmpSpec s;
    s.pixels = {10, 20, 30, 0};
    const Bytes bytes = build(s);
    velk_test::writeFile(path, std::string(bytes.begin(), bytes.end()));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Load(path.c_str()));
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{30, 20, 10, 255}));
    // A file that does not open changes nothing.
    EXPECT_FALSE(bitmap.Load("/nonexistent/picture.bmp"));
    ASSERT_NE(bitmap.GetPixels(), nullptr);
    EXPECT_TRUE(same(bitmap.GetPixels()[0], Color{30, 20, 10, 255}));
    EXPECT_FALSE(bitmap.Load(nullptr));
}
