// The sample ships put together from their part scenes in one Box2D world, the
// way the ship assembles them (hull triangles of density 5, each part's main
// body welded to the hull, drill heads welded to their mounts): they come to
// rest on their feet, climb on their main engines, push their drills out,
// swing the heads and drive on their tracks.

#include "ShippedContentSupport.hpp"

#include "foundation/math/PhysicsPolygonFilter.hpp"
#include "foundation/math/Polygon.hpp"
#include "physics/B2Mirror.hpp"

#include <gtest/gtest.h>

using namespace content;

namespace
{
constexpr float Step = 1.0f / 60.0f;

struct Jet
{
    b2Body* body = nullptr;
    float strength = 0;
};

/// One sample ship built in a world of its own, gravity (0, -5).
class Assembly
{
public:
    b2World world{b2Vec2(0.0f, -5.0f)};
    b2Body* hull = nullptr;
    std::vector<Jet> mainJets;
    std::vector<b2PrismaticJoint*> rails;
    std::vector<b2RevoluteJoint*> swings;
    std::vector<b2WheelJoint*> wheels;
    std::vector<b2WeldJoint*> welds;

    explicit Assembly(const fs::path& shipFile)
    {
        rows = loadCatalogue();
        const json::Value root = parse(shipFile);
        buildHull(root);
        for (const json::Value& part : member(root, "Parts")->arrayValue())
            addPart(part);
    }

    /// Lowest point of every fixture.
    float bottom() const
    {
        float y = 1e9f;
        for (const b2Body* b = world.GetBodyList(); b != nullptr; b = b->GetNext())
            for (const b2Fixture* f = b->GetFixtureList(); f != nullptr; f = f->GetNext())
                y = std::min(y, f->GetAABB(0).lowerBound.y);
        return y;
    }

    void addGround(float top)
    {
        b2BodyDef def;
        def.position.Set(0.0f, top - 1.0f);
        b2Body* ground = world.CreateBody(&def);
        b2PolygonShape box;
        box.SetAsBox(60.0f, 1.0f);
        b2FixtureDef fixture;
        fixture.shape = &box;
        fixture.friction = 0.8f;
        ground->CreateFixture(&fixture);
    }

    void run(float seconds, bool thrust = false)
    {
        for (float t = 0; t < seconds; t += Step)
        {
            if (thrust)
                for (const Jet& jet : mainJets)
                {
                    const float a = jet.body->GetAngle();
                    jet.body->ApplyForceToCenter(jet.strength * b2Vec2(-std::sin(a), std::cos(a)), true);
                }
            world.Step(Step, 8, 3);
        }
    }

    /// Largest gap between the two anchors of any weld.
    float worstWeldGap() const
    {
        float worst = 0;
        for (const b2WeldJoint* weld : welds)
            worst = std::max(worst, (weld->GetAnchorA() - weld->GetAnchorB()).Length());
        return worst;
    }

    bool allFinite() const
    {
        for (const b2Body* b = world.GetBodyList(); b != nullptr; b = b->GetNext())
            if (!b->GetPosition().IsValid() || !std::isfinite(b->GetAngle()))
                return false;
        return true;
    }

private:
    std::vector<CatalogueRow> rows;
    std::vector<std::unique_ptr<B2Scene>> scenes;

    void buildHull(const json::Value& root)
    {
        const json::Value* points = member(root, "Points");
        const auto& xs = member(*points, "X")->arrayValue();
        const auto& ys = member(*points, "Y")->arrayValue();
        std::vector<math::Vector2<float>> outline;
        auto value = [](const json::Value& v)
        { return float(v.isFloat() ? v.floatValue() : double(v.integerValue())); };
        for (std::size_t i = 0; i < xs.size() && i < ys.size(); ++i)
            outline.emplace_back(value(xs[i]), value(ys[i]));
        EXPECT_TRUE(math::isPolygonSimple(outline));
        auto triangles = math::triangulatePolygon(outline);
        math::PhysicsPolygonFilter::dropRejected(triangles);
        EXPECT_GE(triangles.size(), outline.size() - 4);
        b2BodyDef def;
        def.type = b2_dynamicBody;
        hull = world.CreateBody(&def);
        for (const auto& triangle : triangles)
        {
            b2Vec2 v[3];
            for (int k = 0; k < 3; ++k)
                v[k].Set(triangle[k].x, triangle[k].y);
            b2PolygonShape shape;
            shape.Set(v, 3);
            b2FixtureDef fixture;
            fixture.shape = &shape;
            fixture.density = 5.0f;
            fixture.filter.categoryBits = 0x0008;
            fixture.filter.maskBits = 0xF00F;
            hull->CreateFixture(&fixture);
        }
    }

    /// Loads an object file's scene into the world and places its bodies like the
    /// game places a part object: mirrored in its own frame, turned, then moved.
    b2Body* place(const std::string& code, b2Vec2 position, float angle, bool mirrored, LoadedObject& info)
    {
        info = LoadedObject::load(partObjectPath(code));
        scenes.push_back(std::make_unique<B2Scene>());
        B2Scene& scene = *scenes.back();
        std::string error;
        const json::Value root = parse(partObjectPath(code));
        const fs::path scenePath = partObjectPath(code).parent_path() / stringMember(root, "Body");
        EXPECT_EQ(scene.readFromFile(scenePath.string().c_str(), error, &world), &world) << error;
        std::vector<b2Body*> bodies;
        scene.getAllBodies(bodies);
        for (b2Body* b : bodies)
        {
            b2Vec2 p = b->GetPosition();
            float a = b->GetAngle();
            if (mirrored)
            {
                mirrorb2BodyX(b, &scene);
                p.x = -p.x;
                a = -a;
            }
            const b2Rot turn(angle);
            b->SetTransform(position + b2Mul(turn, p), a + angle);
        }
        for (b2Joint* j = world.GetJointList(); j != nullptr; j = j->GetNext())
        {
            if (j->GetType() == e_prismaticJoint && std::find(rails.begin(), rails.end(), j) == rails.end())
                rails.push_back(static_cast<b2PrismaticJoint*>(j));
        }
        return scene.getBodyByName(info.mainComponent()->body);
    }

    b2WeldJoint* weld(b2Body* a, b2Body* b, b2Vec2 anchorA)
    {
        b2WeldJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = anchorA;
        def.localAnchorB.SetZero();
        def.referenceAngle = b->GetAngle() - a->GetAngle();
        auto* joint = static_cast<b2WeldJoint*>(world.CreateJoint(&def));
        welds.push_back(joint);
        return joint;
    }

    void addPart(const json::Value& part)
    {
        const long long id = member(part, "Id")->integerValue();
        const CatalogueRow* row = nullptr;
        for (const CatalogueRow& r : rows)
            if (r.id == id)
                row = &r;
        ASSERT_NE(row, nullptr);
        const json::Value* t = member(part, "Transform");
        auto value = [&](const char* key)
        {
            const json::Value* v = member(*t, key);
            return v == nullptr ? 0.0f : float(v->isFloat() ? v->floatValue() : double(v->integerValue()));
        };
        const b2Vec2 position(value("X"), value("Y"));
        const float angle = value("R");
        const json::Value* m = member(*t, "M");
        const bool mirrored = m != nullptr && m->isBool() && m->boolValue();

        LoadedObject info;
        b2Body* main = place(row->code, position, angle, mirrored, info);
        ASSERT_NE(main, nullptr) << row->code;
        weld(hull, main, position);
        if (row->code == "jet.mkiii")
            mainJets.push_back(Jet{main, number(info.properties.at("Strength"))});
        for (b2Joint* j = world.GetJointList(); j != nullptr; j = j->GetNext())
        {
            if (j->GetType() == e_wheelJoint && std::find(wheels.begin(), wheels.end(), j) == wheels.end())
                wheels.push_back(static_cast<b2WheelJoint*>(j));
        }
        if (row->category == "drill")
        {
            B2Scene& scene = *scenes.back();
            b2Body* mount = scene.getBodyByName(info.component("HeadWelding")->body);
            ASSERT_NE(mount, nullptr);
            for (b2JointEdge* e = mount->GetJointList(); e != nullptr; e = e->next)
                if (e->joint->GetType() == e_revoluteJoint)
                    swings.push_back(static_cast<b2RevoluteJoint*>(e->joint));
            const std::string headCode = stringMember(*member(part, "Properties"), "drillhead");
            LoadedObject headInfo;
            const float headAngle = angle + (mirrored ? -1.5707964f : 1.5707964f);
            b2Body* head = place(headCode, mount->GetPosition(), headAngle, false, headInfo);
            ASSERT_NE(head, nullptr) << headCode;
            weld(mount, head, b2Vec2_zero);
        }
    }
};

std::vector<fs::path> sampleShips()
{
    std::vector<fs::path> out;
    for (const auto& entry : fs::directory_iterator(dataDir() / "ships"))
        out.push_back(entry.path());
    std::sort(out.begin(), out.end());
    return out;
}
} // namespace

TEST(ShippedShipPhysicsTest, SampleShipsSettleOnTheirFeetAndClimbOnTheirMainEngines)
{
    for (const fs::path& file : sampleShips())
    {
        SCOPED_TRACE(file.string());
        Assembly ship(file);
        ASSERT_FALSE(ship.mainJets.empty());
        ship.addGround(ship.bottom() - 0.5f);
        ship.run(5.0f);
        ASSERT_TRUE(ship.allFinite());
        // At rest as the landing test wants it: slow, not turning, upright, parts in place.
        EXPECT_LT(ship.hull->GetLinearVelocity().LengthSquared(), 0.05f);
        EXPECT_LT(std::abs(ship.hull->GetAngularVelocity()), 0.05f);
        EXPECT_LT(std::abs(ship.hull->GetAngle()), 0.2f);
        EXPECT_LT(ship.worstWeldGap(), 0.05f);

        const float restY = ship.hull->GetPosition().y;
        ship.run(2.0f, true);
        ASSERT_TRUE(ship.allFinite());
        EXPECT_GT(ship.hull->GetPosition().y - restY, 3.0f);
        EXPECT_LT(std::abs(ship.hull->GetAngle()), 0.35f);
        EXPECT_LT(ship.worstWeldGap(), 0.05f);
    }
}

TEST(ShippedShipPhysicsTest, DrillsSlideOutAndSwingTheirHeads)
{
    int drills = 0;
    for (const fs::path& file : sampleShips())
    {
        SCOPED_TRACE(file.string());
        Assembly ship(file);
        ship.world.SetGravity(b2Vec2_zero);
        ASSERT_EQ(ship.rails.size(), ship.swings.size());
        for (b2PrismaticJoint* rail : ship.rails)
            rail->SetMotorSpeed(10.0f);
        for (b2RevoluteJoint* swing : ship.swings)
            swing->SetMotorSpeed(4.0f);
        ship.run(1.0f);
        ASSERT_TRUE(ship.allFinite());
        for (b2PrismaticJoint* rail : ship.rails)
            EXPECT_GT(rail->GetJointTranslation(), 0.9f * rail->GetUpperLimit());
        for (b2RevoluteJoint* swing : ship.swings)
            EXPECT_GT(swing->GetJointAngle(), 0.9f * swing->GetUpperLimit());
        EXPECT_LT(ship.worstWeldGap(), 0.05f);
        for (b2PrismaticJoint* rail : ship.rails)
            rail->SetMotorSpeed(-10.0f);
        ship.run(1.0f);
        for (b2PrismaticJoint* rail : ship.rails)
            EXPECT_LT(rail->GetJointTranslation(), 0.1f);
        drills += int(ship.rails.size());
    }
    EXPECT_GE(drills, 3);
}

TEST(ShippedShipPhysicsTest, TracksDriveTheShipAlongTheGround)
{
    int tracked = 0;
    for (const fs::path& file : sampleShips())
    {
        Assembly ship(file);
        if (ship.wheels.empty())
            continue;
        SCOPED_TRACE(file.string());
        ++tracked;
        ship.addGround(ship.bottom() - 0.2f);
        ship.run(3.0f);
        const float startX = ship.hull->GetPosition().x;
        // Axis +1 turns the wheels at -10: clockwise, so the ship rolls to the right.
        for (b2WheelJoint* wheel : ship.wheels)
            wheel->SetMotorSpeed(-10.0f);
        ship.run(2.0f);
        ASSERT_TRUE(ship.allFinite());
        EXPECT_GT(ship.hull->GetPosition().x - startX, 3.0f);
        EXPECT_LT(std::abs(ship.hull->GetAngle()), 0.2f);
    }
    EXPECT_GE(tracked, 1);
}
