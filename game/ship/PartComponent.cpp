#include "game/ship/PartComponent.hpp"

#include "engine/GameObject.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameWorld.hpp"
#include "foundation/tools/Log.hpp"
#include "game/ship/ShipPaths.hpp"
#include "game/ship/backend/PartEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <box2d/box2d.h>

#include <algorithm>
#include <filesystem>

namespace velk {

namespace {
const char* const Tag = "PartComponent";
} // namespace

std::string partObjectFile(const std::string& code)
{
    return joinPath(joinPath(partObjectFolder, code), code.empty() ? std::string() : code + ".obj.json");
}

bool isRegularFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

b2Body* mainBodyOf(const GameObject* object)
{
    if (!object)
        return nullptr;
    const auto* physics = dynamic_cast<const GamePhisicsComponent*>(object->getMainComponent());
    return physics ? const_cast<b2Body*>(physics->getBody()) : nullptr;
}

std::string testTextureName(const std::string& name)
{
    const std::filesystem::path path(name);
    return path.stem().string() + "_test" + path.extension().string();
}

// ---------------------------------------------------------------- Sound

PartComponent::Sound::Sound(const std::string& file, fx::AssetCache<sf::SoundBuffer>& cache)
    : buffer(cache.acquire(fx::fileKey<sf::SoundBuffer>(file)))
{
    if (buffer)
        snd.setBuffer(*buffer);
}

PartComponent::Sound::~Sound()
{
    snd.stop();
}

void PartComponent::Sound::setVolume(float v)
{
    volume = v;
    if (fadingSpeed <= 0.0f)
        snd.setVolume(std::clamp(v, 0.0f, 100.0f));
}

void PartComponent::Sound::onUpdate(float dt)
{
    const float target = std::clamp(volume, 0.0f, 100.0f);
    const float current = snd.getVolume();
    if (fadingSpeed <= 0.0f)
        snd.setVolume(target);
    else if (current < target)
        snd.setVolume(std::min(current + dt * fadingSpeed, target));
    else if (current > target)
        snd.setVolume(std::max(current - dt * fadingSpeed, target));
}

// ---------------------------------------------------------------- part

PartComponent::PartComponent(backend::PartEntry* entry) : entry(entry)
{
    hide();
}

PartComponent::~PartComponent() = default;

const backend::ShipPart* PartComponent::shipPart() const
{
    return entry ? entry->getShipPart() : nullptr;
}

void PartComponent::setSoundVolumeFactor(float f)
{
    soundVolumeFactor = f >= 1.0f ? 1.0f : std::max(f, 0.0f);
}

void PartComponent::onBegin()
{
    if (!entry)
        return;
    // Ship coordinates: right in the world while the ship stands at the origin,
    // which is where it assembles.
    position = entry->getPosition();
    rotation = entry->getRotation();
    setMirroredX(entry->isMirroredX());

    const backend::ShipPart* part = entry->getShipPart();
    if (!part) {
        tools::log(Tag, "Part id " + std::to_string(entry->getPartId()) +
                            " is not in the catalogue; the part has no object");
        return;
    }
    GameWorld* world = getWorld();
    if (!world) {
        tools::log(Tag, "The part \"" + part->getCode() + "\" is in no world; it has no object");
        return;
    }
    const std::string path = partObjectFile(part->getCode());
    if (!isRegularFile(path)) {
        tools::log(Tag, "No object file \"" + path + "\" for part \"" + part->getCode() + "\"; the part is not shown");
        if (!test)
            initSounds();
        return;
    }

    object = world->add(new GameObject());
    object->loadFromFile(path);
    object->addDrawer(this);
    object->hide();
    if (test)
        object->setTextureFile(testTextureName(object->imageMap().getImageFile()));
    object->setPosition(position);
    object->setRotation(rotation);
    object->mirrorToX(isMirroredX());

    b2Body* hullBody = mainBodyOf(getObject());
    b2Body* partBody = mainBodyOf(object);
    if (hullBody && partBody) {
        b2WeldJointDef def;
        def.bodyA = hullBody;
        def.bodyB = partBody;
        def.collideConnected = false;
        def.localAnchorA.Set(position.x, position.y);
        def.localAnchorB.SetZero();
        def.referenceAngle = partBody->GetAngle() - hullBody->GetAngle();
        def.stiffness = 0.0f;
        def.damping = 0.0f;
        world->getB2World()->CreateJoint(&def);
        phisical = true;
    } else {
        phisical = false;
    }

    if (test)
        return;
    if (getObject())
        object->setMaskColor(getObject()->getMaskColor());
    initSounds();
}

void PartComponent::onEnd()
{
    if (!object)
        return;
    GameObject* leaving = object;
    object = nullptr;
    leaving->removeDrawer(this);
    if (GameWorld* world = leaving->getWorld())
        world->destroy(leaving);
}

void PartComponent::initSounds()
{
    if (!object)
        return;
    const GameObject::Properties props = object->properties();
    for (const std::string& key : soundKeys) {
        const auto it = props.find(key);
        if (it != props.end())
            addSound(joinPath(partSoundFolder, it->second));
    }
}

void PartComponent::addSound(const std::string& file)
{
    GameWorld* world = getWorld();
    if (!world)
        return;
    auto sound = std::make_unique<Sound>(file, world->sndCache());
    sound->sound().setAttenuation(0.1f);
    sound->sound().setRelativeToListener(false);
    sounds.push_back(std::move(sound));
}

void PartComponent::onUpdate(float dt)
{
    GameComponent::onUpdate(dt);
    if (object) {
        position = object->getPosition();
        rotation = object->getRotation();
        setMirroredX(object->isMirroredX());
    }
    for (auto& sound : sounds) {
        sound->update(dt);
        if (object)
            sound->sound().setPosition(object->getPosition().x, object->getPosition().y, 0.0f);
    }
}

void PartComponent::drawPartObject(sf::RenderTarget& target, const sf::RenderStates& states) const
{
    if (!isVisible() || !object)
        return;
    object->show();
    target.draw(*object, states);
    object->hide();
}

void PartComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    // The part object's bodies place it in the world: it takes none of the
    // ship's transform, but the colour filter's shader like everything else.
    sf::RenderStates own;
    own.shader = states.shader;
    drawPartObject(target, own);
}

bool PartComponent::hasBody(b2Body* body) const
{
    return object && object->hasBody(body);
}

b2Body* PartComponent::partMainBody() const
{
    return mainBodyOf(object);
}

void PartComponent::onMoved(const math::Vector2<float>& d)
{
    if (object)
        object->move(d);
}

void PartComponent::onRotated(float a)
{
    if (object)
        object->rotate(a);
}

void PartComponent::onMirroredX()
{
    if (object)
        object->mirrorX();
}

} // namespace velk
