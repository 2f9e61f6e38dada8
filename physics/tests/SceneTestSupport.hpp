#pragma once

#include "testsupport/physics/SceneBuilders.hpp"

#include <memory>
#include <string>

namespace scenetest
{
using velk_test::fixtureCount;
using velk_test::loadSceneText;

inline std::string dataPath(const char* name)
{
    return std::string(VELK_TEST_DATA_DIR) + "/" + name;
}

/// Loads a file of this folder's test data into a new world owned by the result.
inline std::unique_ptr<b2World> loadFile(B2Scene& scene, const char* name, std::string& error)
{
    return velk_test::loadSceneFile(scene, dataPath(name), error);
}

inline std::unique_ptr<b2World> loadText(B2Scene& scene, const std::string& text, std::string& error)
{
    return loadSceneText(scene, text, error);
}
} // namespace scenetest
