#include "testsupport/physics/SceneBuilders.hpp"

namespace velk_test {

std::unique_ptr<b2World> loadSceneText(B2Scene& scene, const std::string& text, std::string& error)
{
    return std::unique_ptr<b2World>(scene.readFromString(text, error, nullptr));
}

std::unique_ptr<b2World> loadSceneFile(B2Scene& scene, const std::filesystem::path& file, std::string& error)
{
    return std::unique_ptr<b2World>(scene.readFromFile(file.string().c_str(), error, nullptr));
}

b2Body* addBody(b2World& world, b2BodyType type, b2Vec2 position, float circleRadius)
{
    b2BodyDef def;
    def.type = type;
    def.position = position;
    b2Body* body = world.CreateBody(&def);
    if (circleRadius > 0.0f) {
        b2CircleShape circle;
        circle.m_radius = circleRadius;
        body->CreateFixture(&circle, 1.0f);
    }
    return body;
}

b2RevoluteJoint* addRevoluteJoint(b2World& world, b2Body* a, b2Body* b, b2Vec2 anchor)
{
    b2RevoluteJointDef def;
    def.Initialize(a, b, anchor);
    return static_cast<b2RevoluteJoint*>(world.CreateJoint(&def));
}

int fixtureCount(const b2Body* body)
{
    int count = 0;
    for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        ++count;
    return count;
}

} // namespace velk_test
