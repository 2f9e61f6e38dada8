#include "foundation/json/Parser.hpp"
#include "foundation/json/Value2Vec.hpp"
#include "foundation/json/Writer.hpp"
#include "testsupport/TempFolder.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using json::Value;
using Array = std::vector<Value>;
using Object = std::map<std::string, Value>;

std::string text(const Value& v)
{
    std::string out;
    json::writeToString(out, v);
    return out;
}

// Structural equality, independent of the writer.
bool same(const Value& a, const Value& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.isBool() || b.isBool())
        return a.isBool() && b.isBool() && a.boolValue() == b.boolValue();
    if (a.isInteger() || b.isInteger())
        return a.isInteger() && b.isInteger() && a.integerValue() == b.integerValue();
    if (a.isFloat() || b.isFloat())
        return a.isFloat() && b.isFloat() && a.floatValue() == b.floatValue();
    if (a.isString() || b.isString())
        return a.isString() && b.isString() && a.stringValue() == b.stringValue();
    if (a.isArray() || b.isArray()) {
        if (!a.isArray() || !b.isArray() || a.arrayValue().size() != b.arrayValue().size())
            return false;
        for (std::size_t i = 0; i < a.arrayValue().size(); ++i)
            if (!same(a.arrayValue()[i], b.arrayValue()[i]))
                return false;
        return true;
    }
    const auto& x = a.objectValue();
    const auto& y = b.objectValue();
    if (x.size() != y.size())
        return false;
    for (auto i = x.begin(), j = y.begin(); i != x.end(); ++i, ++j)
        if (i->first != j->first || !same(i->second, j->second))
            return false;
    return true;
}

TEST(JsonRoundTrip, ValuesWithinTheWrittenPrecisionComeBackEqual)
{
    const Value ship(Object{
        {"name", Value("Ősz \"Űrhajó\" / 2\t\\")},
        {"colour", Value(Array{Value(255LL), Value(0LL), Value(128LL)})},
        {"points", Value(Array{Value(Array{Value(0.5), Value(-1.25)}), Value(Array{Value(3LL), Value(0.001)})})},
        {"parts", Value(Array{Value(Object{{"code", Value("jet")}, {"mirrored", Value(true)}, {"extra", Value()}})})},
        {"empty", Value(Object{})},
        {"nothing", Value(Array{})},
        {"big", Value(-9223372036854775807LL)},
        {"weird key \n\"/", Value(std::string("\b\x01 raw", 6))},
    });
    const std::string written = text(ship);
    const Value back = json::parseFromString(written);
    EXPECT_TRUE(same(ship, back)) << written;
    EXPECT_EQ(text(back), written);
}

TEST(JsonRoundTrip, FloatsFollowTheSixDigitForm)
{
    const Value two = json::parseFromString(text(Value(2.0)));
    ASSERT_TRUE(two.isInteger());
    EXPECT_EQ(two.integerValue(), 2);

    const Value rounded = json::parseFromString(text(Value(123.4567)));
    ASSERT_TRUE(rounded.isFloat());
    EXPECT_EQ(rounded.floatValue(), 123.457);

    const Value million = json::parseFromString(text(Value(1234567.0)));
    ASSERT_TRUE(million.isInteger());
    EXPECT_EQ(million.integerValue(), 1234570);
}

using JsonRoundTripFiles = velk_test::TempFolderTest;

TEST_F(JsonRoundTripFiles, LargeIntegerArrayThroughAFile)
{
    Array tiles;
    for (int i = 0; i < 64 * 64; ++i)
        tiles.emplace_back(static_cast<long long>((i * 7) % 42));
    const Value map(
        Object{{"size", Value(Array{Value(64LL), Value(64LL)})}, {"tiles", Value(tiles)}, {"tileSize", Value(0.5)}});

    const auto file = folder / "big.map.json";
    ASSERT_TRUE(json::writeToFile(file.string(), map));
    const Value back = json::parseFromFile(file.string());
    EXPECT_TRUE(same(map, back));
}

TEST(JsonRoundTrip, ShippedTestDataReadsAndRewritesIdentically)
{
    const std::string folder = std::string(VELK_TEST_DATA_DIR) + "/json/";
    const Value ship = json::parseFromFile(folder + "hajó.ship.json");
    EXPECT_EQ(ship.objectValue().at("name").stringValue(), "Fúrógép ő");
    const auto& parts = ship.objectValue().at("parts").arrayValue();
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(json::value2vec<float>(parts[0].objectValue().at("pos")), math::Vector2<float>(-1.5f, 0.25f));
    EXPECT_EQ(json::value2vec<float>(parts[1].objectValue().at("pos")), math::Vector2<float>(2.f, 0.f));

    // The file is in the writer's own form, so writing it again gives the same bytes.
    std::ifstream in(folder + "hajó.ship.json", std::ios::binary);
    const std::string original(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(text(ship), original);

    EXPECT_THROW(json::parseFromFile(folder + "broken.map.json"), json::ParseException);
}

} // namespace
