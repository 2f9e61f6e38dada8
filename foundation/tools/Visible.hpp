#pragma once

namespace tools {

/// A visible flag; `onShow` and `onHide` fire only when the flag really
/// changes, after the new value is stored.
class Visible {
public:
    explicit Visible(bool visible);
    virtual ~Visible();

    void setVisible(bool v);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool isVisible() const { return visible; }

    // Hooks, empty by default.
    virtual void onShow() {}
    virtual void onHide() {}

private:
    bool visible;
};

} // namespace tools
