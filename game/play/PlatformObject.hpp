#pragma once

#include "engine/GameObject.hpp"
#include "engine/ThorShapeAnimator.hpp"

#include <memory>

class b2Body;

namespace velk {

/// A landing platform of a time-trial map: a solid body from its object file
/// with a looping light animation on its main shape. The rules judge landings
/// on it; a platform whose object file gives no physics main component gets
/// neither the animation nor the landing test.
class PlatformObject : public GameObject {
public:
    static const char* const ObjectFile;

    PlatformObject();
    ~PlatformObject() override;

    void onUpdate(float dt) override;
    void onBegin() override;
    void onEnd() override;

    /// The body of the physics main component, null when there is none.
    b2Body* getBody() const;
    const ThorShapeAnimator<char>* getLightAnimator() const { return lightAnimator.get(); }

private:
    std::unique_ptr<ThorShapeAnimator<char>> lightAnimator;
};

} // namespace velk
