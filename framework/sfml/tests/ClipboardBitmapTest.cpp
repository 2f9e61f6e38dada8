#include "framework/sfml/ClipboardBitmap.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace {

// The 40-byte info header, written out field by field.
Bytes infoHeader(std::uint8_t w0, std::uint8_t w1, std::uint8_t h0, std::uint8_t sz0, std::uint8_t sz1)
{
    return {40,  0,   0, 0, // header size
            w0,  w1,  0, 0, // width
            h0,  0,   0, 0, // height (positive: bottom-up)
            1,   0,         // planes
            24,  0,         // bits per pixel
            0,   0,   0, 0, // uncompressed
            sz0, sz1, 0, 0, // image size
            0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

Bytes concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(ClipboardBitmap, ThreeByTwoHasPaddedRowsBottomUpInBlueGreenRed)
{
    sf::Image image;
    image.create(3, 2);
    image.setPixel(0, 0, sf::Color(1, 2, 3, 255));
    image.setPixel(1, 0, sf::Color(4, 5, 6, 255));
    image.setPixel(2, 0, sf::Color(7, 8, 9, 128));
    image.setPixel(0, 1, sf::Color(10, 11, 12, 0));
    image.setPixel(1, 1, sf::Color(13, 14, 15, 255));
    image.setPixel(2, 1, sf::Color(16, 17, 18, 255));

    const Bytes expected = concat(infoHeader(3, 0, 2, 24, 0),
                                  {12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0, // bottom row first
                                   3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0});
    const Bytes bitmap = makeClipboardBitmap(image);
    ASSERT_EQ(bitmap.size(), 64u);
    EXPECT_EQ(bitmap, expected);
}

TEST(ClipboardBitmap, FourByOneNeedsNoPadding)
{
    sf::Image image;
    image.create(4, 1);
    for (unsigned x = 0; x < 4; ++x)
        image.setPixel(x, 0, sf::Color(sf::Uint8(100 + x), sf::Uint8(50 + x), sf::Uint8(x), 255));
    const Bytes expected = concat(infoHeader(4, 0, 1, 12, 0), {0, 50, 100, 1, 51, 101, 2, 52, 102, 3, 53, 103});
    EXPECT_EQ(makeClipboardBitmap(image), expected);
}

TEST(ClipboardBitmap, TwoByThreeRowsCarryTwoPaddingBytes)
{
    // 2 * 3 = 6 pixel bytes per row, padded to 8; 8 * 3 = 24 bytes of rows.
    sf::Image image;
    image.create(2, 3);
    sf::Uint8 v = 1;
    for (unsigned y = 0; y < 3; ++y)
        for (unsigned x = 0; x < 2; ++x, v += 3)
            image.setPixel(x, y, sf::Color(v, sf::Uint8(v + 1), sf::Uint8(v + 2), 77));
    // Top row: (1,2,3) (4,5,6); middle: (7,8,9) (10,11,12); bottom: (13,14,15) (16,17,18).
    const Bytes expected = concat(infoHeader(2, 0, 3, 24, 0), {15, 14, 13, 18, 17, 16, 0, 0,   // bottom row
                                                               9,  8,  7,  12, 11, 10, 0, 0,   // middle row
                                                               3,  2,  1,  6,  5,  4,  0, 0}); // top row
    EXPECT_EQ(makeClipboardBitmap(image), expected);
}

TEST(ClipboardBitmap, FieldsBeyondSixteenBitsUseAllFourBytes)
{
    // 70000 = 0x00011170; 70000 * 3 = 210000 bytes, already a multiple of 4 = 0x00033450.
    sf::Image image;
    image.create(70000, 1, sf::Color(1, 2, 3));
    image.setPixel(69999, 0, sf::Color(4, 5, 6));
    const Bytes bitmap = makeClipboardBitmap(image);
    ASSERT_EQ(bitmap.size(), 40u + 210000u);
    EXPECT_EQ(Bytes(bitmap.begin() + 4, bitmap.begin() + 12), (Bytes{0x70, 0x11, 0x01, 0x00, 1, 0, 0, 0}));
    EXPECT_EQ(Bytes(bitmap.begin() + 20, bitmap.begin() + 24), (Bytes{0x50, 0x34, 0x03, 0x00}));
    EXPECT_EQ(Bytes(bitmap.begin() + 40, bitmap.begin() + 43), (Bytes{3, 2, 1}));
    EXPECT_EQ(Bytes(bitmap.end() - 3, bitmap.end()), (Bytes{6, 5, 4}));
}

TEST(ClipboardBitmap, WideImagesWriteMultiByteFields)
{
    sf::Image image;
    image.create(257, 2, sf::Color(9, 8, 7));
    const Bytes bitmap = makeClipboardBitmap(image);
    // 257 * 3 = 771, padded to 772; 772 * 2 = 1544 = 0x0608.
    ASSERT_EQ(bitmap.size(), 40u + 1544u);
    EXPECT_EQ(Bytes(bitmap.begin(), bitmap.begin() + 40), infoHeader(0x01, 0x01, 2, 0x08, 0x06));
    // Last pixel of the first stored row, then its padding byte.
    EXPECT_EQ(bitmap[40 + 768], 7);
    EXPECT_EQ(bitmap[40 + 769], 8);
    EXPECT_EQ(bitmap[40 + 770], 9);
    EXPECT_EQ(bitmap[40 + 771], 0);
}

TEST(ClipboardBitmap, EmptyImageGivesOnlyTheHeader)
{
    const Bytes bitmap = makeClipboardBitmap(sf::Image());
    EXPECT_EQ(bitmap, infoHeader(0, 0, 0, 0, 0));
}

TEST(ClipboardBitmap, BmpFileHeaderPointsPastBothHeaders)
{
    sf::Image image;
    image.create(3, 2, sf::Color::Red);
    const Bytes bitmap = makeClipboardBitmap(image);
    const Bytes file = makeBmpFile(bitmap);
    const Bytes header = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    ASSERT_EQ(file.size(), 78u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 14), header);
    EXPECT_EQ(Bytes(file.begin() + 14, file.end()), bitmap);

    // Another decoder reads the file back to the same pixels.
    sf::Image decoded;
    ASSERT_TRUE(decoded.loadFromMemory(file.data(), file.size()));
    ASSERT_EQ(decoded.getSize(), sf::Vector2u(3, 2));
    EXPECT_EQ(decoded.getPixel(2, 1), sf::Color::Red);
}

TEST(ClipboardBitmap, PngFileDecodesToTheSamePixels)
{
    sf::Image image;
    image.create(5, 3, sf::Color(20, 40, 60, 255));
    image.setPixel(4, 2, sf::Color(200, 100, 50, 128));
    const Bytes png = makePngFile(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    sf::Image decoded;
    ASSERT_TRUE(decoded.loadFromMemory(png.data(), png.size()));
    ASSERT_EQ(decoded.getSize(), sf::Vector2u(5, 3));
    EXPECT_EQ(decoded.getPixel(0, 0), sf::Color(20, 40, 60, 255));
    EXPECT_EQ(decoded.getPixel(4, 2), sf::Color(200, 100, 50, 128));
}
