#pragma once

#include "engine/SfImageMap.hpp"
#include "engine/ThorShapeAnimator.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/fx/AssetCache.hpp"

#include <SFML/Graphics/Shape.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>
#include <vector>

namespace velk {

/// Animates one flame shape of a jet: a texture per thrust level (weakest
/// first), a looping burning animation while the level is on the flame's
/// side of zero, and a one-shot die-out animation when it leaves it, after
/// which the shape turns transparent. Everything comes from one ".flame.json":
/// {"ImageSet": image map with "Frame<i>" and "Dieoutframe<i>" rectangles,
///  "Levels": [texture files]}, both relative to the flame file.
class JetFlame : public tools::Updateable {
public:
    enum AnimId { Burning = 0, Dieout = 1 };
    /// 0 burns for levels above 0 ("Flame+"), 1 below 0 ("Flame-"); other
    /// values burn at every level.
    enum Direction { Positive = 0, Negative = 1 };

    struct Level {
        std::string file;
        std::shared_ptr<sf::Texture> texture;
    };

    /// Seconds per frame share: an animation of n frames lasts FrameTime * (n + 1).
    static constexpr float FrameTime = 0.03f;

    explicit JetFlame(sf::Shape* shape);
    ~JetFlame() override;

    /// Reads a flame file. False, with a log line naming the file and the
    /// flame unchanged, when it is missing or not JSON; the caller then makes
    /// no flame.
    bool loadFromFile(const std::string& file);
    /// The level textures from the cache (a missing one stays null).
    void loadTextures(fx::AssetCache<sf::Texture>& cache);

    /// Picks the level texture and starts or ends the burning.
    void setLevel(float level);
    void onUpdate(float dt) override;

    Direction getDirection() const { return direction; }
    void setDirection(Direction d) { direction = d; }
    sf::Shape* getShape() const { return shape; }
    void setShape(sf::Shape* s) { shape = s; }
    SfImageMap& imageMap() { return images; }
    const SfImageMap& imageMap() const { return images; }
    const std::vector<Level>& levels() const { return levelList; }
    unsigned getCurrentLevel() const { return currentLevel; }
    /// Null before a successful load.
    const ThorShapeAnimator<AnimId>* animator() const { return anim.get(); }

private:
    bool isBurning(float level) const;
    /// Adds the animation of the rectangles "<prefix>1", "<prefix>2", ... up
    /// to the first missing one.
    void addFrames(AnimId id, const std::string& prefix);

    std::vector<Level> levelList;
    unsigned currentLevel = 0;
    std::unique_ptr<ThorShapeAnimator<AnimId>> anim;
    Direction direction = Positive;
    sf::Shape* shape;
    SfImageMap images;
};

} // namespace velk
