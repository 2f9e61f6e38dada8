#include "terrain/MapComponent.hpp"

#include "engine/GameObject.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "terrain/model/TileMapGeometry.hpp"

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace {

const char* const LogTag = "MapComponent";

/// Mask pass: where the destination is opaque (no ground drawn yet) the black
/// polygons clear colour and alpha; the texture pass then adds the texture
/// only where the alpha is 0, and leaves the rest as it was.
const sf::BlendMode MaskBlend(sf::BlendMode::OneMinusDstAlpha, sf::BlendMode::OneMinusSrcAlpha);
const sf::BlendMode TextureBlend(sf::BlendMode::OneMinusDstAlpha, sf::BlendMode::One);

unsigned int ceilDiv(unsigned int a, unsigned int b)
{
    return a / b + (a % b != 0 ? 1u : 0u);
}

} // namespace

MapComponent::MapComponent() : GamePhisicsComponent(nullptr) {}

MapComponent::~MapComponent()
{
    destroyBodies();
}

MapChunk* MapComponent::getChunk(unsigned int index)
{
    return index < chunks.size() ? chunks[index].get() : nullptr;
}

const MapChunk* MapComponent::getChunk(unsigned int index) const
{
    return index < chunks.size() ? chunks[index].get() : nullptr;
}

math::Vector2<float> MapComponent::getRealSize() const
{
    const float t = tileMap.getTileSize();
    return {static_cast<float>(tileMap.getSize().x) * t, static_cast<float>(tileMap.getSize().y) * t};
}

math::Vector2<float> MapComponent::getTilePosition(int x, int y, char align) const
{
    return ::getTilePosition(position, tileMap.getTileSize(), x, y, align);
}

math::Vector2<float> MapComponent::getTilePosition(const math::Vector2<int>& cell, char align) const
{
    return getTilePosition(cell.x, cell.y, align);
}

math::Vector2<int> MapComponent::getTileIndicesAt(const math::Vector2<float>& point) const
{
    return ::getTileIndicesAt(position, tileMap.getTileSize(), point);
}

math::Vector2<int> MapComponent::getTileIndicesAt(float x, float y) const
{
    return getTileIndicesAt(math::Vector2<float>(x, y));
}

bool MapComponent::loadFromFile(const std::string& path, LoadingMode mode)
{
    // Parsed apart, so a failure changes nothing and a second load does not
    // inherit the first file's values.
    TileMap loaded;
    if (!loaded.loadFromFile(path))
        return false;
    destroyBodies();
    tileMap = std::move(loaded);
    buildChunks();
    if (mode == Physical)
        buildBodies();
    return true;
}

void MapComponent::buildChunks()
{
    chunks.clear();
    pendingChunks.clear();
    const math::Vector2<unsigned int>& size = tileMap.getSize();
    // Too many chunks along a side: chunks of several texture blocks each,
    // never a fraction of one, so the texture is not stretched.
    const unsigned int perTexture = tileMap.getTilesPerTexture();
    // An empty map (a side of 0) has no blocks; its edge stays one texture
    // block, so nothing below divides by 0, and it builds no chunks.
    const unsigned int blocks = ceilDiv(std::max(size.x, size.y), perTexture);
    chunkEdge = perTexture * std::max(1u, ceilDiv(blocks, MaxChunksPerSide));
    if (chunkEdge != perTexture)
        tools::log(LogTag, "Map of " + std::to_string(size.x) + " x " + std::to_string(size.y) + " with " +
                               std::to_string(perTexture) + " tiles per texture: chunks of " +
                               std::to_string(chunkEdge) + " tiles instead");
    chunkRows = ceilDiv(size.y, chunkEdge);
    const sf::Texture* texture = getObject() ? getObject()->getTexture() : nullptr;
    chunks.reserve(static_cast<std::size_t>(ceilDiv(size.x, chunkEdge)) * chunkRows);
    for (unsigned int bx = 0; bx < size.x; bx += chunkEdge)
        for (unsigned int by = 0; by < size.y; by += chunkEdge) {
            auto chunk = std::make_unique<MapChunk>(&tileMap);
            chunk->setRegion({bx, by}, {chunkEdge, chunkEdge});
            chunk->setTexture(texture);
            chunk->update();
            const auto index = static_cast<unsigned int>(chunks.size());
            chunk->setStaleListener([this, index] { pendingChunks.push_back(index); });
            chunks.push_back(std::move(chunk));
        }
}

void MapComponent::markChunks(const math::Box<math::Vector2<int>>& box)
{
    if (chunks.empty() || box.min.x > box.max.x || box.min.y > box.max.y)
        return;
    const long long edge = chunkEdge;
    const long long columns = static_cast<long long>(chunks.size()) / chunkRows;
    // Only the chunks that can touch the box are asked; the box itself is
    // first kept to the map and its one-cell rim.
    const long long w = tileMap.getSize().x;
    const long long h = tileMap.getSize().y;
    const math::Box<math::Vector2<int>> clipped{{static_cast<int>(std::clamp<long long>(box.min.x, -1, w)),
                                                 static_cast<int>(std::clamp<long long>(box.min.y, -1, h))},
                                                {static_cast<int>(std::clamp<long long>(box.max.x, -1, w)),
                                                 static_cast<int>(std::clamp<long long>(box.max.y, -1, h))}};
    auto firstIndex = [edge](long long cell) { return std::max(0LL, (cell + edge) / edge - 2); };
    const long long x0 = firstIndex(clipped.min.x);
    const long long y0 = firstIndex(clipped.min.y);
    const long long x1 = std::min(columns - 1, (clipped.max.x + 1 + edge) / edge);
    const long long y1 = std::min<long long>(chunkRows - 1, (clipped.max.y + 1 + edge) / edge);
    for (long long cx = x0; cx <= x1; ++cx)
        for (long long cy = y0; cy <= y1; ++cy) {
            const unsigned int index = static_cast<unsigned int>(cx * chunkRows + cy);
            MapChunk& chunk = *chunks[index];
            if (chunk.isIntersect(clipped))
                chunk.setUpdateNeeded(true);
        }
}

void MapComponent::drill(const math::Vector2<int>& cell, float radius)
{
    if (!(radius >= 0.0f))
        return;
    const int n = getDrillBrushRadius(radius);
    tileMap.erase(cell, n);
    const long long w = tileMap.getSize().x;
    const long long h = tileMap.getSize().y;
    const long long cx = cell.x;
    const long long cy = cell.y;
    if (cx + n < -1 || cy + n < -1 || cx - n >= w + 1 || cy - n >= h + 1)
        return;
    if (getBody()) {
        // Cells outside the map have no fixtures: the box is kept to the map.
        const long long x1 = std::min(cx + n, w - 1);
        const long long y1 = std::min(cy + n, h - 1);
        for (long long x = std::max(cx - n, 0LL); x <= x1; ++x)
            for (long long y = std::max(cy - n, 0LL); y <= y1; ++y)
                createFixtureAt(static_cast<int>(x), static_cast<int>(y));
    }
    auto toCell = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    markChunks({{toCell(cx - n), toCell(cy - n)}, {toCell(cx + n), toCell(cy + n)}});
}

void MapComponent::drill(int x, int y, float radius)
{
    drill(math::Vector2<int>(x, y), radius);
}

void MapComponent::drill(const math::Vector2<float>& point, float radius)
{
    drill(getTileIndicesAt(point), radius / tileMap.getTileSize());
}

void MapComponent::drill(float x, float y, float radius)
{
    drill(math::Vector2<float>(x, y), radius);
}

void MapComponent::onUpdate(float dt)
{
    GamePhisicsComponent::onUpdate(dt);
    if (pendingChunks.empty())
        return;
    std::vector<unsigned int> stale;
    stale.swap(pendingChunks);
    // A chunk marked, cleared and marked again is listed twice.
    std::sort(stale.begin(), stale.end());
    stale.erase(std::unique(stale.begin(), stale.end()), stale.end());
    for (unsigned int index : stale)
        if (index < chunks.size() && chunks[index]->isUpdateNeeded())
            chunks[index]->update();
}

bool MapComponent::isVisible(const sf::RenderTarget& target, sf::RenderStates states) const
{
    const math::Vector2<float> real = getRealSize();
    states.transform.scale(real.x, real.y);
    return isUnitSquareOnScreen(target, states.transform);
}

std::vector<unsigned int> MapComponent::findVisibleChunks(const sf::RenderTarget& target,
                                                          const sf::RenderStates& states) const
{
    std::vector<unsigned int> found;
    if (chunks.empty())
        return found;
    const long long columns = static_cast<long long>(chunks.size()) / chunkRows;
    long long x0 = 0, x1 = columns - 1, y0 = 0, y1 = chunkRows - 1;
    // The viewport, grown by two pixels on every side, mapped back into the
    // map and grown by a cell (far more than float rounding between this
    // mapping and the chunks' own test can reach): the chunks under that box
    // hold every chunk the test accepts.
    const sf::View& view = target.getView();
    const sf::IntRect viewport = target.getViewport(view);
    if (viewport.width <= 0 || viewport.height <= 0)
        return found;
    const sf::Transform toScreen = view.getTransform() * states.transform;
    const float* m = toScreen.getMatrix();
    const double determinant = static_cast<double>(m[0]) * m[5] - static_cast<double>(m[1]) * m[4];
    if (determinant != 0.0 && std::isfinite(determinant)) {
        const sf::Transform toMap = toScreen.getInverse();
        double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
        for (int corner = 0; corner < 4; ++corner) {
            const double px = corner & 1 ? viewport.left + viewport.width + 2.0 : viewport.left - 2.0;
            const double py = corner & 2 ? viewport.top + viewport.height + 2.0 : viewport.top - 2.0;
            const sf::Vector2f p = toMap.transformPoint(
                static_cast<float>((px - viewport.left) / viewport.width * 2.0 - 1.0),
                static_cast<float>(1.0 - (py - viewport.top) / viewport.height * 2.0));
            left = std::min<double>(left, p.x);
            right = std::max<double>(right, p.x);
            top = std::min<double>(top, p.y);
            bottom = std::max<double>(bottom, p.y);
        }
        const double cell = tileMap.getTileSize();
        const double chunkSize = static_cast<double>(chunkEdge) * cell;
        auto index = [chunkSize](double v, long long last) {
            return static_cast<long long>(std::clamp(std::floor(v / chunkSize), 0.0, static_cast<double>(last)));
        };
        // NaN compares false and keeps the whole range.
        if (left <= right && top <= bottom) {
            x0 = index(left - cell, columns - 1);
            x1 = index(right + cell, columns - 1);
            y0 = index(top - cell, chunkRows - 1);
            y1 = index(bottom + cell, chunkRows - 1);
        }
    }
    for (long long cx = x0; cx <= x1; ++cx)
        for (long long cy = y0; cy <= y1; ++cy) {
            const auto i = static_cast<unsigned int>(cx * chunkRows + cy);
            if (chunks[i]->isVisible(target, states))
                found.push_back(i);
        }
    return found;
}

void MapComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    // With a body the position is a world position; without one it is
    // relative to the owner, whose placement the states carry.
    if (getBody())
        states.transform = sf::Transform::Identity;
    states.transform.translate(rvec2svec(position));
    if (!isVisible() || !isVisible(target, states))
        return;
    const std::vector<unsigned int> shown = findVisibleChunks(target, states);
    if (shown.empty())
        return;
    sf::RenderStates mask = states;
    mask.blendMode = MaskBlend;
    for (unsigned int i : shown)
        chunks[i]->drawMask(target, mask);
    sf::RenderStates textured = states;
    textured.blendMode = TextureBlend;
    for (unsigned int i : shown)
        chunks[i]->drawTexture(target, textured);
    // Pixels per world unit of the view drawn through, so the outline keeps
    // its world thickness at any zoom.
    const sf::View& view = target.getView();
    const float pixelUnit = static_cast<float>(target.getSize().x) * view.getViewport().width /
                            std::abs(view.getSize().x);
    for (unsigned int i : shown) {
        chunks[i]->setBorderWidth(pixelUnit * BorderWidth);
        chunks[i]->drawBorder(target, states);
    }
}
