// The part catalogue in data/velk.sql, the object files of its parts with the
// names each kind of part looks up, and the sample ships built from them.

#include "ShippedContentSupport.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace content;

namespace
{
const CatalogueRow* byCode(const std::vector<CatalogueRow>& rows, const std::string& code)
{
    for (const CatalogueRow& row : rows)
        if (row.code == code)
            return &row;
    return nullptr;
}

const CatalogueRow* byId(const std::vector<CatalogueRow>& rows, long long id)
{
    for (const CatalogueRow& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

bool soundExists(const std::map<std::string, std::string>& properties, const std::string& key)
{
    const auto it = properties.find(key);
    return it != properties.end() && wavInfo(dataDir() / "snd" / "parts" / it->second).valid;
}

/// The joints of the given type attached to a body.
std::vector<b2Joint*> jointsOf(b2Body* body, b2JointType type)
{
    std::vector<b2Joint*> out;
    for (b2JointEdge* e = body != nullptr ? body->GetJointList() : nullptr; e != nullptr; e = e->next)
        if (e->joint->GetType() == type)
            out.push_back(e->joint);
    return out;
}

float totalMass(const b2World& world)
{
    float mass = 0;
    for (const b2Body* b = world.GetBodyList(); b != nullptr; b = b->GetNext())
        mass += b->GetMass();
    return mass;
}

void checkJet(const LoadedObject& jet)
{
    ASSERT_EQ(jet.properties.count("Strength"), 1u);
    EXPECT_GT(number(jet.properties.at("Strength")), 0.0f);
    EXPECT_TRUE(soundExists(jet.properties, "Sound+"));
    EXPECT_TRUE(soundExists(jet.properties, "Sound-"));
    for (const char* id : {"Flame+", "Flame-"})
    {
        const Component* flame = jet.component(id);
        ASSERT_NE(flame, nullptr) << id;
        ASSERT_EQ(flame->properties.count("Flame"), 1u) << id;
        const std::string name = flame->properties.at("Flame");
        EXPECT_TRUE(fs::is_regular_file(dataDir() / "img" / "flames" / name / (name + ".flame.json"))) << name;
    }
    // Optional brake roofs: hinges on "Engine" that open away from 0 and close at 0.
    for (b2Joint* joint : jointsOf(jet.scene->getBodyByName("Engine"), e_revoluteJoint))
    {
        auto* roof = static_cast<b2RevoluteJoint*>(joint);
        EXPECT_TRUE(roof->IsLimitEnabled());
        EXPECT_TRUE(roof->GetLowerLimit() >= -0.01f || roof->GetUpperLimit() <= 0.01f);
        EXPECT_GT(roof->GetMaxMotorTorque(), 0.0f);
    }
}

void checkDrill(const LoadedObject& drill)
{
    EXPECT_EQ(jointsOf(drill.scene->getBodyByName("Rail"), e_prismaticJoint).size(), 1u);
    const auto swing = jointsOf(drill.scene->getBodyByName("HeadBody"), e_revoluteJoint);
    ASSERT_EQ(swing.size(), 1u);
    EXPECT_GT(static_cast<b2RevoluteJoint*>(swing[0])->GetMaxMotorTorque(), 0.0f);
    const auto rail = jointsOf(drill.scene->getBodyByName("Rail"), e_prismaticJoint);
    if (!rail.empty())
    {
        auto* slide = static_cast<b2PrismaticJoint*>(rail[0]);
        EXPECT_TRUE(slide->IsLimitEnabled());
        EXPECT_GT(slide->GetUpperLimit(), 0.5f); // room to move out
        EXPECT_GT(slide->GetMaxMotorForce(), 0.0f);
    }
    const Component* welding = drill.component("HeadWelding");
    ASSERT_NE(welding, nullptr);
    EXPECT_FALSE(welding->body.empty());
    EXPECT_TRUE(soundExists(drill.properties, "SoundEngine"));
}

void checkDrillHead(const LoadedObject& head)
{
    b2Fixture* fix = head.scene->getFixtureByName("HeadFix");
    ASSERT_NE(fix, nullptr);
    EXPECT_FALSE(fix->IsSensor());
    EXPECT_EQ(fix->GetBody(), head.scene->getBodyByName(head.mainComponent()->body));
    for (const char* key : {"Radius", "Drilltime", "Frametime"})
    {
        ASSERT_EQ(head.properties.count(key), 1u) << key;
        EXPECT_GT(number(head.properties.at(key)), 0.0f) << key;
    }
    EXPECT_TRUE(head.images.has("Frame1"));
    EXPECT_TRUE(head.images.has("Frame2"));
}

void checkTrack(const LoadedObject& track)
{
    int wheels = 0;
    for (b2Joint* j = track.world->GetJointList(); j != nullptr; j = j->GetNext())
    {
        if (j->GetType() != e_wheelJoint)
            continue;
        ++wheels;
        auto* wheel = static_cast<b2WheelJoint*>(j);
        EXPECT_TRUE(wheel->IsMotorEnabled());
        EXPECT_GT(wheel->GetMaxMotorTorque(), 0.0f);
        EXPECT_GT(wheel->GetStiffness(), 0.0f); // sprung
    }
    EXPECT_GE(wheels, 2);
    EXPECT_TRUE(soundExists(track.properties, "SoundTrack"));
}

void checkCockpit(const LoadedObject& cockpit)
{
    for (const char* name : {"Online", "Offline", "Test"})
        EXPECT_TRUE(cockpit.images.has(name)) << name;
    // The cockpit switches the picture of its first component.
    ASSERT_FALSE(cockpit.components.empty());
    EXPECT_FALSE(cockpit.components.front().body.empty());
}

void checkLamp(const LoadedObject& lamp)
{
    EXPECT_NE(lamp.component("Light"), nullptr);
}
} // namespace

TEST(ShippedPartsTest, CatalogueHasEveryKindWithNamesInBothLanguages)
{
    const auto rows = loadCatalogue();
    std::map<std::string, int> perCategory;
    std::set<std::string> codes;
    for (const CatalogueRow& row : rows)
    {
        SCOPED_TRACE(row.code);
        ++perCategory[row.category];
        EXPECT_TRUE(codes.insert(row.code).second) << "code listed twice";
        EXPECT_TRUE(fs::is_regular_file(partObjectPath(row.code)));
        EXPECT_FALSE(row.image.empty());
        const auto body = numbers(row.body);
        EXPECT_GE(body.size(), 6u);
        EXPECT_EQ(body.size() % 2, 0u);
        const auto shape = numbers(row.shape);
        ASSERT_EQ(shape.size(), 4u);
        EXPECT_GT(shape[2], 0.0f);
        EXPECT_GT(shape[3], 0.0f);
        EXPECT_FALSE(row.en.empty());
        EXPECT_FALSE(row.hu.empty());
    }
    EXPECT_GE(perCategory["jet"], 3);
    EXPECT_GE(perCategory["track"], 2);
    EXPECT_GE(perCategory["drill"], 2);
    EXPECT_GE(perCategory["drillhead"], 3);
    EXPECT_GE(perCategory["cockpit"], 2);
    EXPECT_GE(perCategory["lamp"], 2);
    EXPECT_GE(perCategory["antenna"], 1);
    // The ship tells the main engine and the antenna apart by these codes.
    ASSERT_NE(byCode(rows, "jet.mkiii"), nullptr);
    EXPECT_EQ(byCode(rows, "jet.mkiii")->category, "jet");
    ASSERT_NE(byCode(rows, "antenna"), nullptr);
    EXPECT_EQ(byCode(rows, "antenna")->category, "antenna");
}

TEST(ShippedPartsTest, EveryPartObjectCarriesTheNamesOfItsKind)
{
    const auto rows = loadCatalogue();
    ASSERT_FALSE(rows.empty());
    for (const CatalogueRow& row : rows)
    {
        SCOPED_TRACE(row.code);
        const LoadedObject object = LoadedObject::load(partObjectPath(row.code));
        if (row.category == "jet")
            checkJet(object);
        else if (row.category == "drill")
            checkDrill(object);
        else if (row.category == "drillhead")
            checkDrillHead(object);
        else if (row.category == "track")
            checkTrack(object);
        else if (row.category == "cockpit")
            checkCockpit(object);
        else if (row.category == "lamp")
            checkLamp(object);
        else
            EXPECT_EQ(row.category, "antenna");
    }
}

TEST(ShippedPartsTest, SampleShipsUseKnownPartsAndTheirMainEnginesLiftThem)
{
    const auto rows = loadCatalogue();
    std::vector<fs::path> ships;
    for (const auto& entry : fs::directory_iterator(dataDir() / "ships"))
        if (entry.path().string().size() > 10
            && entry.path().string().compare(entry.path().string().size() - 10, 10, ".ship.json") == 0)
            ships.push_back(entry.path());
    EXPECT_GE(ships.size(), 3u);
    std::set<std::string> kinds;
    for (const fs::path& file : ships)
    {
        SCOPED_TRACE(file.string());
        const json::Value root = parse(file);
        const json::Value* points = member(root, "Points");
        ASSERT_NE(points, nullptr);
        const auto& xs = member(*points, "X")->arrayValue();
        const auto& ys = member(*points, "Y")->arrayValue();
        ASSERT_GE(xs.size(), 3u);
        ASSERT_EQ(xs.size(), ys.size());
        ASSERT_EQ(member(*points, "R")->arrayValue().size(), xs.size());
        auto coordinate = [](const json::Value& v)
        { return v.isFloat() ? v.floatValue() : static_cast<double>(v.integerValue()); };
        double area = 0;
        for (std::size_t i = 0; i < xs.size(); ++i)
        {
            const std::size_t j = (i + 1) % xs.size();
            area += coordinate(xs[i]) * coordinate(ys[j]) - coordinate(xs[j]) * coordinate(ys[i]);
        }
        // The hull's triangles weigh 5 per unit area, the parts what their scenes say.
        double mass = 5.0 * std::abs(area) / 2.0;
        double thrust = 0;
        for (const json::Value& part : member(root, "Parts")->arrayValue())
        {
            const CatalogueRow* row = byId(rows, member(part, "Id")->integerValue());
            ASSERT_NE(row, nullptr) << "unknown part id " << member(part, "Id")->integerValue();
            kinds.insert(row->category);
            const LoadedObject object = LoadedObject::load(partObjectPath(row->code));
            mass += totalMass(*object.world);
            if (row->code == "jet.mkiii")
                thrust += number(object.properties.at("Strength"));
            const json::Value* properties = member(part, "Properties");
            const std::string head = properties != nullptr ? stringMember(*properties, "drillhead") : "";
            if (row->category == "drill")
            {
                const CatalogueRow* headRow = byCode(rows, head);
                ASSERT_NE(headRow, nullptr) << "drill without a known head";
                EXPECT_EQ(headRow->category, "drillhead");
                mass += totalMass(*LoadedObject::load(partObjectPath(head)).world);
            }
        }
        EXPECT_GT(thrust, 1.4 * mass * 5.0) << "mass " << mass; // gravity 5, room to climb
        const json::Value* texture = member(root, "Texture");
        ASSERT_NE(texture, nullptr);
        EXPECT_TRUE(pngSize(dataDir() / "img" / "tex" / stringMember(*texture, "File")).valid);
        EXPECT_EQ(member(root, "Color")->arrayValue().size(), 3u);
    }
    // Between them the samples fly, drive and drill.
    for (const char* kind : {"jet", "track", "drill", "cockpit", "lamp", "antenna"})
        EXPECT_EQ(kinds.count(kind), 1u) << kind;
}
