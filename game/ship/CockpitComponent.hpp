#pragma once

#include "game/ship/PartComponent.hpp"

namespace velk {

/// The cockpit: its picture (first component of its part object) shows the
/// image rectangle "Online" or "Offline" as it is turned on or off, and
/// "Test" in the ship editor's preview. Its part object is always set up as
/// in normal mode (own texture, the ship's mask colour) and drawn with the
/// ship's transform.
class CockpitComponent : public PartComponent {
public:
    explicit CockpitComponent(backend::PartEntry* entry);

    bool isTurnedOn() const { return turnedOn; }
    void setTurnedOn(bool on);
    void turnOn() { setTurnedOn(true); }
    void turnOff() { setTurnedOn(false); }
    void switchTurnedOn() { setTurnedOn(!turnedOn); }

    void onMirroredX() override;
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onBegin() override;
    void onMoved(const math::Vector2<float>& displacement) override;
    void onRotated(float change) override;

private:
    /// Gives the first component's shape the named rectangle; a name the
    /// image map lacks leaves the picture as it is (logged).
    void showPicture(const std::string& name);

    bool turnedOn = true;
};

} // namespace velk
