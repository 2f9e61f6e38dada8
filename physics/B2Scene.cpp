#include "physics/B2Scene.hpp"

#include <algorithm>

namespace
{
template <class T>
T* firstByName(const std::map<T*, std::string>& names, const std::string& name)
{
    for (const auto& entry : names)
        if (entry.second == name)
            return entry.first;
    return nullptr;
}

template <class T>
int allByName(const std::map<T*, std::string>& names, const std::string& name, std::vector<T*>& out)
{
    for (const auto& entry : names)
        if (entry.second == name)
            out.push_back(entry.first);
    return static_cast<int>(out.size());
}

template <class T>
std::string nameOf(const std::map<T*, std::string>& names, T* item)
{
    const auto found = names.find(item);
    return found != names.end() ? found->second : std::string();
}
} // namespace

B2Scene::B2Scene(bool useHumanReadableFloats) : useHumanReadableFloats(useHumanReadableFloats) {}

B2Scene::~B2Scene()
{
    for (B2SceneImage* image : images)
        delete image;
}

void B2Scene::clear()
{
    indexToBody.clear();
    bodyToIndex.clear();
    jointToIndex.clear();
    bodies.clear();
    joints.clear();
    // The scene keeps owning what it loaded until here: dropped records are deleted,
    // not left without an owner.
    for (B2SceneImage* image : images)
        delete image;
    images.clear();
    bodyNames.clear();
    fixtureNames.clear();
    jointNames.clear();
    imageNames.clear();
    ghostFlags.clear();
    springValues.clear();
    ropeLengths.clear();
}

b2Body* B2Scene::getBodyByName(const std::string& name)
{
    return firstByName(bodyNames, name);
}
b2Fixture* B2Scene::getFixtureByName(const std::string& name)
{
    return firstByName(fixtureNames, name);
}
b2Joint* B2Scene::getJointByName(const std::string& name)
{
    return firstByName(jointNames, name);
}
B2SceneImage* B2Scene::getImageByName(const std::string& name)
{
    return firstByName(imageNames, name);
}

int B2Scene::getBodiesByName(const std::string& name, std::vector<b2Body*>& out)
{
    return allByName(bodyNames, name, out);
}

int B2Scene::getFixturesByName(const std::string& name, std::vector<b2Fixture*>& out)
{
    return allByName(fixtureNames, name, out);
}

int B2Scene::getJointsByName(const std::string& name, std::vector<b2Joint*>& out)
{
    return allByName(jointNames, name, out);
}

int B2Scene::getImagesByName(const std::string& name, std::vector<B2SceneImage*>& out)
{
    return allByName(imageNames, name, out);
}

std::string B2Scene::getBodyName(b2Body* body)
{
    return nameOf(bodyNames, body);
}
std::string B2Scene::getFixtureName(b2Fixture* fixture)
{
    return nameOf(fixtureNames, fixture);
}
std::string B2Scene::getJointName(b2Joint* joint)
{
    return nameOf(jointNames, joint);
}
std::string B2Scene::getImageName(B2SceneImage* image)
{
    return nameOf(imageNames, image);
}

void B2Scene::setBodyName(b2Body* body, const char* name)
{
    bodyNames[body] = name != nullptr ? name : "";
}
void B2Scene::setFixtureName(b2Fixture* fixture, const char* name)
{
    fixtureNames[fixture] = name != nullptr ? name : "";
}
void B2Scene::setJointName(b2Joint* joint, const char* name)
{
    jointNames[joint] = name != nullptr ? name : "";
}
void B2Scene::setImageName(B2SceneImage* image, const char* name)
{
    imageNames[image] = name != nullptr ? name : "";
}

void B2Scene::addImage(B2SceneImage* image)
{
    if (image != nullptr)
        imageNames[image] = image->name;
}

int B2Scene::getAllBodies(std::vector<b2Body*>& out)
{
    out.insert(out.begin(), bodies.begin(), bodies.end());
    return static_cast<int>(out.size());
}

int B2Scene::getAllFixtures(std::vector<b2Fixture*>& out)
{
    for (b2Body* body : bodies)
        for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
            out.push_back(f);
    return static_cast<int>(out.size());
}

int B2Scene::getAllJoints(std::vector<b2Joint*>& out)
{
    out.insert(out.begin(), joints.begin(), joints.end());
    return static_cast<int>(out.size());
}

int B2Scene::getAllImages(std::vector<B2SceneImage*>& out)
{
    out.insert(out.begin(), images.begin(), images.end());
    std::sort(out.begin(), out.end(), B2SceneImage_renderOrder_ascending);
    return static_cast<int>(out.size());
}

b2Body* B2Scene::lookupBodyFromIndex(unsigned int index)
{
    const auto found = indexToBody.find(static_cast<int>(index));
    return found != indexToBody.end() ? found->second : nullptr;
}

int B2Scene::lookupBodyIndex(b2Body* body)
{
    const auto found = bodyToIndex.find(body);
    return found != bodyToIndex.end() ? found->second : -1;
}

int B2Scene::lookupJointIndex(b2Joint* joint)
{
    const auto found = jointToIndex.find(joint);
    return found != jointToIndex.end() ? found->second : -1;
}

bool B2Scene::isRope(const b2Joint* joint) const
{
    const auto found = ropeLengths.find(joint);
    if (found == ropeLengths.end() || joint->GetType() != e_distanceJoint)
        return false;
    // The world may since have made another joint at the address of a destroyed rope.
    const auto* distance = static_cast<const b2DistanceJoint*>(joint);
    return distance->GetStiffness() == 0.0f && distance->GetMaxLength() == found->second.made;
}
