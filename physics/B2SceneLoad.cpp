// The loading part of B2Scene: JSON scene text to Box2D bodies, fixtures, joints and
// images. Box2D 2.4 aborts on values it does not accept, so every value from the file
// passes B2ShapeCheck or a check here before Box2D sees it.
#include "physics/B2Scene.hpp"

#include "foundation/tools/Log.hpp"
#include "foundation/tools/RegularFile.hpp"
#include "physics/B2SceneFormatCheck.hpp"
#include "physics/B2SceneJson.hpp"
#include "physics/B2SceneNumberReader.hpp"
#include "physics/B2ShapeCheck.hpp"

#include <cmath>
#include <stdexcept>

namespace
{
using J = B2SceneJson;

const Json::Value* at(const Json::Value& object, const char* name)
{
    return J::member(object, name);
}

/// Parses a scene with its comments; on failure JsonCpp's message (or that of the
/// exception it throws, for instance on too deep nesting) goes to `problem`.
template <class Source>
bool parseScene(Source& source, Json::Value& root, std::string& problem)
{
    Json::Reader reader;
    try
    {
        if (reader.parse(source, root, true))
            return true;
        problem = reader.getFormattedErrorMessages();
    }
    catch (const std::exception& e)
    {
        problem = e.what();
    }
    return false;
}

/// Clears the name of the file being loaded however the load ends.
class LoadingFile
{
public:
    LoadingFile(std::string& file, bool& named, const char* filename) : current(file)
    {
        current = filename;
        named = false;
    }
    ~LoadingFile() { current.clear(); }
    LoadingFile(const LoadingFile&) = delete;
    LoadingFile& operator=(const LoadingFile&) = delete;

private:
    std::string& current;
};

/// Box2D asserts when bodies are made while the world steps (from a callback).
bool isLocked(const b2World* world, std::string& errorMsg)
{
    if (world == nullptr || !world->IsLocked())
        return false;
    errorMsg = "Cannot load a scene into a world during its step";
    return true;
}
} // namespace

b2World* B2Scene::readFromFile(const char* filename, std::string& errorMsg, b2World* existingWorld)
{
    if (filename == nullptr || isLocked(existingWorld, errorMsg))
        return nullptr;
    std::string text;
    if (!tools::readRegularFile(filename, text))
    {
        errorMsg = std::string("Could not open file '") + filename + "' for reading";
        return nullptr;
    }
    Json::Value root;
    std::string problem;
    if (!parseScene(text, root, problem))
    {
        errorMsg = std::string("Failed to parse '") + filename + "' : " + problem;
        return nullptr;
    }
    problem = B2SceneFormatCheck::check(root);
    if (!problem.empty())
    {
        errorMsg = std::string("Failed to load '") + filename + "' : " + problem;
        return nullptr;
    }
    // The warnings name no file; a player or modder needs to know which one it is.
    const LoadingFile loading(loadingFile, loadingFileNamed, filename);
    return readFromValue(root, existingWorld);
}

b2World* B2Scene::readFromString(const std::string& text, std::string& errorMsg, b2World* existingWorld)
{
    if (isLocked(existingWorld, errorMsg))
        return nullptr;
    Json::Value root;
    std::string problem;
    if (!parseScene(text, root, problem))
    {
        errorMsg = "Failed to parse JSON:\n" + problem;
        return nullptr;
    }
    problem = B2SceneFormatCheck::check(root);
    if (!problem.empty())
    {
        errorMsg = "Failed to load JSON:\n" + problem;
        return nullptr;
    }
    return readFromValue(root, existingWorld);
}

void B2Scene::warn(const std::string& text)
{
    if (!loadingFile.empty() && !loadingFileNamed)
    {
        tools::log("", "While loading scene file '" + loadingFile + "':");
        loadingFileNamed = true;
    }
    tools::log("", text);
}

b2World* B2Scene::readFromValue(const Json::Value& root, b2World* existingWorld)
{
    std::string errorMsg;
    if (isLocked(existingWorld, errorMsg))
    {
        tools::log("", errorMsg + ".");
        return nullptr;
    }
    return j2b2World(root, existingWorld);
}

b2World* B2Scene::j2b2World(const Json::Value& worldValue, b2World* world)
{
    bodies.clear();
    if (world == nullptr)
    {
        b2Vec2 gravity = J::toVec(at(worldValue, "gravity"), b2Vec2(0.0f, 0.0f));
        if (!B2ShapeCheck::isFinite(gravity))
        {
            warn("Ignoring gravity that is not a finite vector.");
            gravity.SetZero();
        }
        world = new b2World(gravity);
    }
    world->SetAllowSleeping(J::toBool(at(worldValue, "allowSleep"), false));
    world->SetAutoClearForces(J::toBool(at(worldValue, "autoClearForces"), false));
    world->SetWarmStarting(J::toBool(at(worldValue, "warmStarting"), false));
    world->SetContinuousPhysics(J::toBool(at(worldValue, "continuousPhysics"), false));
    world->SetSubStepping(J::toBool(at(worldValue, "subStepping"), false));
    readCustomPropertiesFromJson(world, worldValue);

    const Json::Value* bodyList = at(worldValue, "body");
    for (unsigned i = 0;; ++i)
    {
        const Json::Value* bodyValue = J::element(bodyList, i);
        if (bodyValue == nullptr || !bodyValue->isObject())
            break;
        b2Body* body = j2b2Body(world, *bodyValue);
        readCustomPropertiesFromJson(body, *bodyValue);
        bodies.push_back(body);
        indexToBody[static_cast<int>(i)] = body;
    }

    // Gear joints name their joints by position among the joints of this load, so
    // every other joint is made first. Positions count from this load's first joint:
    // entries of an earlier load may name joints that no longer exist.
    jointBase = joints.size();
    const Json::Value* jointList = at(worldValue, "joint");
    for (bool gears : {false, true})
        for (unsigned i = 0;; ++i)
        {
            const Json::Value* jointValue = J::element(jointList, i);
            if (jointValue == nullptr || !jointValue->isObject())
                break;
            if ((J::toString(at(*jointValue, "type"), "") == "gear") != gears)
                continue;
            b2Joint* joint = j2b2Joint(world, *jointValue);
            readCustomPropertiesFromJson(joint, *jointValue);
            joints.push_back(joint);
        }

    const Json::Value* imageList = at(worldValue, "image");
    for (unsigned i = 0;; ++i)
    {
        const Json::Value* imageValue = J::element(imageList, i);
        if (imageValue == nullptr || !imageValue->isObject())
            break;
        B2SceneImage* image = j2B2SceneImage(*imageValue);
        readCustomPropertiesFromJson(image, *imageValue);
        images.push_back(image);
        addImage(image);
    }
    return world;
}

b2Body* B2Scene::j2b2Body(b2World* world, const Json::Value& bodyValue)
{
    b2BodyDef def;
    const int type = J::toInt(at(bodyValue, "type"), 0);
    if (type >= 0 && type <= 2)
        def.type = static_cast<b2BodyType>(type);
    else
    {
        // Box2D asserts on other types; a static body is the safe stand-in.
        warn("Making a body of unknown type " + std::to_string(type) + " static.");
        def.type = b2_staticBody;
    }
    auto vec = [this, &bodyValue](const char* name)
    {
        b2Vec2 v = J::toVec(at(bodyValue, name), b2Vec2(0.0f, 0.0f));
        if (B2ShapeCheck::isFinite(v))
            return v;
        warn(std::string("Ignoring body ") + name + " that is not a finite vector.");
        return b2Vec2(0.0f, 0.0f);
    };
    auto number = [this, &bodyValue](const char* name, float defaultValue, bool nonNegative)
    {
        const float v = J::toFloat(at(bodyValue, name), defaultValue);
        if (std::isfinite(v) && (!nonNegative || v >= 0.0f))
            return v;
        warn(std::string("Ignoring body ") + name + " that Box2D would refuse.");
        return defaultValue;
    };
    def.position = vec("position");
    def.angle = number("angle", 0.0f, false);
    def.linearVelocity = vec("linearVelocity");
    def.angularVelocity = number("angularVelocity", 0.0f, false);
    def.linearDamping = number("linearDamping", 0.0f, true);
    def.angularDamping = number("angularDamping", 0.0f, true);
    def.gravityScale = number("gravityScale", 1.0f, false);
    def.allowSleep = J::toBool(at(bodyValue, "allowSleep"), true);
    def.awake = J::toBool(at(bodyValue, "awake"), false);
    def.fixedRotation = J::toBool(at(bodyValue, "fixedRotation"), false);
    def.bullet = J::toBool(at(bodyValue, "bullet"), false);
    // "active" is called "enabled" in Box2D 2.4.
    def.enabled = J::toBool(at(bodyValue, "active"), true);
    b2Body* body = world->CreateBody(&def);

    const std::string name = J::toString(at(bodyValue, "name"), "");
    if (!name.empty())
        bodyNames[body] = name;

    const Json::Value* fixtureList = at(bodyValue, "fixture");
    for (unsigned i = 0;; ++i)
    {
        const Json::Value* fixtureValue = J::element(fixtureList, i);
        if (fixtureValue == nullptr || !fixtureValue->isObject())
            break;
        b2Fixture* fixture = j2b2Fixture(body, *fixtureValue);
        readCustomPropertiesFromJson(fixture, *fixtureValue);
    }

    b2MassData massData;
    massData.mass = J::toFloat(at(bodyValue, "massData-mass"), 0.0f);
    massData.center = J::toVec(at(bodyValue, "massData-center"), b2Vec2(0.0f, 0.0f));
    massData.I = J::toFloat(at(bodyValue, "massData-I"), 0.0f);
    if (B2ShapeCheck::canSetMassData(body, massData))
        body->SetMassData(&massData);
    else
        warn("Ignoring mass data of body '" + name + "' that Box2D would refuse.");
    return body;
}

b2Fixture* B2Scene::j2b2Fixture(b2Body* body, const Json::Value& fixtureValue)
{
    if (body == nullptr || !fixtureValue.isObject())
        return nullptr;
    b2FixtureDef def;
    B2SceneNumberReader reader(fixtureValue);
    def.restitution = reader.number("restitution");
    def.friction = reader.number("friction");
    def.density = reader.number("density");
    def.isSensor = reader.flag("sensor");
    // Filter values are 16-bit in Box2D; larger integers keep their low 16 bits.
    def.filter.categoryBits = static_cast<std::uint16_t>(J::toInt(at(fixtureValue, "filter-categoryBits"), 1));
    def.filter.maskBits = static_cast<std::uint16_t>(J::toInt(at(fixtureValue, "filter-maskBits"), 65535));
    def.filter.groupIndex = static_cast<std::int16_t>(J::toInt(at(fixtureValue, "filter-groupIndex"), 0));
    if (!reader.allFinite())
    {
        warn("Ignoring fixture with a value that is not a finite number.");
        return nullptr;
    }
    // Box2D mixes two frictions by the square root of their product, so a negative one
    // turns the motion of both bodies into NaN, and it asserts on a negative density.
    // Either becomes 0: the body keeps its shape.
    for (float* value : {&def.friction, &def.density})
        if (*value < 0.0f)
        {
            warn(std::string("Using 0 for the negative ") + (value == &def.friction ? "friction" : "density")
                + " of a fixture.");
            *value = 0.0f;
        }

    GhostFlags ghosts;
    std::unique_ptr<b2Shape> shape = makeShape(fixtureValue, ghosts);
    if (!shape)
        return nullptr;
    if (!B2ShapeCheck::canAddFixture(body, *shape, def.density))
    {
        warn("Ignoring fixture whose density or mass Box2D would refuse.");
        return nullptr;
    }
    def.shape = shape.get();
    b2Fixture* fixture = body->CreateFixture(&def);
    if (shape->GetType() == b2Shape::e_edge || shape->GetType() == b2Shape::e_chain)
        ghostFlags[fixture] = ghosts;

    const std::string name = J::toString(at(fixtureValue, "name"), "");
    if (!name.empty())
        fixtureNames[fixture] = name;
    return fixture;
}

std::unique_ptr<b2Shape> B2Scene::makeShape(const Json::Value& fixtureValue, GhostFlags& ghosts)
{
    const char* kinds[] = {"circle", "edge", "loop", "chain", "polygon"};
    const Json::Value* shapeValue = nullptr;
    std::string kind;
    for (const char* k : kinds)
    {
        shapeValue = at(fixtureValue, k);
        if (shapeValue != nullptr && !shapeValue->isNull())
        {
            kind = k;
            break;
        }
    }
    if (kind.empty() || !shapeValue->isObject())
        return nullptr;
    B2SceneNumberReader reader(*shapeValue);

    if (kind == "circle")
    {
        auto circle = std::make_unique<b2CircleShape>();
        circle->m_radius = reader.number("radius");
        circle->m_p = reader.vec("center");
        if (!B2ShapeCheck::isValidCircle(circle->m_p, circle->m_radius))
        {
            warn("Ignoring circle fixture with an invalid radius or centre.");
            return nullptr;
        }
        return circle;
    }
    if (kind == "edge")
    {
        const b2Vec2 v1 = reader.vec("vertex1");
        const b2Vec2 v2 = reader.vec("vertex2");
        ghosts.first = reader.flag("hasVertex0");
        ghosts.last = reader.flag("hasVertex3");
        const b2Vec2 v0 = ghosts.first ? reader.vec("vertex0") : b2Vec2(0.0f, 0.0f);
        const b2Vec2 v3 = ghosts.last ? reader.vec("vertex3") : b2Vec2(0.0f, 0.0f);
        if (!B2ShapeCheck::isValidEdge(v1, v2) || !B2ShapeCheck::isSaneCoordinate(v0)
            || !B2ShapeCheck::isSaneCoordinate(v3))
        {
            warn("Ignoring edge fixture with invalid or too close vertices.");
            return nullptr;
        }
        auto edge = std::make_unique<b2EdgeShape>();
        // Box2D 2.4 edges are either two-sided without ghost vertices or one-sided with
        // both; 2.3 edges were always two-sided and used ghosts only for smooth contacts.
        // An edge with both ghosts becomes one-sided (solid on the right of vertex1 to
        // vertex2), every other edge stays two-sided as before and keeps a single ghost
        // only so that it is written back.
        if (ghosts.first && ghosts.last)
            edge->SetOneSided(v0, v1, v2, v3);
        else
        {
            edge->SetTwoSided(v1, v2);
            edge->m_vertex0 = v0;
            edge->m_vertex3 = v3;
        }
        return edge;
    }
    const std::vector<b2Vec2> points = J::toPoints(at(*shapeValue, "vertices"));
    const int count = static_cast<int>(points.size());
    if (kind == "loop")
    {
        if (!B2ShapeCheck::isValidChain(points, true))
        {
            warn("Ignoring loop fixture with fewer than three points or points too close together.");
            return nullptr;
        }
        auto chain = std::make_unique<b2ChainShape>();
        chain->CreateLoop(points.data(), count);
        // A loop sets both ghost vertices itself, and is written back with them.
        ghosts.first = true;
        ghosts.last = true;
        return chain;
    }
    if (kind == "chain")
    {
        if (!B2ShapeCheck::isValidChain(points, false))
        {
            warn("Ignoring chain fixture with fewer than two points or points too close together.");
            return nullptr;
        }
        ghosts.first = reader.flag("hasPrevVertex");
        ghosts.last = reader.flag("hasNextVertex");
        // Box2D 2.4 chains always have both ghost vertices (and are one-sided). Where the
        // file gives none, the end segment is continued straight on, which gives the
        // end a plain corner like the missing ghost did in 2.3.
        const b2Vec2 prev = ghosts.first ? reader.vec("prevVertex") : 2.0f * points[0] - points[1];
        const b2Vec2 next = ghosts.last ? reader.vec("nextVertex") : 2.0f * points[count - 1] - points[count - 2];
        if (!B2ShapeCheck::isSaneCoordinate(prev) || !B2ShapeCheck::isSaneCoordinate(next))
        {
            warn("Ignoring chain fixture with invalid ghost vertices.");
            return nullptr;
        }
        auto chain = std::make_unique<b2ChainShape>();
        chain->CreateChain(points.data(), count, prev, next);
        return chain;
    }
    // "polygon"
    if (count > b2_maxPolygonVertices)
    {
        warn("Ignoring polygon fixture with too many vertices.");
        return nullptr;
    }
    if (count < 2)
    {
        warn("Ignoring polygon fixture less than two vertices.");
        return nullptr;
    }
    if (count == 2)
    {
        warn("Creating edge shape instead of polygon with two vertices.");
        if (!B2ShapeCheck::isValidEdge(points[0], points[1]))
        {
            warn("Ignoring edge fixture with invalid or too close vertices.");
            return nullptr;
        }
        auto edge = std::make_unique<b2EdgeShape>();
        edge->SetTwoSided(points[0], points[1]);
        return edge;
    }
    if (!B2ShapeCheck::isValidPolygon(points))
    {
        warn("Ignoring polygon fixture whose points have no proper convex hull.");
        return nullptr;
    }
    auto polygon = std::make_unique<b2PolygonShape>();
    polygon->Set(points.data(), count);
    return polygon;
}
