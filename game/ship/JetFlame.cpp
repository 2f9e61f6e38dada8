#include "game/ship/JetFlame.hpp"

#include "foundation/json/ParseException.hpp"
#include "foundation/json/Parser.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/fx/FrameAnimation.hpp"
#include "game/ship/ShipPaths.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace velk {

namespace {
const char* const Tag = "JetFlame";
} // namespace

JetFlame::JetFlame(sf::Shape* shape) : shape(shape) {}

JetFlame::~JetFlame() = default;

bool JetFlame::loadFromFile(const std::string& file)
{
    json::Value root;
    try {
        root = json::parseFromFile(file);
    } catch (const std::exception& e) {
        tools::log(Tag, "Cannot read the flame file \"" + file + "\": " + e.what() + "; no flame");
        return false;
    }
    const std::string folder = std::filesystem::path(file).parent_path().string();
    if (root.isObject()) {
        const auto& members = root.objectValue();
        if (const auto it = members.find("ImageSet"); it != members.end() && it->second.isString()) {
            images.clear();
            images.loadFromFile(joinPath(folder, it->second.stringValue()));
        }
        if (const auto it = members.find("Levels"); it != members.end() && it->second.isArray()) {
            levelList.clear();
            for (const json::Value& entry : it->second.arrayValue())
                if (entry.isString())
                    levelList.push_back(Level{joinPath(folder, entry.stringValue()), nullptr});
        }
        currentLevel = static_cast<unsigned>(levelList.size());
    }
    anim = std::make_unique<ThorShapeAnimator<AnimId>>(shape);
    addFrames(Burning, "Frame");
    addFrames(Dieout, "Dieoutframe");
    return true;
}

void JetFlame::addFrames(AnimId id, const std::string& prefix)
{
    fx::FrameAnimation frames;
    const auto& rects = images.images();
    for (unsigned i = 1;; ++i) {
        const auto it = rects.find(prefix + std::to_string(i));
        if (it == rects.end())
            break;
        frames.addFrame(1.0f, it->second);
    }
    const float seconds = FrameTime * static_cast<float>(frames.getFrameCount() + 1);
    anim->addAnimation(id, frames, sf::seconds(seconds));
}

void JetFlame::loadTextures(fx::AssetCache<sf::Texture>& cache)
{
    for (Level& level : levelList)
        level.texture = cache.acquire(fx::fileKey<sf::Texture>(level.file));
}

bool JetFlame::isBurning(float level) const
{
    if (direction == Positive)
        return level > 0.0f;
    if (direction == Negative)
        return level < 0.0f;
    return true;
}

void JetFlame::setLevel(float level)
{
    if (!anim || !shape)
        return;
    if (isBurning(level)) {
        const std::size_t n = levelList.size();
        if (n > 0) {
            // Levels beyond 1 (or not numbers) must not index past the list.
            const float size = std::isfinite(level) ? std::min(std::fabs(level), 1.0f) : 0.0f;
            const std::size_t index = std::min(static_cast<std::size_t>(std::floor(static_cast<float>(n) * size)),
                                               n - 1);
            if (index != currentLevel) {
                currentLevel = static_cast<unsigned>(index);
                if (const sf::Texture* texture = levelList[index].texture.get())
                    shape->setTexture(texture, false);
            }
        }
        shape->setFillColor(sf::Color::White);
        if (!anim->isPlayingAnimation())
            anim->playAnimation(Burning, true);
        return;
    }
    if (anim->isPlayingAnimation() && anim->getPlayingAnimation() == Burning)
        anim->playAnimation(Dieout, false);
    if (!anim->isPlayingAnimation())
        shape->setFillColor(sf::Color::Transparent);
}

void JetFlame::onUpdate(float dt)
{
    if (!anim || !anim->isPlayingAnimation())
        return;
    anim->update(sf::seconds(dt));
    anim->animate();
}

} // namespace velk
