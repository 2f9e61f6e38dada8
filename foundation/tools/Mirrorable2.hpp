#pragma once

namespace tools {

/// Mirrored-in-X and mirrored-in-Y flags. `setMirrored*` store silently,
/// `mirrorTo*` notify only on a change, `mirror*` flip and notify every time.
class Mirrorable2 {
public:
    Mirrorable2() = default;
    virtual ~Mirrorable2();

    /// Stores the flag without notifying.
    void setMirroredX(bool v) { mirroredX = v; }
    /// Stores the flag without notifying.
    void setMirroredY(bool v) { mirroredY = v; }
    void mirrorToX(bool v);
    void mirrorToY(bool v);
    /// Inverts the flag and notifies.
    void mirrorX();
    /// Inverts the flag and notifies.
    void mirrorY();
    bool isMirroredX() const { return mirroredX; }
    bool isMirroredY() const { return mirroredY; }

    // Hooks, empty by default.
    virtual void onMirroredX() {}
    virtual void onMirroredY() {}

private:
    bool mirroredX = false;
    bool mirroredY = false;
};

} // namespace tools
