#pragma once

namespace tools {

/// An active flag; the hooks fire only when the flag really changes, after the
/// new value is stored.
class Activable {
public:
    explicit Activable(bool active);
    virtual ~Activable();

    void setActive(bool v);
    void activate() { setActive(true); }
    void deactivate() { setActive(false); }
    bool isActive() const { return active; }

    // Hooks, empty by default.
    virtual void onActivate() {}
    virtual void onDeactivate() {}

private:
    bool active;
};

} // namespace tools
