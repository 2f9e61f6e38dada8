#pragma once

#include "engine/GameComponentSet.hpp"
#include "engine/SfImageMap.hpp"
#include "foundation/json/Value.hpp"
#include "foundation/tools/Activable.hpp"
#include "foundation/tools/Lifecycle.hpp"
#include "foundation/tools/Mirrorable2.hpp"
#include "foundation/tools/Movable2.hpp"
#include "foundation/tools/Rotatable2.hpp"
#include "foundation/tools/Visible.hpp"
#include "framework/fx/AssetKey.hpp"
#include "physics/B2Scene.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <map>
#include <string>
#include <vector>

class GameComponent;
class GameObjectDrawer;
class GameWorld;

/// One thing in a game world: a tree of components, the Box2D bodies of its
/// scene file, named image rectangles with their texture, and string
/// properties. It can be moved, turned, mirrored, shown, hidden and updated
/// as one piece, and it follows its main component's pose on each update.
/// Objects load from ".obj.json" files; loading never throws (it may run on
/// the play screen's loading thread): every problem is a log line.
class GameObject : public tools::Activable,
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
    using JsonObject = std::map<std::string, json::Value>;

    GameObject();
    ~GameObject() override;

    void onResourceCreated(GameComponent* component) override;
    void onResourceDestroying(GameComponent* component) override;
    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;
    void onMirroredX() override;
    void onUpdate(float dt) override;
    void onBegin() override;
    /// Removes, finishes and deletes every top-level component.
    void onEnd() override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    // Contact queries; they look at the direct components only.
    virtual bool hasBody(b2Body* body) const;
    virtual GameComponent* getComponentByBody(b2Body* body) const;
    virtual bool hasFixture(b2Fixture* fixture) const;
    virtual GameComponent* getComponentByFixture(b2Fixture* fixture) const;
    virtual bool isContactedIn(b2Contact* contact) const;
    virtual std::vector<GameComponent*> getComponentsByContact(b2Contact* contact) const;

    /// The world, or null before the object is added to one.
    GameWorld* getWorld() { return world; }
    const GameWorld* getWorld() const { return world; }

    /// Replaces the component tree by the one of the object file.
    void loadFromFile(const std::string& path);
    /// Creates the components described under "Components" of `description` in `set`.
    void parseComponents(tools::ResourceSet<GameComponent>* set, const JsonObject& description);

    /// The texture of the texture key from the world's cache; null when it
    /// cannot be loaded or the object is in no world.
    sf::Texture* getTexture();
    const sf::Texture* getTexture() const;
    void setTextureKey(const fx::AssetKey<sf::Texture>& key) { textureKey = key; }
    const fx::AssetKey<sf::Texture>& getTextureKey() const { return textureKey; }
    /// Names the image map's image file and gives its texture, smoothed, to
    /// every shape of the tree; a texture that cannot be loaded is logged and
    /// leaves the shapes as they were.
    void setTextureFile(const std::string& file);
    SfImageMap& imageMap() { return images; }
    const SfImageMap& imageMap() const { return images; }

    const sf::Color& getMaskColor() const { return maskColor; }
    /// Stores the colour and fills every mask-flagged shape of the tree with it.
    void setMaskColor(const sf::Color& color);
    void updateMaskColor();

    B2Scene& getPhisics() { return phisics; }
    const B2Scene& getPhisics() const { return phisics; }
    Properties properties() const { return props; }
    bool isPropertyExists(const std::string& key) const { return props.count(key) != 0; }
    /// Throws std::out_of_range for a missing key.
    const std::string& getProperty(const std::string& key) const { return props.at(key); }

    GameComponent* getMainComponent() { return mainComponent; }
    const GameComponent* getMainComponent() const { return mainComponent; }
    /// Takes the component only when this object owns it.
    void setMainComponent(GameComponent* component);

    void addDrawer(GameObjectDrawer* drawer);
    void removeDrawer(GameObjectDrawer* drawer);
    void removeAllDrawer() { drawers.clear(); }
    void preDraw(sf::RenderTarget& target, sf::RenderStates states) const;
    void postDraw(sf::RenderTarget& target, sf::RenderStates states) const;

protected:
    GameComponent* mainComponent = nullptr;
    sf::Color maskColor = sf::Color::White;

private:
    friend class GameComponent;
    friend class GameWorld;

    /// Called by a component that is being deleted, so no pointer to it stays.
    void forgetComponent(const GameComponent* component);
    /// Removes every top-level component, finishing each.
    void removeAllComponents();
    /// Builds the components of one description; false when it yields none.
    void parseComponent(tools::ResourceSet<GameComponent>* set, const json::Value& element);
    void loadBody(const json::Value& value, const std::string& folder);
    void loadImageSet(const json::Value& value, const std::string& folder);
    /// A loading problem: the line itself, then one naming the object file.
    void warn(const std::string& text) const;

    GameWorld* world = nullptr;
    std::vector<GameObjectDrawer*> drawers;
    fx::AssetKey<sf::Texture> textureKey;
    B2Scene phisics{false};
    SfImageMap images;
    Properties props;
    /// The object file being loaded, for log lines.
    std::string loadingPath;
    bool destructing = false;
};

/// Gives `texture` to every shape of the set and its descendants, keeping
/// each shape's texture rectangle.
void updateComponentsTexture(tools::ResourceSet<GameComponent>* set, sf::Texture* texture);
/// Fills every mask-flagged shape of the set and its descendants; null does nothing.
void setMaskColorInSet(GameComponentSet* set, const sf::Color& color);
/// [left, top, width, height]; missing or non-number elements stay 0,
/// fractions are cut toward zero, a non-array gives (0, 0, 0, 0).
sf::IntRect jsonValue2IntRect(const json::Value& value);
