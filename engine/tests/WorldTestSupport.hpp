#pragma once

// Builders shared by the world, object and component tests: scene files with
// box bodies, and a component that records its lifecycle.

#include "engine/GameComponent.hpp"

#include <sstream>
#include <string>
#include <vector>

namespace worldtest {

struct BoxBody {
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
    int type = 2; // dynamic
    float half = 0.5f;
};

/// A scene file text with one box fixture per body, no gravity.
inline std::string sceneText(const std::vector<BoxBody>& bodies)
{
    std::ostringstream out;
    out << R"({"gravity": {"x": 0, "y": 0}, "allowSleep": true, "body": [)";
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        const BoxBody& b = bodies[i];
        const float h = b.half;
        out << (i ? "," : "") << R"({"name": ")" << b.name << R"(", "type": )" << b.type << R"(, "position": {"x": )"
            << b.x << R"(, "y": )" << b.y << R"(}, "angle": )" << b.angle
            << R"(, "fixture": [{"name": "f", "density": 1, "polygon": {"vertices": {"x": [)" << -h << "," << h << ","
            << h << "," << -h << R"(], "y": [)" << -h << "," << -h << "," << h << "," << h << "]}}}]}";
    }
    out << "]}";
    return out.str();
}

/// Counts its own lifecycle calls into shared counters.
struct Counters {
    int begun = 0;
    int ended = 0;
    int deleted = 0;
    int updated = 0;
};

class CountingComponent : public GameComponent {
public:
    explicit CountingComponent(Counters& counters) : counters(counters) {}
    ~CountingComponent() override { ++counters.deleted; }
    void onBegin() override { ++counters.begun; }
    void onEnd() override { ++counters.ended; }
    void onUpdate(float dt) override
    {
        ++counters.updated;
        GameComponent::onUpdate(dt);
    }

private:
    Counters& counters;
};

} // namespace worldtest
