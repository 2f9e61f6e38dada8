#pragma once

// Builders shared by the ship tests: the shipped part objects and flames in a
// folder of their own without their images (unit tests have no GL context to
// make textures in), the catalogue of data/velk.sql plus test rows, a ship
// whose factories make the plain part kinds, and input the tests control.

#include "app/DatabaseSeeder.hpp"
#include "engine/GameInputSource.hpp"
#include "engine/GameWorld.hpp"
#include "game/ship/AntennaComponent.hpp"
#include "game/ship/CockpitComponent.hpp"
#include "game/ship/DrillComponent.hpp"
#include "game/ship/FuelTankComponent.hpp"
#include "game/ship/HullComponent.hpp"
#include "game/ship/JetComponent.hpp"
#include "game/ship/LampComponent.hpp"
#include "game/ship/ShipObject.hpp"
#include "game/ship/ShipPaths.hpp"
#include "game/ship/TrackComponent.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "game/ship/backend/ShipPartStore.hpp"
#include "testsupport/TempFolder.hpp"

#include <SFML/Window/Event.hpp>
#include <box2d/box2d.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <set>
#include <string>

namespace shiptest {

namespace fs = std::filesystem;

// Catalogue ids of the shipped rows the tests use.
constexpr unsigned MainJet = 1;     // jet.mkiii
constexpr unsigned SmallJet = 2;    // jet.mki
constexpr unsigned LightTrack = 10; // track.light
constexpr unsigned LightDrill = 20; // drill.light
constexpr unsigned Cockpit = 40;    // cockpit.bubble
constexpr unsigned Antenna = 50;    // antenna
constexpr unsigned Lamp = 60;       // lamp.spot

// Test rows, far above the game's own ids.
constexpr unsigned OtherAntenna = 91001;     // category "antenna", another code: never built
constexpr unsigned AntennaCockpit = 91002;   // category "cockpit", code "antenna": an antenna
constexpr unsigned NoObjectLamp = 91003;     // a lamp whose code has no object folder
constexpr unsigned SyntheticJet = 91004;     // "test.jet": written by the tests
constexpr unsigned SyntheticCockpit = 91005; // "test.cockpit": written by the tests
constexpr unsigned UnknownId = 4000000;

inline const char* const TestRows =
    "INSERT INTO \"part\" (\"id\", \"code\", \"image\", \"body\", \"category\", \"shape\") VALUES"
    " (91001, 'test.antenna2', '', '0 0', 'antenna', ''),"
    " (91002, 'antenna', '', '0 0', 'cockpit', ''),"
    " (91003, 'test.noobject', '', '0 0', 'lamp', ''),"
    " (91004, 'test.jet', '', '0 0', 'jet', ''),"
    " (91005, 'test.cockpit', '', '0 0', 'cockpit', '')";

inline fs::path sourceData()
{
    return fs::path(VELK_SOURCE_DIR) / "data";
}

/// Loads the catalogue rows of data/velk.sql, plus `extraRows` (SQL), into `store`.
inline bool loadShippedCatalogue(velk::backend::ShipPartStore& store, const std::string& extraRows = "")
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    std::string script;
    bool ok = app::DatabaseSeeder::readScript((sourceData() / "velk.sql").string(), script) &&
              app::DatabaseSeeder::apply(db, script);
    if (ok && !extraRows.empty())
        ok = sqlite3_exec(db, extraRows.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    ok = ok && store.loadFromDatabase(db);
    sqlite3_close(db);
    return ok;
}

/// Copies a folder tree, leaving out PNG images.
inline void copyWithoutImages(const fs::path& from, const fs::path& to)
{
    for (const auto& item : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(item.path(), from);
        if (item.is_directory())
            fs::create_directories(target);
        else if (item.path().extension() != ".png")
            fs::copy_file(item.path(), target, fs::copy_options::overwrite_existing);
    }
}

/// Once per test program: the shipped part objects and flames without their
/// images in a temporary folder, the part paths pointing there (sounds at the
/// shipped ones), and the catalogue loaded.
inline const fs::path& shippedData()
{
    static velk_test::TempFolder temp;
    static const bool ready = [] {
        copyWithoutImages(sourceData() / "obj" / "parts", temp / "parts");
        copyWithoutImages(sourceData() / "img" / "flames", temp / "flames");
        velk::partObjectFolder = (temp / "parts").string();
        velk::flameFolder = (temp / "flames").string();
        velk::partSoundFolder = (sourceData() / "snd" / "parts").string();
        velk::shipDeadSoundFile = (sourceData() / "snd" / "ship" / "malfunction.wav").string();
        return loadShippedCatalogue(velk::backend::ShipPartStore::Singleton, TestRows);
    }();
    EXPECT_TRUE(ready);
    return temp.getPath();
}

/// A ship whose factories make the plain part kinds; `testMode` marks every
/// part for the editor's preview before it starts.
class TestShip : public velk::ShipObject {
public:
    explicit TestShip(velk::backend::ShipEntry* entry, bool testMode = false) : ShipObject(entry), testMode(testMode) {}

protected:
    velk::HullComponent* createHull() override { return addPart(new velk::HullComponent()); }
    velk::JetComponent* createJet(velk::backend::PartEntry* e) override { return part(new velk::JetComponent(e)); }
    velk::TrackComponent* createTrack(velk::backend::PartEntry* e) override
    {
        return part(new velk::TrackComponent(e));
    }
    velk::DrillComponent* createDrill(velk::backend::PartEntry* e) override
    {
        return part(new velk::DrillComponent(e));
    }
    velk::AntennaComponent* createAntenna(velk::backend::PartEntry* e) override
    {
        return part(new velk::AntennaComponent(e));
    }
    velk::CockpitComponent* createCockpit(velk::backend::PartEntry* e) override
    {
        return part(new velk::CockpitComponent(e));
    }
    velk::LampComponent* createLamp(velk::backend::PartEntry* e) override { return part(new velk::LampComponent(e)); }
    velk::FuelTankComponent* createFuelTank(velk::backend::PartEntry* e) override
    {
        return part(new velk::FuelTankComponent(e));
    }

private:
    template <typename T>
    T* part(T* component)
    {
        component->setTest(testMode);
        return addPart(component);
    }

    bool testMode;
};

/// The hull outline (-3, -1) (3, -1) (3, 1) (-3, 1).
inline void addBoxHull(velk::backend::ShipEntry& entry, float halfWidth = 3.0f, float halfHeight = 1.0f)
{
    entry.insertPoint(-halfWidth, -halfHeight, 0.0f);
    entry.insertPoint(halfWidth, -halfHeight, 0.0f);
    entry.insertPoint(halfWidth, halfHeight, 0.0f);
    entry.insertPoint(-halfWidth, halfHeight, 0.0f);
}

/// Keys held and joystick positions as the tests set them; the window has focus.
class TestInput : public GameInputSource {
public:
    class Held : public fx::InputState {
    public:
        std::set<sf::Keyboard::Key> keys;
        bool isKeyDown(sf::Keyboard::Key key) const override { return keys.count(key) != 0; }
        bool isMouseButtonDown(sf::Mouse::Button) const override { return false; }
        bool isJoystickButtonDown(unsigned, unsigned) const override { return false; }
    };

    Held held;
    float joystickPosition = 0.0f; ///< -100..100 on every axis

    bool isWindowFocused() const override { return true; }
    sf::Vector2i getMouseDelta() const override { return {}; }
    float getJoystickAxisPosition(unsigned, sf::Joystick::Axis) const override { return joystickPosition; }
    const fx::InputState& heldInput() const override { return held; }
    void setMousePosition(const sf::Vector2i&) const override {}
};

/// Points the ship's axes and actions at the input.
inline void attach(velk::ShipObject& ship, const TestInput& input)
{
    for (char key = 0; key < 4; ++key)
        ship.control()[key]->setInputSource(input);
    ship.actions().setInputSource(input);
}

/// An axis that follows the input's joystick position (value = position / 100).
inline void followJoystick(GameAxis& axis, const TestInput& input)
{
    axis.setInputSource(input);
    axis.setJoystick(0, sf::Joystick::X);
}

/// One frame in which `key` was pressed once.
inline void pressOnce(GameWorld& world, velk::ShipObject& ship, sf::Keyboard::Key key, float dt = 1.0f / 60.0f)
{
    ship.actions().beforeSfHandle();
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = sf::Event::KeyEvent{key, false, false, false, false};
    ship.actions().handleSfEvent(event);
    world.update(dt);
    ship.actions().beforeSfHandle();
}

/// Input with nothing held.
inline const TestInput& neutralInput()
{
    static const TestInput input;
    return input;
}

/// Adds a test ship to the world (which assembles it) with its controls on
/// `input`: the live input would need a display.
inline TestShip* addShip(GameWorld& world, velk::backend::ShipEntry& entry, bool testMode = false,
                         const TestInput& input = neutralInput())
{
    auto* ship = new TestShip(&entry, testMode);
    attach(*ship, input);
    world.add(ship);
    return ship;
}

/// Joints of the world with a body on either side that the object holds.
inline int jointsOn(GameWorld& world, const GameObject& object)
{
    int count = 0;
    for (b2Joint* j = world.getB2World()->GetJointList(); j; j = j->GetNext())
        if (object.hasBody(j->GetBodyA()) || object.hasBody(j->GetBodyB()))
            ++count;
    return count;
}

/// Whether the joint is one the world still holds.
inline bool isLiveJoint(GameWorld& world, const b2Joint* joint)
{
    for (b2Joint* j = world.getB2World()->GetJointList(); j; j = j->GetNext())
        if (j == joint)
            return true;
    return false;
}

inline int objectsInWorld(const GameWorld& world)
{
    return static_cast<int>(world.getResources().size());
}

} // namespace shiptest
