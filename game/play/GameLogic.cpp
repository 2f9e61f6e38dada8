// The game rules: construction, the start of a game, the end, the getters.
#include "game/play/GameLogic.hpp"

#include "engine/DunnixComponent.hpp"
#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GameSimpleComponent.hpp"
#include "framework/fx/ForceAffector.hpp"
#include "framework/fx/Random.hpp"
#include "framework/sfml/SfmlConversions.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/play/CheckpointObject.hpp"
#include "game/play/MapObject.hpp"
#include "game/play/PlatformObject.hpp"
#include "game/play/PlayShipObject.hpp"
#include "game/play/model/CheckpointKinds.hpp"
#include "game/play/model/PlayRules.hpp"
#include "game/ship/HullComponent.hpp"
#include "terrain/MapComponent.hpp"

namespace velk {

const std::string GameLogic::sHullGroundBummFile = "data/snd/impact/impact hull_ground.wav";
const std::string GameLogic::sPartGroundBummFile = "data/snd/impact/impact track_ground.wav";
const std::string GameLogic::sPlatformGroundBummFile = "data/snd/impact/impact ship_platform.wav";
const std::string GameLogic::sDrillFallBummFile = "data/snd/impact/drill_fall.wav";
const std::string GameLogic::sCheckpointScoreFile = "data/snd/impact/score.wav";
const std::string GameLogic::sDrillLoopFile = "data/snd/impact/furo kovet erint.wav";
const std::string GameLogic::sMoonObjectFile = "data/obj/moon/moon.obj.json";
const std::string GameLogic::sBackgroundFile = "data/img/play/dunnnnnnnnix.png";
const std::string GameLogic::sShadowFile = "data/img/play/arnyekfilter.png";
const std::string GameLogic::sSparkFile = "data/img/particles/spark.png";
const std::string GameLogic::sSmokeFile = "data/img/particles/smoke.png";
// Bebas Neue from Debian's fonts-bebas-neue stands in for the display font.
const std::string GameLogic::sDefaultFontFile = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf";

namespace {

const float kGravity = -5.0f;
const float kBackgroundParallax = 0.98f;

unsigned primaryJoystick()
{
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    return sfml ? sfml->getPrimaryJoystick() : static_cast<unsigned>(sf::Joystick::Count);
}

} // namespace

GameLogic::GameLogic(const std::string& shipFile, const std::string& mapFile, const GameInputSource& input,
                     sf::Vector2f viewSize)
    : tools::Activable(false), shipFile(shipFile), input(&input), firstViewSize(viewSize)
{
    actionMap.setInputSource(input);
    try {
        build(mapFile);
    } catch (...) {
        // The members go without the destructor: the world must no longer
        // call back into a game that was never made.
        gameWorld.removePhisicsContactListener(this);
        if (ship)
            ship->removeDrawer(this);
        throw;
    }
}

void GameLogic::build(const std::string& mapFile)
{
    gameWorld.getB2World()->SetGravity(b2Vec2(0.0f, kGravity));
    createBackground();

    mapObject = static_cast<MapObject*>(gameWorld.add(new MapObject()));
    if (!mapObject->build(mapFile, sMoonObjectFile))
        throw GameSetupError("Cannot load the map \"" + mapFile + "\"", "play.loadfailed.map", mapFile);

    actionMap['P'] = fx::InputAction(sf::Keyboard::F7, fx::InputAction::PressOnce);
    actionMap['L'] = fx::InputAction(fx::JoystickButton(primaryJoystick(), 6), fx::InputAction::Hold) ||
                     fx::InputAction(sf::Keyboard::Return, fx::InputAction::Hold);

    if (!shipEntry.loadFromFile(shipFile))
        throw GameSetupError("Cannot load the ship \"" + shipFile + "\"", "play.loadfailed.ship", shipFile);
    shipEntry.moveToCenter();

    createParticleSystems();
    gameWorld.enablePhisicsContactListening();
    gameWorld.addPhisicsContactListener(this);
    createPlatforms();
    gameMode = rules::gameModeFor(platforms.size());
    gameWorld.setDefaultFont(sDefaultFontFile);

    startGame();
    if (gameMode == 1)
        createCheckpoints();
    createShadow();
    gameWorld.update(0.0f);
    // The update put the shadow on its component's place; back to the ship.
    updateShadow();
}

GameLogic::~GameLogic()
{
    gameWorld.removePhisicsContactListener(this);
    checkpoints.clear();
    platforms.clear();
    sounds.clear();
    sparkSystem.clearEmitters();
    smokeSystem.clearEmitters();
    drillings.clear();
    if (ship)
        ship->removeDrawer(this);
}

void GameLogic::createBackground()
{
    GameObject* background = gameWorld.add(new GameObject());
    auto* layers = new DunnixComponent();
    background->add(layers);
    layers->addLayer(sBackgroundFile, kBackgroundParallax);
}

void GameLogic::createParticleSystems()
{
    // Particles live in drawing coordinates, where y points down.
    const fx::ForceAffector gravity(sf::Vector2f(0.0f, -kGravity));
    sparkTexture = gameWorld.texCache().acquire(fx::fileKey<sf::Texture>(sSparkFile));
    if (sparkTexture) {
        sparkTexture->setSmooth(true);
        sparkSystem.setTexture(sparkTexture);
        const sf::Vector2u size = sparkTexture->getSize();
        // One rectangle per spark colour; the index only picks the colour.
        for (int i = 0; i < 4; ++i)
            sparkSystem.addTextureRect(sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y)));
    }
    sparkSystem.addAffector(gravity);
    sparkSystem.addAffector(affectSparkColor);

    smokeTexture = gameWorld.texCache().acquire(fx::fileKey<sf::Texture>(sSmokeFile));
    if (smokeTexture) {
        smokeTexture->setSmooth(true);
        smokeSystem.setTexture(smokeTexture);
    }
    smokeSystem.addAffector(gravity);
}

void GameLogic::createPlatforms()
{
    for (const math::Vector2<float>& position : mapObject->getPlatformPositions()) {
        auto* platform = static_cast<PlatformObject*>(gameWorld.add(new PlatformObject()));
        platform->setPosition(position);
        platforms.push_back(platform);
    }
}

void GameLogic::startGame()
{
    initShip();
    gameWorld.getCamera().setCenter(rvec2svec(ship->getPosition()));
    const bool sized = firstViewSize.x > 0.0f && firstViewSize.y > 0.0f;
    updateCamera(0.0f, sized ? firstViewSize : gameWorld.getCamera().getSize());
    ended = false;
    GameFloatingTextEmitter* texts = gameWorld.floatingTextEmitter();
    while (texts && texts->getNumberOfComponents() > 0)
        texts->destroy(texts->getComponent(0));
    trialTime = sf::Time::Zero;
}

void GameLogic::initShip()
{
    if (ship) {
        const auto& objects = gameWorld.getResources();
        if (std::find(objects.begin(), objects.end(), ship) != objects.end())
            gameWorld.destroy(ship);
        ship = nullptr;
    }
    auto* created = new PlayShipObject(&shipEntry);
    created->actions().setInputSource(*input);
    for (char axis = 0; axis < 4; ++axis)
        created->control()[axis]->setInputSource(*input);
    ship = static_cast<PlayShipObject*>(gameWorld.add(created));
    // A ship without a hull body would be a game without a ship.
    if (!ship->hull() || !ship->hull()->getBody())
        throw GameSetupError("The ship \"" + shipFile + "\" has no usable outline", "play.loadfailed.outline",
                             shipFile);
    ship->setPosition(mapObject->getStartPosition());
    ship->addDrawer(this);
}

void GameLogic::createCheckpoints()
{
    for (std::size_t i = 0; i < PointKindCount; ++i)
        createCheckpoints(PointTile[i], PointScores[i], PointFuels[i]);
}

void GameLogic::createCheckpoints(unsigned char tile, int points, float fuel)
{
    MapComponent* map = mapObject->getMap();
    const Rgba c = markerColor(tile);
    for (const math::Vector2<unsigned int>& marker : map->map().getMarkers(tile)) {
        auto* checkpoint = static_cast<CheckpointObject*>(gameWorld.add(new CheckpointObject()));
        checkpoint->setColor(sf::Color(c.r, c.g, c.b, c.a));
        checkpoint->setScore(points);
        checkpoint->setFuel(fuel);
        checkpoint->setPosition(map->getTilePosition(static_cast<int>(marker.x), static_cast<int>(marker.y), 15));
        checkpoints.push_back(checkpoint);
    }
}

void GameLogic::createShadow()
{
    shadow = gameWorld.add(new GameObject());
    auto* component = new GameSimpleComponent();
    shadow->add(component);
    shadow->setMainComponent(component);
    if (std::shared_ptr<sf::Texture> texture = gameWorld.texCache().acquire(fx::fileKey<sf::Texture>(sShadowFile))) {
        sf::RectangleShape& shape = component->getShape();
        shape.setTexture(texture.get(), false);
        const sf::Vector2u size = texture->getSize();
        shape.setSize(sf::Vector2f(1.0f, static_cast<float>(size.y) / static_cast<float>(size.x)));
        shape.setOrigin(shape.getSize() * 0.5f);
    }
    updateShadow();
}

float GameLogic::getHp() const
{
    return ship ? ship->getHealth() : 0.0f;
}

float GameLogic::getHpRatio() const
{
    return 0.01f * getHp();
}

float GameLogic::getFuel() const
{
    return ship ? ship->getFuel() : 0.0f;
}

float GameLogic::getFuelRatio() const
{
    return ship ? ship->getFuelRatio() : 0.0f;
}

bool GameLogic::isLandable() const
{
    return landed && ship && ship->isAlive();
}

} // namespace velk
