#include "engine/GameActionMapper.hpp"

#include "testsupport/engine/EngineTestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using velk_test::keyEvent;

class GameActionMapperTest : public ::testing::Test {
protected:
    GameActionMapperTest()
    {
        for (GameActionMapper<char>* m : {&first, &second}) {
            m->setInputSource(input);
            (*m)['R'] = fx::InputAction(sf::Keyboard::Return, fx::InputAction::PressOnce);
        }
        first['H'] = fx::InputAction(sf::Keyboard::Space, fx::InputAction::Hold);
    }

    /// One poll with the events, as the window hands them to every listener.
    void poll(const std::vector<sf::Event>& events = {})
    {
        for (GameActionMapper<char>* m : {&first, &second}) {
            m->beforeSfHandle();
            for (const sf::Event& e : events)
                m->handleSfEvent(e);
        }
    }

    velk_test::FakeInput input;
    GameActionMapper<char> first;
    GameActionMapper<char> second;
};

TEST_F(GameActionMapperTest, PressOnceIsTrueInTheFrameOfThePressOnly)
{
    EXPECT_TRUE(first.isActive());
    input.keys = {sf::Keyboard::Return};
    poll({keyEvent(sf::Keyboard::Return)});
    EXPECT_TRUE(first.isActive('R'));
    EXPECT_TRUE(second.isActive('R')) << "two mappers both see the press";
    poll();
    EXPECT_FALSE(first.isActive('R')) << "still held, no new press";
    poll({keyEvent(sf::Keyboard::Return, false)});
    EXPECT_FALSE(first.isActive('R'));
}

TEST_F(GameActionMapperTest, UnknownIdsAndHeldActions)
{
    EXPECT_FALSE(first.isActive('x'));
    EXPECT_FALSE(first.isActive('x'));
    // A never-assigned id read through the subscript is never active.
    EXPECT_FALSE(first['y'].isActive(fx::InputEvents(input)));

    input.keys = {sf::Keyboard::Space};
    poll();
    EXPECT_TRUE(first.isActive('H'));
    input.keys.clear();
    EXPECT_FALSE(first.isActive('H'));
}

TEST_F(GameActionMapperTest, DeactivatedMapperStoresNoEvents)
{
    first.deactivate();
    poll({keyEvent(sf::Keyboard::Return)});
    EXPECT_FALSE(first.isActive('R'));
    EXPECT_TRUE(second.isActive('R'));
    // Held input is not gated by the mapper's own flag.
    input.keys = {sf::Keyboard::Space};
    EXPECT_TRUE(first.isActive('H'));

    first.activate();
    poll();
    EXPECT_FALSE(first.isActive('R'));
    poll({keyEvent(sf::Keyboard::Return)});
    EXPECT_TRUE(first.isActive('R'));
}

TEST_F(GameActionMapperTest, NothingIsActiveWhileTheWindowHasNoFocus)
{
    input.keys = {sf::Keyboard::Space};
    poll({keyEvent(sf::Keyboard::Return)});
    input.focused = false;
    // The window layer stops polling the listeners: the last buffer stays.
    EXPECT_FALSE(first.isActive('R'));
    EXPECT_FALSE(first.isActive('H'));
    input.focused = true;
    EXPECT_TRUE(first.isActive('H'));
}

} // namespace
