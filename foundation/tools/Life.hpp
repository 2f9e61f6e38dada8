#pragma once

namespace tools {

/// An alive flag; `onDeath` and `onRevive` fire only when the flag really
/// changes, after the new value is stored.
class Life {
public:
    explicit Life(bool alive);
    virtual ~Life();

    void setAlive(bool v);
    void setDead(bool v) { setAlive(!v); }
    void kill() { setAlive(false); }
    void revive() { setAlive(true); }
    bool isAlive() const { return alive; }
    bool isDead() const { return !alive; }

    // Hooks, empty by default.
    virtual void onDeath() {}
    virtual void onRevive() {}

private:
    bool alive;
};

} // namespace tools
