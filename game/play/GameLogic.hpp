#pragma once

#include "engine/GameActionMapper.hpp"
#include "engine/GameObjectDrawer.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/math/Vector2.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/Movable2.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/fx/Distribution.hpp"
#include "framework/fx/Emitter.hpp"
#include "framework/fx/ParticleSystem.hpp"
#include "game/play/model/BoreClock.hpp"
#include "game/play/model/OneShotQueue.hpp"
#include "game/ship/PartComponent.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>
#include <box2d/box2d.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fx {
struct Particle;
}

namespace velk {

class CheckpointObject;
class DrillComponent;
class MapObject;
class PlatformObject;
class PlayShipObject;

/// A game that cannot be set up: the map or the ship file cannot be read, or
/// the ship cannot be built from it. The message names the file and the cause
/// for the log; the cause's translation code and the file are kept apart, so
/// the player reads the cause in the chosen language.
class GameSetupError : public std::runtime_error {
public:
    GameSetupError(const std::string& message, std::string reasonCode, std::string file)
        : std::runtime_error(message), reasonCode(std::move(reasonCode)), file(std::move(file))
    {}

    const std::string& getReasonCode() const { return reasonCode; }
    const std::string& getFile() const { return file; }

private:
    std::string reasonCode;
    std::string file;
};

/// Uniform on [0, 100]; the spark colours are drawn from it.
extern const fx::Distribution<float> randomGenerator;
/// Spark colours: a new spark shows colour 0 and ages into the colour of its index.
extern const sf::Color SparkColors[4];
/// A spark's texture index: 0 with probability 0.4, 1 to 3 with 0.2 each.
unsigned int genSpackIndex();
/// The spark system's colour affector.
void affectSparkColor(fx::Particle& particle, sf::Time dt);

/// The rules of one game: one ship file played on one map file. It owns the
/// world the game runs in, the ship description, the platforms and
/// checkpoints, the drillings with their sparks and dust, the one-shot sounds,
/// the score, the trial clock and the end state.
///
/// The play screen builds it (on its loading thread), then each frame sets it
/// active while no window is modal, calls update(dt), draws world() and reads
/// the getters for its HUD: getGameMode, getScore, getTrialTime, isLandable,
/// getHpRatio, getFuelRatio; isEnded opens the game-over dialog.
class GameLogic : public tools::Activable, public tools::Updateable, public GameObjectDrawer, public b2ContactListener {
public:
    /// One drill head in contact with the terrain: its spark emitter, its
    /// grinding sound and its contact clock (one hole per drill time).
    class Drilling : public tools::Updateable, public tools::Movable2<float> {
    public:
        Drilling(DrillComponent* drill, const std::string& soundFile, fx::AssetCache<sf::SoundBuffer>& cache);
        ~Drilling() override;

        void onUpdate(float dt) override;

        DrillComponent* getDrill() const { return drill; }
        const math::Vector2<float>& getNormal() const { return normal; }
        void setNormal(const math::Vector2<float>& value) { normal = value; }
        fx::Emitter& getEmitter() { return emitter; }
        const fx::Emitter& getEmitter() const { return emitter; }
        sf::Sound& getSound() { return sound.sound(); }
        const sf::Sound& getSound() const { return sound.sound(); }
        /// Contact time since the last hole (or since the contact began).
        float getElapsed() const { return clock.getElapsed(); }
        /// A full drill time of contact has passed.
        bool isDone() const;
        /// When done, restarts the clock and returns true: one hole is due.
        bool takeHole();

    private:
        DrillComponent* drill;
        math::Vector2<float> normal{0.0f, 0.0f};
        fx::Emitter emitter;
        PartComponent::Sound sound;
        BoreClock clock;
    };

    static const std::string sHullGroundBummFile;
    static const std::string sPartGroundBummFile;
    static const std::string sPlatformGroundBummFile;
    static const std::string sDrillFallBummFile;
    static const std::string sCheckpointScoreFile;
    static const std::string sDrillLoopFile;
    static const std::string sMoonObjectFile;
    static const std::string sBackgroundFile;
    static const std::string sShadowFile;
    static const std::string sSparkFile;
    static const std::string sSmokeFile;
    static const std::string sDefaultFontFile;
    /// At most this many one-shot sounds play at once; a new one drops the oldest.
    static constexpr std::size_t MaxOneShotSounds = 24;

    /// Builds the whole game. Throws GameSetupError when the map or the ship
    /// file cannot be read or the ship cannot be built. The rules' and the
    /// ship's controls read held input and focus from `input` (which must
    /// outlive the game; tests pass one of their own). The first camera
    /// takes the aspect of `viewSize`, the window's view as the caller saw it
    /// (the game may be built on another thread, which must not read the
    /// window); a zero size keeps the camera's own aspect.
    GameLogic(const std::string& shipFile, const std::string& mapFile,
              const GameInputSource& input = GameInputSource::live(), sf::Vector2f viewSize = {});
    ~GameLogic() override;
    GameLogic(const GameLogic&) = delete;
    GameLogic& operator=(const GameLogic&) = delete;

    /// One frame: the world and the clocks while active; camera, listener,
    /// shadow, debug overlay, drilling, sounds and the mode's rules always.
    void onUpdate(float dt) override;
    /// Draws the sparks, then the dust, in drawing coordinates (after the ship).
    void postDraw(sf::RenderTarget& target, sf::RenderStates states) const override;
    /// Impact sounds and hull damage for each newly touching contact point.
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;

    // The start of a game.
    void startGame();
    void initShip();
    void createCheckpoints();
    void createCheckpoints(unsigned char tile, int score, float fuel);
    void createShadow();

    // Steps of a frame.
    /// On the main thread: sized to the window's view.
    void updateCamera(float dt);
    void updateCamera(float dt, sf::Vector2f viewSize);
    void updateShadow();
    void updateCheckpoints(float dt);
    void updateDrilling(float dt);
    /// The platform the ship rests on slowly enough to finish, or null.
    PlatformObject* getLandedPlatform() const;

    /// The drilling of that drill, created when there is none.
    Drilling* getDrilling(DrillComponent* drill);
    /// Bores a hole of that radius (world units) and throws its dust; nothing for radius <= 0.
    void drill(const math::Vector2<float>& position, float radius);
    void emitHoleDust(const math::Vector2<float>& position, float radius);
    /// Plays a one-shot sound at the point (the score sound at the listener)
    /// at min(factor, 1) of the sound volume, and queues it.
    void playBummSound(const std::string& file, float factor, const math::Vector2<float>& position);

    // For the HUD and the end dialog.
    int getGameMode() const { return gameMode; }
    float getHp() const;
    float getHpRatio() const;
    float getFuel() const;
    float getFuelRatio() const;
    int getScore() const { return score; }
    void addScore(int n) { score += n; }
    sf::Time getTrialTime() const { return trialTime; }
    bool isEnded() const { return ended; }
    /// Resting on a platform and alive: 'L' (Return, joystick button 6) would end the game.
    bool isLandable() const;
    bool isLanded() const { return landed; }
    GameWorld& world() { return gameWorld; }
    const GameWorld& world() const { return gameWorld; }
    backend::ShipEntry& getShipEntry() { return shipEntry; }
    const backend::ShipEntry& getShipEntry() const { return shipEntry; }

    // What the game is made of.
    PlayShipObject* getShip() const { return ship; }
    MapObject* getMapObject() const { return mapObject; }
    const std::vector<PlatformObject*>& getPlatforms() const { return platforms; }
    const std::vector<CheckpointObject*>& getCheckpoints() const { return checkpoints; }
    GameObject* getShadow() const { return shadow; }
    const std::vector<std::unique_ptr<Drilling>>& getDrillings() const { return drillings; }
    std::size_t getNumberOfSounds() const { return sounds.size(); }
    const PartComponent::Sound& getLastSound() const { return sounds.back(); }
    const fx::ParticleSystem& getSparkSystem() const { return sparkSystem; }
    const fx::ParticleSystem& getSmokeSystem() const { return smokeSystem; }
    /// The rules' input: 'P' toggles the physics overlay, 'L' ends a landing.
    GameActionMapper<char>& actions() { return actionMap; }

private:
    void build(const std::string& mapFile);
    void createBackground();
    void createParticleSystems();
    void createPlatforms();
    void dropFinishedSounds();
    void collect(CheckpointObject* checkpoint);

    int gameMode = 0;
    std::string shipFile;
    const GameInputSource* input;
    sf::Vector2f firstViewSize;
    // Declared before the world, so it outlives the ship that points at it.
    backend::ShipEntry shipEntry;
    GameWorld gameWorld{b2Vec2(0.0f, 0.0f)};
    PlayShipObject* ship = nullptr;
    MapObject* mapObject = nullptr;
    // Declared after the world, so they go first: drillings point at drills.
    std::vector<std::unique_ptr<Drilling>> drillings;
    fx::ParticleSystem sparkSystem;
    std::shared_ptr<sf::Texture> sparkTexture;
    fx::ParticleSystem smokeSystem;
    std::shared_ptr<sf::Texture> smokeTexture;
    GameActionMapper<char> actionMap;
    OneShotQueue<PartComponent::Sound> sounds{MaxOneShotSounds};
    std::vector<PlatformObject*> platforms;
    bool ended = false;
    std::vector<CheckpointObject*> checkpoints;
    int score = 0;
    sf::Time trialTime;
    std::int64_t drainClock = 0;
    bool landed = false;
    GameObject* shadow = nullptr;
};

} // namespace velk
