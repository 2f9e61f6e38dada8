#pragma once

// Small builders for tests that need a Box2D world: scenes loaded from text or
// files into worlds the caller owns, and plain bodies and joints made directly.

#include "physics/B2Scene.hpp"

#include <box2d/box2d.h>

#include <filesystem>
#include <memory>
#include <string>

namespace velk_test {

/// Loads scene text into a new world; null with the reason in `error`.
std::unique_ptr<b2World> loadSceneText(B2Scene& scene, const std::string& text, std::string& error);

/// Loads a scene file into a new world; null with the reason in `error`.
std::unique_ptr<b2World> loadSceneFile(B2Scene& scene, const std::filesystem::path& file, std::string& error);

/// A body at `position`; with a radius above 0 it gets a circle fixture of density 1.
b2Body* addBody(b2World& world, b2BodyType type, b2Vec2 position = b2Vec2(0.0f, 0.0f), float circleRadius = 0.0f);

/// A revolute joint between two bodies, anchored at a world point.
b2RevoluteJoint* addRevoluteJoint(b2World& world, b2Body* a, b2Body* b, b2Vec2 anchor);

/// How many fixtures the body has.
int fixtureCount(const b2Body* body);

} // namespace velk_test
