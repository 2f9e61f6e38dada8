#pragma once

#include "engine/GameComponent.hpp"
#include "engine/GameObjectDrawer.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/fx/AssetCache.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <memory>
#include <string>
#include <vector>

class b2Joint;

namespace velk {

namespace backend {
class PartEntry;
class ShipPart;
} // namespace backend

/// Base of every ship part but the hull. A part stands for one placed part of
/// the ship description. When it starts it loads its catalogue code's object
/// file into a hidden object of its own in the same world (the part object),
/// welds that object's main body to the hull and creates the sounds its
/// object names. From then on moves, turns and mirrorings of the part go to
/// the part object, and each update copies the part object's pose back.
/// Parts are hidden: the ship shows each one only while it draws it.
///
/// Test mode (the ship editor's preview, set before the part starts): "_test"
/// texture, no mask colour, no sounds.
class PartComponent : public GameComponent, public GameObjectDrawer {
public:
    /// A sound with a target volume it fades to (instantly when the fading
    /// speed is not above 0). Also used by the play rules for one-shot sounds.
    class Sound : public tools::Updateable {
    public:
        Sound(const std::string& file, fx::AssetCache<sf::SoundBuffer>& cache);
        ~Sound() override;

        float getVolume() const { return volume; }
        /// Stores the target; applies it at once when there is no fading.
        void setVolume(float v);
        float getFadingSpeed() const { return fadingSpeed; }
        void setFadingSpeed(float speed) { fadingSpeed = speed; }
        sf::Sound& sound() { return snd; }
        const sf::Sound& sound() const { return snd; }

        void onUpdate(float dt) override;

    private:
        float volume = 0.0f;
        float fadingSpeed = -1.0f;
        std::shared_ptr<sf::SoundBuffer> buffer;
        sf::Sound snd;
    };

    explicit PartComponent(backend::PartEntry* entry);
    ~PartComponent() override;

    backend::PartEntry* partEntry() { return entry; }
    const backend::PartEntry* partEntry() const { return entry; }
    /// The catalogue record of the entry; null without an entry or for an id
    /// the catalogue lacks.
    const backend::ShipPart* shipPart() const;

    bool isTest() const { return test; }
    void setTest(bool on) { test = on; }
    /// True once the part object is welded to the hull: the ship then moves
    /// and turns the part with itself.
    bool isPhisical() const { return phisical; }
    void setPhisical(bool on) { phisical = on; }

    /// The hidden object loaded from the part's object file; null without one.
    GameObject* partObject() { return object; }
    const GameObject* partObject() const { return object; }

    float getSoundVolumeFactor() const { return soundVolumeFactor; }
    /// Kept within [0, 1].
    void setSoundVolumeFactor(float f);
    std::size_t getNumberOfSounds() const { return sounds.size(); }
    Sound& getSound(std::size_t index) { return *sounds.at(index); }
    const Sound& getSound(std::size_t index) const { return *sounds.at(index); }

    /// One sound per sound key that names a property of the part object.
    void initSounds();
    /// Appends a sound for that file (attenuation 0.1, not relative); not played.
    void addSound(const std::string& file);

    /// Called after joints of the part object may have been destroyed or
    /// rebuilt (death of the ship, mirroring): a part that keeps joints
    /// collects them again from the live bodies. Does nothing here.
    virtual void refreshJoints() {}

    void onMirroredX() override;
    void onUpdate(float dt) override;
    /// Draws the part object while the part is shown: untransformed, under
    /// the shader of `states` (the colour filter) when it has one.
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    bool hasBody(b2Body* body) const override;
    void onBegin() override;
    /// Takes the part object out of the world.
    void onEnd() override;
    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;

protected:
    /// Names of part object properties that name sound files; a subclass sets
    /// them before the base onBegin runs.
    std::vector<std::string> soundKeys;
    std::vector<std::unique_ptr<Sound>> sounds;

    /// Shows the part object, draws it with `states` and hides it again.
    void drawPartObject(sf::RenderTarget& target, const sf::RenderStates& states) const;
    /// The main body of the part object, when its main component is a physics one.
    b2Body* partMainBody() const;

private:
    backend::PartEntry* entry;
    bool test = false;
    bool phisical = false;
    GameObject* object = nullptr;
    float soundVolumeFactor = 1.0f;
};

/// The object file of a catalogue code: partObjectFolder/<code>/<code>.obj.json.
std::string partObjectFile(const std::string& code);
/// Whether a regular file is at the path.
bool isRegularFile(const std::string& path);
/// The body of the object's main component, when that is a physics component.
b2Body* mainBodyOf(const GameObject* object);
/// `name`'s stem + "_test" + its extension, without its folder.
std::string testTextureName(const std::string& name);

} // namespace velk
