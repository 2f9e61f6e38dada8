#pragma once

#include "engine/GameObject.hpp"
#include "engine/ThorShapeAnimator.hpp"

#include <SFML/Graphics/Color.hpp>

#include <memory>

class b2Fixture;

namespace velk {

/// A collectable marker of a time-trial map: an animated field in the colour
/// of its kind and a circular sensor that touches only the ship's hull. It
/// knows what it is worth; the rules decide when it is collected.
class CheckpointObject : public GameObject {
public:
    static const char* const ObjectFile;

    CheckpointObject();
    ~CheckpointObject() override;

    void onUpdate(float dt) override;
    /// Loads the object file, starts the field animation at a random phase
    /// and, with a "Radius" property, creates the sensor.
    void onBegin() override;
    void onEnd() override;

    int getScore() const { return score; }
    void setScore(int value) { score = value; }
    float getFuel() const { return fuel; }
    void setFuel(float value) { fuel = value; }
    /// The sensor fixture; null without a "Radius" property.
    b2Fixture* getSensor() const { return sensor; }
    /// Fills the "Field" shape; nothing without one.
    void setColor(const sf::Color& color);
    /// The field's animator; null when the field has no frames.
    const ThorShapeAnimator<char>* getFieldAnimator() const { return fieldAnimator.get(); }

private:
    void startFieldAnimation();
    void createSensor(float radius);

    std::unique_ptr<ThorShapeAnimator<char>> fieldAnimator;
    int score = 0;
    float fuel = 0.0f;
    b2Fixture* sensor = nullptr;
};

} // namespace velk
