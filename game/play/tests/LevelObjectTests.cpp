#include "game/play/CheckpointObject.hpp"
#include "game/play/PlatformObject.hpp"
#include "game/play/tests/PlayTestSupport.hpp"

#include "engine/GamePhisicsComponent.hpp"
#include "engine/GameWorld.hpp"
#include "testsupport/LogCapture.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

using velk::CheckpointObject;
using velk::PlatformObject;

class LevelObjects : public ::testing::Test {
protected:
    playtest::RuntimeFolder runtime;
    velk_test::LogCapture log;
    GameWorld world{b2Vec2(0.0f, -5.0f)};
};

b2Body* dynamicBox(GameWorld& world, float x, float y, uint16 category)
{
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position.Set(x, y);
    b2Body* body = world.getB2World()->CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(0.5f, 0.5f);
    b2FixtureDef fixture;
    fixture.shape = &box;
    fixture.density = 1.0f;
    fixture.filter.categoryBits = category;
    body->CreateFixture(&fixture);
    return body;
}

bool touches(b2Fixture* sensor)
{
    for (b2ContactEdge* edge = sensor->GetBody()->GetContactList(); edge; edge = edge->next)
        if (edge->contact->IsTouching())
            return true;
    return false;
}

TEST_F(LevelObjects, CheckpointLoadsItsFieldAndAHullOnlySensor)
{
    auto* checkpoint = static_cast<CheckpointObject*>(world.add(new CheckpointObject()));
    EXPECT_EQ(checkpoint->getScore(), 0);
    EXPECT_FLOAT_EQ(checkpoint->getFuel(), 0.0f);
    checkpoint->setColor(sf::Color(255, 114, 0));
    checkpoint->setScore(10000);
    checkpoint->setFuel(17.5f);
    checkpoint->setPosition(math::Vector2<float>(3.0f, 4.0f));
    EXPECT_EQ(checkpoint->getComponentById("Field")->getShape().getFillColor(), sf::Color(255, 114, 0));
    EXPECT_EQ(checkpoint->getScore(), 10000);
    EXPECT_FLOAT_EQ(checkpoint->getFuel(), 17.5f);

    // The shipped field has eight frames of 0.03 s.
    ASSERT_NE(checkpoint->getFieldAnimator(), nullptr);
    EXPECT_TRUE(checkpoint->getFieldAnimator()->isPlayingAnimation());

    b2Fixture* sensor = checkpoint->getSensor();
    ASSERT_NE(sensor, nullptr);
    EXPECT_TRUE(sensor->IsSensor());
    EXPECT_FLOAT_EQ(sensor->GetShape()->m_radius, 2.5f);
    EXPECT_EQ(sensor->GetFilterData().categoryBits, 0x2000);
    EXPECT_EQ(sensor->GetFilterData().maskBits, 0x0008);
    EXPECT_EQ(sensor->GetBody()->GetPosition(), b2Vec2(3.0f, 4.0f));
    auto* main = dynamic_cast<GamePhisicsComponent*>(checkpoint->getMainComponent());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->getBody(), sensor->GetBody());

    // A part's box and a hull's box in the field: only the hull touches, and
    // the sensor pushes nothing.
    b2Body* part = dynamicBox(world, 3.0f, 4.0f, 0x0010);
    world.getB2World()->SetGravity(b2Vec2(0.0f, 0.0f));
    world.update(1.0f / 60.0f);
    EXPECT_FALSE(touches(sensor));
    b2Body* hull = dynamicBox(world, 3.5f, 4.0f, 0x0008);
    world.update(1.0f / 60.0f);
    EXPECT_TRUE(touches(sensor));
    EXPECT_EQ(hull->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(part->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
}

TEST_F(LevelObjects, CheckpointWithoutFieldOrRadius)
{
    playtest::fs::path file = "data/obj/checkpoint/checkpoint.obj.json";
    velk_test::writeFile(file, R"({"Body": "checkpoint.json", "ImageSet": "checkpoint.img.json", "Components": []})");
    auto* checkpoint = static_cast<CheckpointObject*>(world.add(new CheckpointObject()));
    checkpoint->setColor(sf::Color::Red); // nothing to colour
    EXPECT_EQ(checkpoint->getSensor(), nullptr);
    EXPECT_EQ(checkpoint->getFieldAnimator(), nullptr);
    EXPECT_EQ(checkpoint->getMainComponent(), nullptr);
    world.update(0.1f);
}

TEST_F(LevelObjects, CheckpointFieldLoopsOverItsFramesFromARandomPhase)
{
    // Four frames: a loop of 0.12 s; frame i shows during [(i-1)*0.03, i*0.03).
    velk_test::writeFile("data/obj/checkpoint/checkpoint.img.json",
                         R"({"ImageFile": "checkpoint.png", "Images": {"Frame1": [0, 0, 8, 8],
                         "Frame2": [8, 0, 8, 8], "Frame3": [16, 0, 8, 8], "Frame4": [24, 0, 8, 8], "Frame6": [40, 0, 8, 8]}})");
    std::set<float> phases;
    for (int i = 0; i < 5; ++i) {
        auto* checkpoint = static_cast<CheckpointObject*>(world.add(new CheckpointObject()));
        const ThorShapeAnimator<char>* animator = checkpoint->getFieldAnimator();
        ASSERT_NE(animator, nullptr);
        phases.insert(animator->getProgress());
        const sf::IntRect shown = checkpoint->getComponentById("Field")->getShape().getTextureRect();
        // The frame shown is the one of the start phase (progress = phase / 0.12 s, wrapped).
        const int frame = std::min(static_cast<int>(animator->getProgress() * 4.0f), 3);
        EXPECT_EQ(shown, checkpoint->imageMap().images().at("Frame" + std::to_string(frame + 1)));
    }
    EXPECT_GT(phases.size(), 1u);
}

TEST_F(LevelObjects, PlatformAnimatesItsLightsOverOneSecond)
{
    std::srand(7);
    auto* platform = static_cast<PlatformObject*>(world.add(new PlatformObject()));
    ASSERT_NE(platform->getBody(), nullptr);
    ASSERT_NE(platform->getLightAnimator(), nullptr);
    platform->setPosition(math::Vector2<float>(10.0f, -3.0f));
    EXPECT_EQ(platform->getBody()->GetPosition(), b2Vec2(10.0f, -3.0f));
    EXPECT_EQ(platform->getBody()->GetType(), b2_staticBody);

    const ThorShapeAnimator<char>* animator = platform->getLightAnimator();
    const sf::RectangleShape& shape = platform->getMainComponent()->getShape();
    const auto& rects = platform->imageMap().images();
    std::set<std::string> shown;
    for (int step = 0; step < 70; ++step) {
        world.update(1.0f / 70.0f);
        const float p = animator->getProgress();
        const std::string expected = p < 1.0f / 7.0f ? "platform1" : (p < 2.0f / 7.0f ? "platform2" : "platform3");
        EXPECT_EQ(shape.getTextureRect(), rects.at(expected)) << p;
        shown.insert(expected);
    }
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(LevelObjects, PlatformWithoutPhysicsMainIsNotAnimated)
{
    velk_test::writeFile("data/obj/platform/platform.obj.json",
                         R"({"Body": "platform.json", "ImageSet": "platform.img.json",
                         "Components": [{"Image": "platform3", "Size": [14.4, 1.3]}]})");
    auto* platform = static_cast<PlatformObject*>(world.add(new PlatformObject()));
    EXPECT_EQ(platform->getBody(), nullptr);
    EXPECT_EQ(platform->getLightAnimator(), nullptr);
    EXPECT_TRUE(log.contains("no physics main component"));
    world.update(0.5f);
}

} // namespace
