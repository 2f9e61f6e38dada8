#pragma once

namespace tools {

/// Something advanced by time steps; behaviour goes into `onUpdate`.
class Updateable {
public:
    Updateable() = default;
    virtual ~Updateable();

    /// Calls `onUpdate(dt)`, whatever the state of the object.
    virtual void update(float dt);

    // Hooks, empty by default.
    virtual void onUpdate(float dt);
};

} // namespace tools
