// Reading and writing the game's JSON data files with the own JSON library,
// against JsonCpp and RapidJSON on the same texts. Two document shapes:
// a 512x512 map file (one long array of small tile codes) and a ship file
// (nested objects with floats). The counter "x_jsoncpp" is how many times
// faster than JsonCpp each variant is on the same document and operation
// (JsonCpp itself shows about 1).
#include "foundation/json/Parser.hpp"
#include "foundation/json/Writer.hpp"

#include <benchmark/benchmark.h>
#include <json/json.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Object = std::map<std::string, json::Value>;
using Array = std::vector<json::Value>;

/// The map file's shape: size, tile settings and 262144 tile codes.
std::string mapDocument()
{
    Array tiles;
    tiles.reserve(512 * 512);
    unsigned seed = 12345;
    for (int i = 0; i < 512 * 512; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned r = (seed >> 16) % 100;
        // Mostly ground and empty, some partial tiles and a few markers.
        tiles.emplace_back(static_cast<long long>(r < 45 ? 1 : r < 80 ? 0 : r < 98 ? 2 + r % 32 : 34 + r % 8));
    }
    const json::Value map(Object{{"size", json::Value(Array{json::Value(512LL), json::Value(512LL)})},
                                 {"tileSize", json::Value(32LL)},
                                 {"tilesPerTexture", json::Value(8LL)},
                                 {"tiles", json::Value(std::move(tiles))}});
    std::string text;
    json::writeToString(text, map);
    return text;
}

/// The ship file's shape: outline points, parts with positions and
/// properties, texture and colour; mostly floats and nested objects.
std::string shipDocument()
{
    Array points;
    for (int i = 0; i < 64; ++i)
        points.emplace_back(Object{{"x", json::Value(1.25 * i - 40.123)}, {"y", json::Value(0.37 * (i % 17) - 3.5)}});
    Array parts;
    for (int i = 0; i < 40; ++i) {
        Object properties{{"power", json::Value(150.5 + i)},
                          {"angle", json::Value(0.0174533 * i)},
                          {"mirrored", json::Value(i % 2 == 0)},
                          {"head", json::Value("drill.head." + std::to_string(i % 3))}};
        parts.emplace_back(
            Object{{"code", json::Value(i % 4 == 0   ? "jet"
                                        : i % 4 == 1 ? "track"
                                                     : "drill")},
                   {"position", json::Value(Object{{"x", json::Value(0.731 * i)}, {"y", json::Value(-0.2113 * i)}})},
                   {"rotation", json::Value(0.5 * i)},
                   {"properties", json::Value(std::move(properties))}});
    }
    const json::Value ship(
        Object{{"name", json::Value("Fúrógép")},
               {"texture", json::Value("rozsda.png")},
               {"colour", json::Value(Array{json::Value(210LL), json::Value(180LL), json::Value(40LL)})},
               {"points", json::Value(std::move(points))},
               {"parts", json::Value(std::move(parts))}});
    std::string text;
    json::writeToString(text, ship);
    return text;
}

const std::string& document(int which)
{
    static const std::string map = mapDocument();
    static const std::string ship = shipDocument();
    return which == 0 ? map : ship;
}

// --- the three libraries, one operation each -------------------------------

std::size_t velkParse(const std::string& text)
{
    const json::Value v = json::parseFromString(text);
    return v.isObject() ? v.objectValue().size() : 0;
}

std::size_t jsoncppParse(const std::string& text)
{
    static const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    Json::Value root;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors))
        throw std::runtime_error("JsonCpp: " + errors);
    return root.size();
}

std::size_t rapidjsonParse(const std::string& text)
{
    rapidjson::Document d;
    d.Parse(text.c_str(), text.size());
    if (d.HasParseError())
        throw std::runtime_error("RapidJSON parse error");
    return d.MemberCount();
}

struct Parsed {
    json::Value velk;
    Json::Value jsoncpp;
    rapidjson::Document rapid;
};

Parsed& parsedDocument(int which)
{
    static std::map<int, std::unique_ptr<Parsed>> cache;
    auto& slot = cache[which];
    if (!slot) {
        slot = std::make_unique<Parsed>();
        const std::string& text = document(which);
        slot->velk = json::parseFromString(text);
        std::string errors;
        std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
        reader->parse(text.data(), text.data() + text.size(), &slot->jsoncpp, &errors);
        slot->rapid.Parse(text.c_str(), text.size());
    }
    return *slot;
}

std::size_t velkWrite(int which)
{
    std::string out;
    json::writeToString(out, parsedDocument(which).velk);
    return out.size();
}

std::size_t jsoncppWrite(int which)
{
    static const Json::StreamWriterBuilder builder; // tab-indented styled form, like ours
    return Json::writeString(builder, parsedDocument(which).jsoncpp).size();
}

std::size_t rapidjsonWrite(int which)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    parsedDocument(which).rapid.Accept(writer);
    return buffer.GetSize();
}

using Operation = std::size_t (*)(int which);

std::size_t velkParseDoc(int which)
{
    return velkParse(document(which));
}
std::size_t jsoncppParseDoc(int which)
{
    return jsoncppParse(document(which));
}
std::size_t rapidjsonParseDoc(int which)
{
    return rapidjsonParse(document(which));
}

/// Seconds per call of an operation: best of several timed rounds.
double secondsPerCall(Operation op, int which)
{
    op(which); // warm up caches and the parsed documents
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        int calls = 0;
        const auto start = Clock::now();
        auto now = start;
        do {
            benchmark::DoNotOptimize(op(which));
            ++calls;
            now = Clock::now();
        } while (now - start < std::chrono::milliseconds(100));
        best = std::min(best, std::chrono::duration<double>(now - start).count() / calls);
    }
    return best;
}

/// JsonCpp's time for the same operation, measured once per document.
double referenceSeconds(Operation reference, int which)
{
    static std::map<std::pair<Operation, int>, double> cache;
    const auto key = std::make_pair(reference, which);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, secondsPerCall(reference, which)).first;
    return it->second;
}

void run(benchmark::State& state, Operation op, Operation reference)
{
    const int which = static_cast<int>(state.range(0));
    const double referenceTime = referenceSeconds(reference, which);
    op(which);
    std::int64_t calls = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(op(which));
        ++calls;
    }
    const double own = std::chrono::duration<double>(Clock::now() - start).count() / std::max<std::int64_t>(calls, 1);
    state.counters["x_jsoncpp"] = referenceTime / own;
    state.SetBytesProcessed(static_cast<std::int64_t>(document(which).size()) * state.iterations());
    state.SetLabel(which == 0 ? "map 512x512" : "ship");
}

void BM_JsonParse_Velk(benchmark::State& s)
{
    run(s, velkParseDoc, jsoncppParseDoc);
}
void BM_JsonParse_JsonCpp(benchmark::State& s)
{
    run(s, jsoncppParseDoc, jsoncppParseDoc);
}
void BM_JsonParse_RapidJson(benchmark::State& s)
{
    run(s, rapidjsonParseDoc, jsoncppParseDoc);
}
void BM_JsonWrite_Velk(benchmark::State& s)
{
    run(s, velkWrite, jsoncppWrite);
}
void BM_JsonWrite_JsonCpp(benchmark::State& s)
{
    run(s, jsoncppWrite, jsoncppWrite);
}
void BM_JsonWrite_RapidJson(benchmark::State& s)
{
    run(s, rapidjsonWrite, jsoncppWrite);
}

} // namespace

// Argument 0 is the map document, 1 the ship document.
BENCHMARK(BM_JsonParse_Velk)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonParse_JsonCpp)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonParse_RapidJson)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonWrite_Velk)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonWrite_JsonCpp)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonWrite_RapidJson)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
