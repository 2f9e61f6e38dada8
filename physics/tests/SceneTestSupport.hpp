#pragma once

#include "physics/B2Scene.hpp"

#include <box2d/box2d.h>

#include <memory>
#include <string>

namespace scenetest
{
inline std::string dataPath(const char* name)
{
    return std::string(VELK_TEST_DATA_DIR) + "/" + name;
}

/// Loads a file of the test data into a new world owned by the result.
inline std::unique_ptr<b2World> loadFile(B2Scene& scene, const char* name, std::string& error)
{
    return std::unique_ptr<b2World>(scene.readFromFile(dataPath(name).c_str(), error, nullptr));
}

inline std::unique_ptr<b2World> loadText(B2Scene& scene, const std::string& text, std::string& error)
{
    return std::unique_ptr<b2World>(scene.readFromString(text, error, nullptr));
}

inline int fixtureCount(const b2Body* body)
{
    int count = 0;
    for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        ++count;
    return count;
}
} // namespace scenetest
