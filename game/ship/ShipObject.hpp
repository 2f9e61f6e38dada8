#pragma once

#include "engine/GameActionMapper.hpp"
#include "engine/GameAxisMap.hpp"
#include "engine/GameObject.hpp"
#include "foundation/tools/Life.hpp"
#include "game/ship/backend/FuelTank.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/View.hpp>

#include <memory>
#include <set>
#include <string>
#include <vector>

class b2Fixture;

namespace velk {

namespace backend {
class PartEntry;
class ShipEntry;
} // namespace backend

class AntennaComponent;
class CockpitComponent;
class DrillComponent;
class FuelTankComponent;
class HullComponent;
class JetComponent;
class LampComponent;
class PartComponent;
class TrackComponent;

/// A ship in a game world, assembled from a ship description when the world
/// adds it: the hull body from the outline, then the parts by category, each
/// welded to the hull. The ship is its own fuel tank (capacity 100, filled at
/// the end of a successful assembly) and takes the player's controls: axes 0
/// (main engines), 1 (side jets), 2 (tracks), 3 (drill heads) and the actions
/// 'T' (turn around), 'H' (drills out/in), 'D' (drill heads on/off) and 'L'
/// (lamps). It is abstract: play mode and the editor's test drive supply the
/// eight factories, each of which constructs its kind, adds it to the ship's
/// component set (which starts it) and returns it.
class ShipObject : public GameObject, public tools::Life, public FuelTank {
public:
    static constexpr float Capacity = 100.0f;
    static constexpr float InitialHealth = 100.0f;
    static constexpr float TurnLift = 0.125f;
    static constexpr unsigned short SensorCategoryBits = 0x0004;
    static constexpr unsigned short SensorMaskBits = 0x0007;

    /// Builds nothing yet but the controls; `entry` is not owned and must
    /// outlive the ship.
    explicit ShipObject(backend::ShipEntry* entry);
    ~ShipObject() override;

    backend::ShipEntry* getShipEntry() { return entry; }
    const backend::ShipEntry* getShipEntry() const { return entry; }
    HullComponent* hull() { return hullComponent; }
    const HullComponent* hull() const { return hullComponent; }
    GameAxisMap<char>& control() { return axes; }
    const GameAxisMap<char>& control() const { return axes; }
    GameActionMapper<char>& actions() { return actionMap; }
    const GameActionMapper<char>& actions() const { return actionMap; }
    /// The joystick every axis and action uses (8: none).
    unsigned getJoystickId() const { return joystick; }

    const std::vector<GameComponent*>& backList() const { return back; }
    const std::vector<GameComponent*>& frontList() const { return front; }
    const std::vector<JetComponent*>& jets() const { return jetList; }
    const std::vector<TrackComponent*>& tracks() const { return trackList; }
    const std::vector<DrillComponent*>& drills() const { return drillList; }
    const std::vector<CockpitComponent*>& cockpits() const { return cockpitList; }
    const std::vector<LampComponent*>& lamps() const { return lampList; }
    const std::vector<FuelTankComponent*>& fuelTanks() const { return fuelTankList; }
    /// The sensor fixture on the hull body covering the ship's symmetric box.
    b2Fixture* turnSensor() const { return sensor; }
    const sf::Sound& deadSound() const { return deadSnd; }

    // Controls, motion, health and camera.
    /// Lifts the ship by 0.125 and mirrors it in X.
    void turn();
    float getHealth() const { return health; }
    void setHealth(float h) { health = h; }
    void modHealth(float d) { health += d; }
    void damageShip(float d) { health -= d; }
    float getHealthRatio() const { return health * 0.01f; }
    /// Drags the view's centre to within 3 units of the ship, then eases it
    /// toward the ship by 3.5 x dt of the remaining distance.
    void moveCamera(sf::View& view, float dt) const;
    /// Drills whose head is on.
    std::set<DrillComponent*> getActiveDrills() const;
    bool isLampOn() const;

    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;
    void onMirroredX() override;
    void onUpdate(float dt) override;
    /// Assembles the ship.
    void onBegin() override;
    void onEnd() override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    /// Controls go dead, lamps, drill heads and cockpits off, and every joint
    /// on the ship's bodies is destroyed (parts forget theirs).
    void onDeath() override;
    /// Takes the component out of every list before it goes.
    void onResourceDestroying(GameComponent* component) override;

protected:
    virtual HullComponent* createHull() = 0;
    virtual JetComponent* createJet(backend::PartEntry* entry) = 0;
    virtual TrackComponent* createTrack(backend::PartEntry* entry) = 0;
    virtual DrillComponent* createDrill(backend::PartEntry* entry) = 0;
    virtual AntennaComponent* createAntenna(backend::PartEntry* entry) = 0;
    virtual CockpitComponent* createCockpit(backend::PartEntry* entry) = 0;
    virtual LampComponent* createLamp(backend::PartEntry* entry) = 0;
    virtual FuelTankComponent* createFuelTank(backend::PartEntry* entry) = 0;

    /// For the factories: adds the component to the ship (starting it) and returns it.
    template <typename T>
    T* addPart(T* component)
    {
        add(component);
        return component;
    }

    /// Creates and sets up the parts of one category, in part-set order.
    void createParts(const std::string& category);
    void setupJet(JetComponent* jet);
    void setupTrack(TrackComponent* track);
    void setupDrill(DrillComponent* drill);
    void setupAntenna(AntennaComponent* antenna);
    void setupCockpit(CockpitComponent* cockpit);
    void setupLamp(LampComponent* lamp);
    void setupFuelTank(FuelTankComponent* tank);
    void createTurnSensor();
    void initDeadSound();

private:
    void setupControls();
    /// Every part component of the ship.
    std::vector<PartComponent*> parts() const;

    backend::ShipEntry* entry;
    std::vector<GameComponent*> back;
    std::vector<GameComponent*> front;
    HullComponent* hullComponent = nullptr;
    b2Fixture* sensor = nullptr;
    std::vector<JetComponent*> jetList;
    std::vector<TrackComponent*> trackList;
    std::vector<DrillComponent*> drillList;
    std::vector<CockpitComponent*> cockpitList;
    std::vector<LampComponent*> lampList;
    std::vector<FuelTankComponent*> fuelTankList;
    GameAxisMap<char> axes;
    GameActionMapper<char> actionMap;
    unsigned joystick = 8;
    float health = InitialHealth;
    std::shared_ptr<sf::SoundBuffer> deadBuffer;
    sf::Sound deadSnd;
};

} // namespace velk
