#include "engine/GameAxis.hpp"
#include "engine/GameAxisMap.hpp"

#include "foundation/json/Json.hpp"
#include "testsupport/engine/EngineTestSupport.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using velk_test::FakeInput;

constexpr sf::Joystick::Axis StickAxis = sf::Joystick::X;

class GameAxisTest : public ::testing::Test {
protected:
    GameAxisTest()
    {
        axis.setInputSource(input);
        axis.setButton(fx::InputAction(sf::Keyboard::Up), GameAxis::Positive);
        axis.setButton(fx::InputAction(sf::Keyboard::Down), GameAxis::Negative);
        axis.setJoystick(0, StickAxis);
    }

    /// One frame: the poll (events of the frame), then the update.
    void frame(float dt, const std::vector<sf::Event>& events = {})
    {
        axis.beforeSfHandle();
        for (const sf::Event& e : events)
            axis.handleSfEvent(e);
        axis.update(dt);
    }

    void stick(float position) { input.joystickAxes[{0, StickAxis}] = position; }

    /// Values after each of `count` frames.
    std::vector<float> run(int count, float dt)
    {
        std::vector<float> values;
        for (int i = 0; i < count; ++i) {
            frame(dt);
            values.push_back(axis.getValue(1.0f));
        }
        return values;
    }

    static void expectNear(const std::vector<float>& actual, const std::vector<float>& expected)
    {
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i)
            EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "frame " << i;
    }

    FakeInput input;
    GameAxis axis;
};

TEST_F(GameAxisTest, NewAxisRestsAtZero)
{
    GameAxis fresh;
    fresh.setInputSource(input);
    fresh.update(0.1f);
    EXPECT_EQ(fresh.getValue(1.0f), 0.0f);
    EXPECT_EQ(fresh.getJoystickId(), 8u);
    EXPECT_EQ(fresh.getJoystickAxis(), 8u);
    // Dead zone 0 without the adaptive zone: always alive.
    EXPECT_TRUE(fresh.isAlive());
}

TEST_F(GameAxisTest, HeldButtonMovesAtTheSensitivityRate)
{
    axis.setSensitivity(2.0f);
    input.keys = {sf::Keyboard::Up};
    expectNear(run(6, 0.1f), {0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.0f});
    input.keys = {sf::Keyboard::Down};
    expectNear(run(6, 0.1f), {-0.2f, -0.4f, -0.6f, -0.8f, -1.0f, -1.0f});
    // Released: dead zone 0 and a centred joystick give 0 at once.
    input.keys.clear();
    expectNear(run(1, 0.1f), {0.0f});
}

TEST_F(GameAxisTest, SnapStartsAReversalFromZero)
{
    for (bool snap : {true, false}) {
        input.keys.clear();
        frame(0.1f);
        axis.setSnap(snap);
        axis.setSensitivity(5.0f);
        input.keys = {sf::Keyboard::Down};
        frame(0.1f);
        ASSERT_NEAR(axis.getValue(), -0.5f, 1e-5f);
        axis.setSensitivity(2.0f);
        input.keys = {sf::Keyboard::Up};
        frame(0.1f);
        EXPECT_NEAR(axis.getValue(), snap ? 0.2f : -0.3f, 1e-5f) << "snap " << snap;
    }
}

TEST_F(GameAxisTest, BothButtonsHandTheValueToTheJoystick)
{
    stick(50.0f);
    input.keys = {sf::Keyboard::Up, sf::Keyboard::Down};
    frame(0.1f);
    EXPECT_NEAR(axis.getValue(), 0.5f, 1e-5f);
}

TEST_F(GameAxisTest, InsideTheDeadZoneTheValueFallsAtTheGravityRate)
{
    axis.setDeadZone(0.25f);
    axis.setGravity(1.0f);
    stick(50.0f);
    frame(0.1f);
    ASSERT_NEAR(axis.getValue(), 0.5f, 1e-5f);
    stick(20.0f);
    expectNear(run(7, 0.1f), {0.4f, 0.3f, 0.2f, 0.1f, 0.0f, 0.0f, 0.0f});
    EXPECT_FALSE(axis.isAlive());

    stick(-50.0f);
    frame(0.1f);
    stick(-10.0f);
    expectNear(run(6, 0.1f), {-0.4f, -0.3f, -0.2f, -0.1f, 0.0f, 0.0f});
}

TEST_F(GameAxisTest, DeadZoneWithAndWithoutAdaptiveScaling)
{
    const struct {
        float deadZone;
        bool adaptive;
        float position;
        float value;
    } cases[] = {
        {0.25f, false, 62.5f, 0.625f},
        {0.25f, true, 62.5f, 0.5f},
        {0.25f, true, -62.5f, -0.5f},
        {0.25f, true, 100.0f, 1.0f},
        {0.0f, true, -30.0f, -0.3f},
        // No live range left: 0, never a division by zero.
        {1.0f, true, 100.0f, 0.0f},
        {1.0f, true, -100.0f, 0.0f},
        {1.5f, true, 100.0f, 0.0f},
        {1.0f, false, 100.0f, 1.0f},
    };
    for (const auto& c : cases) {
        axis.reset();
        axis.setJoystick(0, StickAxis);
        axis.setDeadZone(c.deadZone);
        axis.setAdaptiveDeadZoneEnabled(c.adaptive);
        stick(c.position);
        frame(0.1f);
        EXPECT_TRUE(std::isfinite(axis.getValue()));
        EXPECT_NEAR(axis.getValue(), c.value, 1e-5f)
            << "dead zone " << c.deadZone << " adaptive " << c.adaptive << " at " << c.position;
    }
}

TEST_F(GameAxisTest, InvertedInactiveAndUnfocused)
{
    stick(40.0f);
    frame(0.1f);
    axis.setInverted(true);
    EXPECT_NEAR(axis.getValue(2.0f), -0.8f, 1e-5f);
    EXPECT_NEAR(axis.getAbsValue(2.0f), 0.8f, 1e-5f);

    axis.deactivate();
    EXPECT_EQ(axis.getValue(1.0f), 0.0f);
    // An inactive axis still follows its inputs.
    stick(70.0f);
    frame(0.1f);
    axis.activate();
    EXPECT_NEAR(axis.getValue(1.0f), -0.7f, 1e-5f);

    input.focused = false;
    EXPECT_EQ(axis.getValue(1.0f), 0.0f);
    stick(10.0f);
    frame(0.1f);
    input.focused = true;
    // Nothing changed while the window had no focus.
    EXPECT_NEAR(axis.getValue(1.0f), -0.7f, 1e-5f);
    frame(0.1f);
    EXPECT_NEAR(axis.getValue(1.0f), -0.1f, 1e-5f);
}

TEST_F(GameAxisTest, MouseMovementLastsOneFrame)
{
    axis.setMouseAxis(GameAxis::X);
    axis.setMouseFactor(0.01f);
    stick(20.0f);
    input.mouseDelta = {30, -5};
    frame(0.1f);
    EXPECT_NEAR(axis.getValue(), 0.3f, 1e-5f);
    EXPECT_EQ(axis.getLastInputType(), 2);
    input.mouseDelta = {0, 12};
    frame(0.1f);
    EXPECT_NEAR(axis.getValue(), 0.2f, 1e-5f) << "the joystick applies again";
    EXPECT_EQ(axis.getLastInputType(), 0);

    axis.setMouseAxis(GameAxis::Y);
    frame(0.1f);
    EXPECT_NEAR(axis.getValue(), 0.12f, 1e-5f);
}

TEST_F(GameAxisTest, WheelSetsTheDeltaUntilTheNextUpdate)
{
    frame(0.1f, {velk_test::wheelEvent(3)});
    EXPECT_EQ(axis.getValue(), 0.0f) << "no wheel axis: the event is dropped";

    axis.setMouseAxis(GameAxis::Wheel);
    axis.setMouseFactor(0.5f);
    axis.beforeSfHandle();
    axis.handleSfEvent(velk_test::wheelEvent(-2));
    EXPECT_EQ(axis.getValue(), -2.0f) << "the delta itself, not scaled";
    axis.update(0.1f);
    EXPECT_EQ(axis.getValue(), 0.0f);
}

TEST_F(GameAxisTest, PressOnceButtonIsActiveInTheFrameOfThePress)
{
    axis.setSensitivity(1.0f);
    axis.setButton(fx::InputAction(sf::Keyboard::Return, fx::InputAction::PressOnce), GameAxis::Positive);
    input.keys = {sf::Keyboard::Return};
    frame(0.25f, {velk_test::keyEvent(sf::Keyboard::Return)});
    EXPECT_NEAR(axis.getValue(), 0.25f, 1e-5f);
    // Still held, but no new press: the joystick rule takes over.
    frame(0.25f);
    EXPECT_EQ(axis.getValue(), 0.0f);
}

TEST_F(GameAxisTest, JsonSettingsAndResetDefaults)
{
    axis.setMouseFactor(3.0f);
    axis.fromJson(json::parseFromString(R"({
        "Inverted": true, "Sensitivity": 2, "Gravity": 0.5, "Snap": false,
        "Joystick": {"Id": 1.9, "Axis": 6}, "Deadzone": 0.2, "MouseAxis": 2, "Actions": {"x": 1}, "Other": 4})"));
    EXPECT_TRUE(axis.isInverted());
    EXPECT_EQ(axis.getSensitivity(), 2.0f);
    EXPECT_EQ(axis.getGravity(), 0.5f);
    EXPECT_FALSE(axis.isSnap());
    EXPECT_EQ(axis.getJoystickId(), 1u);
    EXPECT_EQ(axis.getJoystickAxis(), static_cast<unsigned>(sf::Joystick::PovX));
    EXPECT_FLOAT_EQ(axis.getDeadZone(), 0.2f);
    EXPECT_EQ(axis.getMouseAxis(), GameAxis::Y);
    EXPECT_EQ(axis.getMouseFactor(), 3.0f) << "not read, and kept by the reset";
    EXPECT_TRUE(axis.toJson().isObject());
    EXPECT_TRUE(axis.toJson().objectValue().empty());

    // Wrong types keep the reset values; out-of-range indexes mean "none".
    axis.fromJson(json::parseFromString(R"({
        "Inverted": 1, "Sensitivity": "fast", "Snap": null,
        "Joystick": {"Id": -1, "Axis": 99}, "MouseAxis": 7})"));
    EXPECT_FALSE(axis.isInverted());
    EXPECT_EQ(axis.getSensitivity(), 1000.0f);
    EXPECT_TRUE(axis.isSnap());
    EXPECT_EQ(axis.getJoystickId(), 8u);
    EXPECT_EQ(axis.getJoystickAxis(), 8u);
    EXPECT_EQ(axis.getMouseAxis(), GameAxis::None);

    // The reset unbinds the buttons.
    input.keys = {sf::Keyboard::Up};
    frame(0.1f);
    EXPECT_EQ(axis.getValue(), 0.0f);

    // A root that is no object: the defaults.
    axis.setGravity(-4.0f);
    EXPECT_EQ(axis.getGravity(), 0.0f);
    axis.fromJson(json::parseFromString("[1]"));
    EXPECT_EQ(axis.getGravity(), 1000.0f);
}

TEST(GameAxisMapTest, AxesByIdInInsertionOrder)
{
    FakeInput input;
    GameAxisMap<char> map;
    GameAxis* a = map['a'];
    EXPECT_EQ(map['a'], a);
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.getAxis('b'), nullptr);
    EXPECT_FALSE(map.isAxisExists('b'));
    GameAxis* b = map['b'];
    EXPECT_TRUE(map.isAxisExists('b'));
    for (GameAxis* axis : {a, b}) {
        axis->setInputSource(input);
        axis->setMouseAxis(GameAxis::Wheel);
    }
    // Events fed by hand reach every axis; so does the update.
    map.beforeSfHandle();
    map.handleSfEvent(velk_test::wheelEvent(1));
    EXPECT_EQ(a->getValue(), 1.0f);
    EXPECT_EQ(b->getValue(), 1.0f);
    map.update(0.1f);
    EXPECT_EQ(a->getValue(), 0.0f);
    EXPECT_EQ(b->getValue(), 0.0f);
}

} // namespace
