#pragma once

#include "engine/GameComponentSet.hpp"
#include "foundation/json/Value.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/Lifecycle.hpp"
#include "foundation/tools/Mirrorable2.hpp"
#include "foundation/tools/Movable2.hpp"
#include "foundation/tools/Rotatable2.hpp"
#include "foundation/tools/Visible.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

#include <map>
#include <string>

class GameObject;
class GameWorld;
class b2Body;
class b2Fixture;
class b2Contact;

/// One node of an object's component tree: a position and angle (world
/// units, y up, radians) relative to its parent, mirror, visible and active
/// flags, one rectangle shape, an id, a mask flag, string properties and its
/// own children. Adding a component to a set starts it; removing it finishes
/// and deletes it; children deleted together with their parent are deleted
/// without being finished.
class GameComponent : public tools::Activable,
                      public tools::Lifecycle,
                      public tools::Movable2<float>,
                      public tools::Rotatable2<float>,
                      public tools::Mirrorable2,
                      public tools::Visible,
                      public sf::Drawable,
                      public GameComponentSet,
                      public tools::ResourceSet<GameComponent>::Listener {
public:
    using Properties = std::map<std::string, std::string>;

    /// Minus 180 over pi: world radians (y up) to screen degrees (y down).
    static constexpr double RadToScreenDeg = -57.29577951308232;

    GameComponent();
    ~GameComponent() override;

    void onResourceCreated(GameComponent* child) override;
    void onResourceDestroying(GameComponent* child) override;
    /// Applies the component keys of an object file ("Id", "Main", "Mask",
    /// "Position", "Rotation", "Size", "Origin", "Properties"); a value that is
    /// not an object changes nothing.
    virtual void parseFromValue(const json::Value& value);
    void onMirroredX() override;
    void onUpdate(float dt) override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    /// Whether the component holds that body; a plain component holds none.
    virtual bool hasBody(b2Body* body) const;
    virtual bool hasFixture(b2Fixture* fixture) const;
    /// Whether one of the contact's fixtures is on this component's body
    /// (children are not asked); false for a null contact.
    virtual bool isContactedIn(b2Contact* contact) const;

    GameObject* getObject() { return owner; }
    const GameObject* getObject() const { return owner; }
    /// The owner's world, or null when the component has no owner or the
    /// owner is in no world.
    GameWorld* getWorld();
    const GameWorld* getWorld() const;

    const std::string& getId() const { return id; }
    void setId(const std::string& value) { id = value; }
    bool isMask() const { return mask; }
    void setMask(bool value) { mask = value; }
    sf::RectangleShape& getShape() { return shape; }
    const sf::RectangleShape& getShape() const { return shape; }
    Properties properties() const { return props; }

protected:
    friend class GameObject;

    /// Sets the owner of this component and of every descendant.
    void setObject(GameObject* object);

private:
    GameObject* owner = nullptr;
    std::string id;
    bool mask = false;
    Properties props;
    sf::RectangleShape shape;
    /// Set while the destructor deletes the children: they are not finished.
    bool dying = false;
};
