#pragma once

#include "foundation/tools/ResourceSet.hpp"
#include "foundation/tools/Updateable.hpp"
#include "framework/fx/AssetCache.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <box2d/box2d.h>

#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

class B2DebugDrawObject;
class GameFloatingTextEmitter;
class GameObject;
class SfmlB2Renderer;

/// One running scene: the Box2D world, the objects in it (owned, in update
/// and drawing order), the texture, sound and font caches its objects share,
/// the camera, a floating-text emitter, an optional physics debug overlay and
/// a fan-out of contact callbacks. Objects may be added or removed while the
/// world updates or draws them: a walk covers the objects as they stood when
/// it began, minus those removed meanwhile.
class GameWorld : public tools::Updateable,
                  public tools::ResourceSet<GameObject>,
                  public tools::ResourceSet<GameObject>::Listener,
                  public sf::Drawable,
                  public b2ContactListener {
public:
    /// Solver iterations (velocity, position) for a configured frame rate:
    /// fewer per step as steps get shorter.
    static std::pair<int, int> solverIterations(unsigned fps);

    explicit GameWorld(b2Vec2 gravity);
    ~GameWorld() override;

    /// Steps the physics with the iterations of the configured frame rate
    /// (60 frames a second without an SFML layer), then updates every object.
    void onUpdate(float dt) override;
    void onResourceCreated(GameObject* object) override;
    void onResourceDestroying(GameObject* object) override;
    /// Under the camera: the objects in list order, then the floating texts,
    /// then the physics overlay.
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void BeginContact(b2Contact* contact) override;
    void EndContact(b2Contact* contact) override;
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;

    b2World* getB2World() { return b2.get(); }
    const b2World* getB2World() const { return b2.get(); }
    fx::AssetCache<sf::Texture>& texCache() { return textures; }
    const fx::AssetCache<sf::Texture>& texCache() const { return textures; }
    fx::AssetCache<sf::SoundBuffer>& sndCache() { return sounds; }
    const fx::AssetCache<sf::SoundBuffer>& sndCache() const { return sounds; }
    fx::AssetCache<sf::Font>& fontCache() { return fonts; }
    const fx::AssetCache<sf::Font>& fontCache() const { return fonts; }
    sf::View& getCamera() { return camera; }
    const sf::View& getCamera() const { return camera; }
    /// Window pixels per world unit horizontally; 0 without a window.
    float getPixelUnit() const;
    /// The same for a render target `targetWidth` pixels wide.
    float getPixelUnit(unsigned targetWidth) const;

    GameFloatingTextEmitter* floatingTextEmitter() { return emitter; }
    const GameFloatingTextEmitter* floatingTextEmitter() const { return emitter; }
    /// Names the default font file; it is loaded on first use.
    void setDefaultFont(const std::string& path);
    /// The default font, loaded on the first call; null before setDefaultFont
    /// or when the file cannot be loaded.
    sf::Font* getDefaultFont();
    /// The default font only when it is already loaded, else null.
    const sf::Font* getDefaultFont() const;

    void enablePhisicsDebugDraw();
    void disablePhisicsDebugDraw();
    void setPhisicsDebugDrawEnabled(bool enabled);
    bool isPhisicsDebugDrawEnabled() const { return debugDraw != nullptr; }
    /// The overlay's renderer; null while the overlay is off or has no window.
    SfmlB2Renderer* getPhisicsDebugDraw();
    const SfmlB2Renderer* getPhisicsDebugDraw() const;

    void enablePhisicsContactListening();
    void disablePhisicsContactListening();
    void setPhisicsContactListeningEnabled(bool enabled);
    bool isPhisicsContactListeneingEnabled() const { return contactListening; }
    /// Appends the listener once; null is ignored.
    void addPhisicsContactListener(b2ContactListener* listener);
    void removePhisicsContactListener(b2ContactListener* listener);
    void removeAllPhisicsContactListener() { contactListeners.clear(); }

protected:
    /// During a walk over the objects (an update, its physics step included, or
    /// a draw) a destroyed object is skipped at once and deleted when the walk
    /// ends: Box2D aborts when bodies go in the middle of its step.
    bool deferDestroy(GameObject* object) override;

private:
    /// Marks a walk over the objects, so removals during it are remembered.
    class Walk;
    void endWalk() const;
    /// The objects as they stand now, for a walk.
    std::vector<GameObject*> snapshot() const { return getResources(); }
    bool removedDuringWalk(GameObject* object) const
    {
        return !removedInWalk.empty() && removedInWalk.count(object) != 0;
    }

    std::unique_ptr<b2World> b2;
    fx::AssetCache<sf::Texture> textures;
    fx::AssetCache<sf::SoundBuffer> sounds;
    fx::AssetCache<sf::Font> fonts;
    sf::View camera;
    std::unique_ptr<fx::AssetKey<sf::Font>> defaultFont;
    GameFloatingTextEmitter* emitter = nullptr;
    B2DebugDrawObject* debugDraw = nullptr;
    bool contactListening = false;
    std::vector<b2ContactListener*> contactListeners;
    mutable int walkDepth = 0;
    mutable std::unordered_set<GameObject*> removedInWalk;
    mutable std::vector<GameObject*> pendingRemovals;
};
