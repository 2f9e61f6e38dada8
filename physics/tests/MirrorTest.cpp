#include "physics/B2Mirror.hpp"

#include "SceneTestSupport.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
class MirrorTest : public ::testing::Test
{
protected:
    b2Body* makeBody(b2BodyType type, b2Vec2 position) { return velk_test::addBody(world, type, position, 0.5f); }

    /// The only joint of `body`'s joint list that has the given type.
    template <class Joint>
    Joint* jointOf(b2Body* body)
    {
        for (b2JointEdge* edge = body->GetJointList(); edge != nullptr; edge = edge->next)
            if (auto* joint = dynamic_cast<Joint*>(edge->joint))
                return joint;
        return nullptr;
    }

    b2RevoluteJoint* makeRevolute()
    {
        b2RevoluteJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA.Set(0.5f, 0.25f);
        def.localAnchorB.Set(-1.0f, 0.75f);
        def.referenceAngle = 0.1f;
        def.enableLimit = true;
        def.lowerAngle = -0.3f;
        def.upperAngle = 1.2f;
        def.enableMotor = true;
        def.motorSpeed = 2.0f;
        def.maxMotorTorque = 7.0f;
        def.userData.pointer = 42;
        return static_cast<b2RevoluteJoint*>(world.CreateJoint(&def));
    }

    b2World world{b2Vec2(0.0f, 0.0f)};
    b2Body* a = makeBody(b2_dynamicBody, b2Vec2(0.0f, 0.0f));
    b2Body* b = makeBody(b2_dynamicBody, b2Vec2(3.0f, 1.0f));
};
} // namespace

TEST_F(MirrorTest, PolygonsKeepTheirWinding)
{
    b2PolygonShape box;
    const b2Vec2 points[4] = {{1, 0}, {2, 0}, {2, 1}, {1, 1}};
    box.Set(points, 4);
    mirrorShapeX(&box);
    ASSERT_EQ(box.m_count, 4);
    float minX = 10, maxX = -10;
    for (int i = 0; i < 4; ++i)
    {
        minX = std::min(minX, box.m_vertices[i].x);
        maxX = std::max(maxX, box.m_vertices[i].x);
        const b2Vec2 e1 = box.m_vertices[(i + 1) % 4] - box.m_vertices[i];
        const b2Vec2 e2 = box.m_vertices[(i + 2) % 4] - box.m_vertices[(i + 1) % 4];
        EXPECT_GT(b2Cross(e1, e2), 0.0f); // counter-clockwise
    }
    EXPECT_FLOAT_EQ(minX, -2.0f);
    EXPECT_FLOAT_EQ(maxX, -1.0f);
    EXPECT_NEAR(box.m_centroid.x, -1.5f, 1e-6f);
    EXPECT_NEAR(box.m_centroid.y, 0.5f, 1e-6f);
}

TEST_F(MirrorTest, CirclesMoveEdgesStay)
{
    b2CircleShape circle;
    circle.m_radius = 0.3f;
    circle.m_p.Set(0.5f, 0.2f);
    mirrorShapeX(&circle);
    EXPECT_EQ(circle.m_p, b2Vec2(-0.5f, 0.2f));
    EXPECT_EQ(circle.m_radius, 0.3f);

    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(1, 0), b2Vec2(2, 1));
    mirrorShapeX(&edge);
    EXPECT_EQ(edge.m_vertex1, b2Vec2(1, 0));
    EXPECT_EQ(edge.m_vertex2, b2Vec2(2, 1));
    mirrorShapeX(nullptr);
    mirrorb2BodyX(nullptr);
}

TEST_F(MirrorTest, BodyWithoutJointsMirrorsShapesAndMass)
{
    b2PolygonShape box;
    box.SetAsBox(0.5f, 0.5f, b2Vec2(2.0f, 1.0f), 0.0f);
    a->CreateFixture(&box, 4.0f);
    const b2Vec2 before = a->GetLocalCenter();
    const float mass = a->GetMass();
    mirrorb2BodyX(a);
    EXPECT_NEAR(a->GetLocalCenter().x, -before.x, 1e-5f);
    EXPECT_NEAR(a->GetLocalCenter().y, before.y, 1e-5f);
    EXPECT_NEAR(a->GetMass(), mass, 1e-5f);
    EXPECT_EQ(a->GetPosition(), b2Vec2(0.0f, 0.0f));
}

TEST_F(MirrorTest, RevoluteOnSideA)
{
    makeRevolute();
    mirrorb2BodyX(a);
    auto* joint = jointOf<b2RevoluteJoint>(a);
    ASSERT_NE(joint, nullptr);
    EXPECT_EQ(world.GetJointCount(), 1);
    EXPECT_NEAR(joint->GetLowerLimit(), -1.2f, 1e-6f);
    EXPECT_NEAR(joint->GetUpperLimit(), 0.3f, 1e-6f);
    EXPECT_FLOAT_EQ(joint->GetMotorSpeed(), -2.0f);
    EXPECT_FLOAT_EQ(joint->GetReferenceAngle(), -0.1f);
    EXPECT_FLOAT_EQ(joint->GetMaxMotorTorque(), 7.0f);
    EXPECT_TRUE(joint->IsLimitEnabled());
    EXPECT_NEAR(joint->GetLocalAnchorA().x, -0.5f, 1e-6f);
    EXPECT_NEAR(joint->GetLocalAnchorA().y, 0.25f, 1e-6f);
    EXPECT_NEAR(joint->GetLocalAnchorB().x, -1.0f, 1e-6f);
    EXPECT_EQ(joint->GetUserData().pointer, 42u);

    // A second mirror restores everything.
    mirrorb2BodyX(a);
    joint = jointOf<b2RevoluteJoint>(a);
    EXPECT_NEAR(joint->GetLowerLimit(), -0.3f, 1e-6f);
    EXPECT_NEAR(joint->GetUpperLimit(), 1.2f, 1e-6f);
    EXPECT_FLOAT_EQ(joint->GetMotorSpeed(), 2.0f);
    EXPECT_NEAR(joint->GetLocalAnchorA().x, 0.5f, 1e-6f);
}

TEST_F(MirrorTest, RevoluteOnSideBChangesOnlyAnchorB)
{
    makeRevolute();
    mirrorb2BodyX(b);
    auto* joint = jointOf<b2RevoluteJoint>(b);
    ASSERT_NE(joint, nullptr);
    EXPECT_NEAR(joint->GetLocalAnchorB().x, 1.0f, 1e-6f);
    EXPECT_NEAR(joint->GetLocalAnchorB().y, 0.75f, 1e-6f);
    EXPECT_NEAR(joint->GetLocalAnchorA().x, 0.5f, 1e-6f);
    EXPECT_NEAR(joint->GetLowerLimit(), -0.3f, 1e-6f);
    EXPECT_FLOAT_EQ(joint->GetMotorSpeed(), 2.0f);
    EXPECT_FLOAT_EQ(joint->GetReferenceAngle(), 0.1f);
}

TEST_F(MirrorTest, WheelAndPrismaticAxes)
{
    b2WheelJointDef wheelDef;
    wheelDef.bodyA = a;
    wheelDef.bodyB = b;
    wheelDef.localAxisA.Set(0.6f, 0.8f);
    wheelDef.enableMotor = true;
    wheelDef.motorSpeed = 3.0f;
    wheelDef.stiffness = 11.0f;
    wheelDef.damping = 2.0f;
    world.CreateJoint(&wheelDef);
    b2PrismaticJointDef prismaticDef;
    prismaticDef.bodyA = a;
    prismaticDef.bodyB = b;
    prismaticDef.localAxisA.Set(0.6f, 0.8f);
    prismaticDef.enableLimit = true;
    prismaticDef.lowerTranslation = -1.0f;
    prismaticDef.upperTranslation = 2.0f;
    prismaticDef.motorSpeed = 3.0f;
    prismaticDef.referenceAngle = 0.2f;
    world.CreateJoint(&prismaticDef);

    mirrorb2BodyX(a);
    auto* wheel = jointOf<b2WheelJoint>(a);
    ASSERT_NE(wheel, nullptr);
    EXPECT_NEAR(wheel->GetLocalAxisA().x, -0.6f, 1e-6f);
    EXPECT_NEAR(wheel->GetLocalAxisA().y, 0.8f, 1e-6f);
    EXPECT_FLOAT_EQ(wheel->GetMotorSpeed(), -3.0f);
    EXPECT_FLOAT_EQ(wheel->GetStiffness(), 11.0f);
    EXPECT_FLOAT_EQ(wheel->GetDamping(), 2.0f);
    auto* prismatic = jointOf<b2PrismaticJoint>(a);
    ASSERT_NE(prismatic, nullptr);
    EXPECT_NEAR(prismatic->GetLocalAxisA().x, -0.6f, 1e-6f);
    EXPECT_FLOAT_EQ(prismatic->GetMotorSpeed(), 3.0f);
    EXPECT_FLOAT_EQ(prismatic->GetLowerLimit(), -1.0f);
    EXPECT_FLOAT_EQ(prismatic->GetUpperLimit(), 2.0f);
    EXPECT_FLOAT_EQ(prismatic->GetReferenceAngle(), 0.2f);
}

TEST_F(MirrorTest, WeldAndDistance)
{
    b2WeldJointDef weldDef;
    weldDef.bodyA = a;
    weldDef.bodyB = b;
    weldDef.referenceAngle = 0.4f;
    weldDef.stiffness = 5.0f;
    weldDef.damping = 0.5f;
    world.CreateJoint(&weldDef);
    b2DistanceJointDef distanceDef;
    distanceDef.bodyA = a;
    distanceDef.bodyB = b;
    distanceDef.localAnchorA.Set(0.25f, 0.0f);
    distanceDef.length = 2.0f;
    distanceDef.minLength = 2.0f;
    distanceDef.maxLength = 2.0f;
    world.CreateJoint(&distanceDef);

    mirrorb2BodyX(a);
    auto* weld = jointOf<b2WeldJoint>(a);
    ASSERT_NE(weld, nullptr);
    EXPECT_FLOAT_EQ(weld->GetReferenceAngle(), -0.4f);
    EXPECT_FLOAT_EQ(weld->GetStiffness(), 5.0f);
    EXPECT_FLOAT_EQ(weld->GetDamping(), 0.5f);
    auto* distance = jointOf<b2DistanceJoint>(a);
    ASSERT_NE(distance, nullptr);
    EXPECT_FLOAT_EQ(distance->GetLocalAnchorA().x, -0.25f);
    EXPECT_FLOAT_EQ(distance->GetLength(), 2.0f);
    EXPECT_FLOAT_EQ(distance->GetMinLength(), 2.0f);
    EXPECT_FLOAT_EQ(distance->GetMaxLength(), 2.0f);
}

TEST_F(MirrorTest, RopePulleyAndGearJointsAreNotMirrored)
{
    B2Scene scene;
    std::string error;
    auto loaded = scenetest::loadFile(scene, "all_joints.json", error);
    ASSERT_NE(loaded, nullptr) << error;
    b2Joint* rope = scene.getJointByName("rope");
    b2Joint* gear = scene.getJointByName("gearFront");
    b2Joint* pulley = scene.getJointByName("pulley");
    const int before = loaded->GetJointCount();
    b2Body* wheelA = scene.getBodyByName("wheelA");
    EXPECT_EQ(joint2jointDef(wheelA, rope, &scene), nullptr);
    EXPECT_EQ(joint2jointDef(wheelA, gear), nullptr);
    EXPECT_EQ(joint2jointDef(wheelA, pulley), nullptr);
    mirrorb2BodyX(wheelA, &scene);
    EXPECT_EQ(loaded->GetJointCount(), before);
    // Rope and pulley are still the same objects, unchanged.
    bool ropeFound = false, pulleyFound = false;
    b2RevoluteJoint* axle = nullptr;
    b2GearJoint* gearNow = nullptr;
    for (b2JointEdge* edge = wheelA->GetJointList(); edge != nullptr; edge = edge->next)
    {
        ropeFound = ropeFound || edge->joint == rope;
        pulleyFound = pulleyFound || edge->joint == pulley;
        if (edge->joint->GetType() == e_revoluteJoint)
            axle = static_cast<b2RevoluteJoint*>(edge->joint);
        if (edge->joint->GetType() == e_gearJoint)
            gearNow = static_cast<b2GearJoint*>(edge->joint);
    }
    EXPECT_TRUE(ropeFound && pulleyFound);
    EXPECT_EQ(static_cast<b2DistanceJoint*>(rope)->GetLocalAnchorA(), b2Vec2(0.0f, 0.0f));
    // The gear itself is not mirrored, but its wheel's axle was rebuilt (wheelA is
    // its body B: only the anchor there changes), so the gear is made again on the
    // new axle with its ratio.
    ASSERT_NE(axle, nullptr);
    ASSERT_NE(gearNow, nullptr);
    EXPECT_EQ(gearNow->GetJoint1(), axle);
    EXPECT_EQ(gearNow->GetJoint2()->GetType(), e_prismaticJoint);
    EXPECT_FLOAT_EQ(gearNow->GetRatio(), 2.0f);
}

TEST_F(MirrorTest, DefinitionsCarryTheJointsCommonFields)
{
    b2RevoluteJoint* joint = makeRevolute();
    B2JointDefPtr def = joint2jointDef(a, joint);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->type, e_revoluteJoint);
    EXPECT_EQ(def->bodyA, a);
    EXPECT_EQ(def->bodyB, b);
    EXPECT_FALSE(def->collideConnected);
    EXPECT_EQ(def->userData.pointer, 42u);
    EXPECT_EQ(joint2jointDef(a, nullptr), nullptr);
}

namespace
{
/// A hull with two wheels on revolute joints and a slider on a prismatic joint, all
/// with the hull as body A, as a mirrored ship part has them.
class MirrorGearTest : public MirrorTest
{
protected:
    b2Joint* hinge(b2Body* wheel, b2Vec2 anchor)
    {
        b2RevoluteJointDef def;
        def.bodyA = a;
        def.bodyB = wheel;
        def.localAnchorA = anchor;
        def.localAnchorB.Set(0.25f, 0.0f);
        def.enableLimit = true;
        def.lowerAngle = -0.5f;
        def.upperAngle = 1.0f;
        return world.CreateJoint(&def);
    }

    b2Joint* rail(b2Body* slider)
    {
        b2PrismaticJointDef def;
        def.bodyA = a;
        def.bodyB = slider;
        def.localAxisA.Set(1.0f, 0.0f);
        return world.CreateJoint(&def);
    }

    b2GearJoint* gear(b2Joint* joint1, b2Joint* joint2, float ratio)
    {
        b2GearJointDef def;
        def.bodyA = joint1->GetBodyB();
        def.bodyB = joint2->GetBodyB();
        def.joint1 = joint1;
        def.joint2 = joint2;
        def.ratio = ratio;
        def.collideConnected = true;
        def.userData.pointer = 7;
        return static_cast<b2GearJoint*>(world.CreateJoint(&def));
    }

    /// Every gear joint of the world.
    std::vector<b2GearJoint*> gears()
    {
        std::vector<b2GearJoint*> result;
        for (b2Joint* joint = world.GetJointList(); joint != nullptr; joint = joint->GetNext())
            if (joint->GetType() == e_gearJoint)
                result.push_back(static_cast<b2GearJoint*>(joint));
        return result;
    }

    bool isLive(const b2Joint* joint)
    {
        for (b2Joint* j = world.GetJointList(); j != nullptr; j = j->GetNext())
            if (j == joint)
                return true;
        return false;
    }

    b2Body* c = makeBody(b2_dynamicBody, b2Vec2(-3.0f, 1.0f));
};
} // namespace

TEST_F(MirrorGearTest, GearsFollowTheJointsTheyLink)
{
    // Box2D's gear keeps raw pointers to its joints; after a mirror they must name the
    // rebuilt joints, each the counterpart of the one it named before.
    gear(hinge(b, b2Vec2(3.0f, 1.0f)), hinge(c, b2Vec2(-3.0f, 1.0f)), 2.0f);
    mirrorb2BodyX(a);
    const std::vector<b2GearJoint*> all = gears();
    ASSERT_EQ(all.size(), 1u);
    b2GearJoint* rebuilt = all[0];
    ASSERT_TRUE(isLive(rebuilt->GetJoint1()));
    ASSERT_TRUE(isLive(rebuilt->GetJoint2()));
    EXPECT_EQ(rebuilt->GetJoint1()->GetBodyB(), b);
    EXPECT_EQ(rebuilt->GetJoint2()->GetBodyB(), c);
    // The gear links the mirrored joints: anchors and limits as the mirror made them.
    auto* first = static_cast<b2RevoluteJoint*>(rebuilt->GetJoint1());
    EXPECT_NEAR(first->GetLocalAnchorA().x, -3.0f, 1e-6f);
    EXPECT_NEAR(first->GetLowerLimit(), -1.0f, 1e-6f);
    // Both coordinates turn the other way, so the ratio between them stays.
    EXPECT_FLOAT_EQ(rebuilt->GetRatio(), 2.0f);
    EXPECT_TRUE(rebuilt->GetCollideConnected());
    EXPECT_EQ(rebuilt->GetUserData().pointer, 7u);
    EXPECT_EQ(world.GetJointCount(), 3);

    // Writing and stepping use the gear's joints and bodies.
    B2Scene scene;
    const Json::Value value = scene.writeToValue(&world);
    ASSERT_EQ(value["joint"].size(), 3u);
    const Json::Value& written = value["joint"][2];
    EXPECT_EQ(written["type"].asString(), "gear");
    int indexOfB = 0; // the writer's index: position in the world's body list
    for (b2Body* body = world.GetBodyList(); body != b; body = body->GetNext())
        ++indexOfB;
    EXPECT_EQ(value["joint"][written["joint1"].asInt()]["bodyB"].asInt(), indexOfB);
    for (int i = 0; i < 30; ++i)
        world.Step(1.0f / 60.0f, 8, 3);
    EXPECT_TRUE(std::isfinite(b->GetAngle()) && std::isfinite(c->GetAngle()));
}

TEST_F(MirrorGearTest, RackAndPinionTurnsItsRatio)
{
    // The mirrored hinge turns the other way while the slider keeps its direction
    // along the mirrored axis, so the gear's ratio changes sign.
    b2Joint* pinion = hinge(b, b2Vec2(3.0f, 1.0f));
    b2Joint* rack = rail(c);
    gear(pinion, rack, 0.5f);
    mirrorb2BodyX(a);
    const std::vector<b2GearJoint*> all = gears();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_FLOAT_EQ(all[0]->GetRatio(), -0.5f);
    EXPECT_EQ(all[0]->GetJoint1()->GetType(), e_revoluteJoint);
    EXPECT_EQ(all[0]->GetJoint2()->GetType(), e_prismaticJoint);
    EXPECT_TRUE(isLive(all[0]->GetJoint1()) && isLive(all[0]->GetJoint2()));

    // Mirroring back restores the ratio and the joints.
    mirrorb2BodyX(a);
    ASSERT_EQ(gears().size(), 1u);
    EXPECT_FLOAT_EQ(gears()[0]->GetRatio(), 0.5f);
    EXPECT_NEAR(static_cast<b2PrismaticJoint*>(gears()[0]->GetJoint2())->GetLocalAxisA().x, 1.0f, 1e-6f);
}

TEST_F(MirrorGearTest, GearOnAJointOfAnotherBodyKeepsThatJoint)
{
    // Mirroring the wheel (body B of its hinge) rebuilds only that hinge: the gear
    // is made again on it and on the untouched joint, ratio kept.
    b2Joint* front = hinge(b, b2Vec2(3.0f, 1.0f));
    gear(front, hinge(c, b2Vec2(-3.0f, 1.0f)), 3.0f);
    mirrorb2BodyX(c);
    const std::vector<b2GearJoint*> all = gears();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0]->GetJoint1(), front);
    ASSERT_TRUE(isLive(all[0]->GetJoint2()));
    EXPECT_EQ(all[0]->GetJoint2()->GetBodyB(), c);
    EXPECT_NEAR(static_cast<b2RevoluteJoint*>(all[0]->GetJoint2())->GetLocalAnchorB().x, -0.25f, 1e-6f);
    EXPECT_FLOAT_EQ(all[0]->GetRatio(), 3.0f);
    EXPECT_EQ(world.GetJointCount(), 3);
}

TEST_F(MirrorGearTest, GearThatBox2DWouldNowRefuseIsDropped)
{
    velk_test::LogCapture logs;
    // Box2D asserts that a new gear moves two dynamic bodies; the wheel became static
    // after its gear was made, so the gear cannot be made again.
    gear(hinge(b, b2Vec2(3.0f, 1.0f)), hinge(c, b2Vec2(-3.0f, 1.0f)), 2.0f);
    c->SetType(b2_staticBody);
    logs.clear();
    mirrorb2BodyX(a);
    EXPECT_EQ(logs.text(), "Dropping a gear joint of a mirrored body whose joints no longer move dynamic bodies.\n");
    EXPECT_TRUE(gears().empty());
    EXPECT_EQ(world.GetJointCount(), 2);
}
