// Every part of the shipped catalogue loads through the engine's object
// loader with its images (which need a display), its test texture and its
// jet flames; the sample ships assemble with every texture in place.

#include "../ShipTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace shiptest;

namespace {

const char* const Categories[] = {"jet", "track", "drill", "drillhead", "cockpit", "antenna", "lamp"};

/// The shipped data itself, images included, and the catalogue.
void useShippedFolders()
{
    shippedData();
    velk::partObjectFolder = (sourceData() / "obj" / "parts").string();
    velk::flameFolder = (sourceData() / "img" / "flames").string();
}

} // namespace

TEST(ShippedPartsWindowTest, EveryCatalogueRowLoadsWithItsImagesAndFlames)
{
    useShippedFolders();
    // The shipped rows alone, without the tests' own.
    velk::backend::ShipPartStore store;
    ASSERT_TRUE(loadShippedCatalogue(store));
    int parts = 0;
    for (const char* category : Categories) {
        const auto rows = store.getPartsInCategory(category);
        EXPECT_FALSE(rows.empty()) << category;
        for (const velk::backend::ShipPart* part : rows) {
            SCOPED_TRACE(part->getCode());
            ++parts;
            GameWorld world(b2Vec2(0.0f, 0.0f));
            velk_test::LogCapture log;
            GameObject* object = world.add(new GameObject());
            const std::string file = velk::partObjectFile(part->getCode());
            ASSERT_TRUE(velk::isRegularFile(file));
            object->loadFromFile(file);
            EXPECT_TRUE(log.lines().empty()) << log.text();
            EXPECT_NE(object->getTexture(), nullptr);
            EXPECT_NE(velk::mainBodyOf(object), nullptr);

            for (GameComponent* c : object->getResources()) {
                const auto props = c->properties();
                if ((c->getId() != "Flame+" && c->getId() != "Flame-") || !props.count("Flame"))
                    continue;
                const std::string name = props.at("Flame");
                velk::JetFlame flame(&c->getShape());
                ASSERT_TRUE(flame.loadFromFile(velk::flameFolder + "/" + name + "/" + name + ".flame.json"));
                flame.loadTextures(world.texCache());
                EXPECT_FALSE(flame.levels().empty());
                for (const auto& level : flame.levels())
                    EXPECT_NE(level.texture, nullptr) << level.file;
                EXPECT_FALSE(flame.imageMap().images().empty());
            }

            object->setTextureFile(velk::testTextureName(object->imageMap().getImageFile()));
            EXPECT_NE(object->getTexture(), nullptr) << "test texture";
            EXPECT_TRUE(log.lines().empty()) << log.text();
        }
    }
    EXPECT_EQ(parts, static_cast<int>(store.size()));
}

TEST(ShippedPartsWindowTest, SampleShipsAssembleWithEveryTexture)
{
    useShippedFolders();
    for (const auto& item : fs::directory_iterator(sourceData() / "ships")) {
        SCOPED_TRACE(item.path().filename().string());
        GameWorld world(b2Vec2(0.0f, -5.0f));
        velk::backend::ShipEntry entry;
        ASSERT_TRUE(entry.loadFromFile(item.path().string()));
        entry.moveToCenter();
        velk_test::LogCapture log;
        TestShip* ship = addShip(world, entry);
        EXPECT_TRUE(log.lines().empty()) << log.text();
        for (const auto* list : {&ship->backList(), &ship->frontList()})
            for (GameComponent* c : *list) {
                const auto* part = static_cast<velk::PartComponent*>(c);
                ASSERT_NE(part->partObject(), nullptr);
                EXPECT_NE(part->partObject()->getTexture(), nullptr);
            }
        for (const velk::JetComponent* jet : ship->jets())
            for (const auto& flame : jet->flames())
                for (const auto& level : flame->levels())
                    EXPECT_NE(level.texture, nullptr);
        for (const velk::DrillComponent* drill : ship->drills())
            EXPECT_NE(drill->drillHead()->getTexture(), nullptr);
        world.update(1.0f / 60.0f);
    }
}

TEST(ShippedPartsWindowTest, ShipDrawsItsPartsAroundTheHull)
{
    useShippedFolders();
    GameWorld world(b2Vec2(0.0f, 0.0f));
    velk::backend::ShipEntry entry;
    ASSERT_TRUE(entry.loadFromFile((sourceData() / "ships" / "Mole.ship.json").string()));
    entry.moveToCenter();
    TestShip* ship = addShip(world, entry);
    ship->lamps().at(0)->turnLampOn();
    world.update(1.0f / 60.0f);

    sf::RenderTexture target;
    ASSERT_TRUE(target.create(480, 320));
    target.setView(sf::View(sf::Vector2f(0.0f, 0.0f), sf::Vector2f(16.0f, 16.0f * 320.0f / 480.0f)));
    target.clear(sf::Color::Black);
    target.draw(*ship);
    target.display();
    const sf::Image image = target.getTexture().copyToImage();
    image.saveToFile(std::string(VELK_BINARY_DIR) + "/ship-drawing.png");
    // Parts are hidden outside the ship's own drawing, and shown again nowhere.
    for (const GameComponent* c : ship->frontList())
        EXPECT_FALSE(c->isVisible());
    EXPECT_FALSE(ship->drills().at(0)->drillHead()->isVisible());
    // The middle row crosses cockpit or hull parts: something is drawn there.
    int drawn = 0;
    for (unsigned x = 0; x < image.getSize().x; ++x)
        drawn += image.getPixel(x, 200) != sf::Color::Black;
    EXPECT_GT(drawn, 100);
}

TEST(ShippedPartsWindowTest, PartsAreDrawnUnderTheColourFilter)
{
    useShippedFolders();
    sf::Shader filter;
    ASSERT_TRUE(filter.loadFromFile((sourceData() / "glsl" / "colorblind" / "protanopia.sym.frag").string(),
                                    sf::Shader::Fragment));
    filter.setUniform("texture", sf::Shader::CurrentTexture);
    GameWorld world(b2Vec2(0.0f, 0.0f));
    velk::backend::ShipEntry entry;
    ASSERT_TRUE(entry.loadFromFile((sourceData() / "ships" / "Dragonfly.ship.json").string()));
    entry.setColor(velk::backend::ShipColor(255, 0, 0)); // the jets' trims in pure red
    entry.moveToCenter();
    TestShip* ship = addShip(world, entry);
    world.update(1.0f / 60.0f);
    velk::JetComponent* jet = ship->jets().at(0);

    // The ship hands its parts its own transform; the parts keep to theirs.
    const auto drawJet = [&](const sf::Shader* shader) {
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(240, 160));
        target.setView(sf::View(sf::Vector2f(0.0f, 1.5f), sf::Vector2f(8.0f, 8.0f * 160.0f / 240.0f)));
        target.clear(sf::Color::Black);
        sf::RenderStates states(shader);
        states.transform.translate(3.0f, 1.0f);
        jet->show();
        target.draw(*jet, states);
        jet->hide();
        target.display();
        return target.getTexture().copyToImage();
    };
    const sf::Image plain = drawJet(nullptr);
    const sf::Image filtered = drawJet(&filter);
    int drawn = 0, moved = 0, changed = 0;
    for (unsigned y = 0; y < plain.getSize().y; ++y)
        for (unsigned x = 0; x < plain.getSize().x; ++x) {
            const sf::Color a = plain.getPixel(x, y), b = filtered.getPixel(x, y);
            drawn += a != sf::Color::Black;
            moved += (a == sf::Color::Black) != (b == sf::Color::Black);
            changed += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 60;
        }
    EXPECT_GT(drawn, 500);
    EXPECT_LT(moved, drawn / 50);
    EXPECT_GT(changed, drawn / 20);
}
