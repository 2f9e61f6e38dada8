#include "engine/GameFloatingText.hpp"
#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameWorld.hpp"
#include "testsupport/LogCapture.hpp"

#include <gtest/gtest.h>

namespace {

using Description = GameFloatingTextEmitter::EmittingDescription;

class GameFloatingTextTest : public ::testing::Test {
protected:
    GameFloatingText* emit(const std::string& text, float lifetime, sf::Uint8 startAlpha = 255, sf::Uint8 endAlpha = 0)
    {
        Description d;
        d.text = text;
        d.position = sf::Vector2f(2, 3);
        d.movement = sf::Vector2f(0, 2);
        d.startAlpha = startAlpha;
        d.endAlpha = endAlpha;
        d.lifetime = sf::seconds(lifetime);
        d.color = sf::Color(10, 20, 30);
        emitter().emittMessage(d);
        return static_cast<GameFloatingText*>(emitter().getResources().back());
    }
    GameFloatingTextEmitter& emitter() { return *world.floatingTextEmitter(); }
    std::vector<std::string> texts()
    {
        std::vector<std::string> out;
        for (GameComponent* c : emitter().getResources())
            out.push_back(static_cast<GameFloatingText*>(c)->text().getString().toAnsiString());
        return out;
    }

    velk_test::LogCapture log;
    GameWorld world{b2Vec2(0, 0)};
};

TEST_F(GameFloatingTextTest, DescriptionDefaults)
{
    const Description d;
    EXPECT_TRUE(d.text.empty());
    EXPECT_EQ(d.font, nullptr);
    EXPECT_EQ(d.scale, sf::Vector2f(1, 1));
    EXPECT_EQ(d.color, sf::Color::White);
    EXPECT_EQ(d.startAlpha, 255);
    EXPECT_EQ(d.endAlpha, 255);
    EXPECT_EQ(d.lifetime, sf::seconds(1));
    EXPECT_EQ(emitter().getDefaultText().getCharacterSize(), 32u);
}

TEST_F(GameFloatingTextTest, EmittedTextStartsAtItsPointWithStartAlpha)
{
    GameFloatingText* text = emit("Phisics ON", 1.0f, 200, 0);
    EXPECT_EQ(text->getObject(), &emitter());
    EXPECT_EQ(text->getPosition(), math::Vector2<float>(2, 3));
    EXPECT_EQ(text->movement, math::Vector2<float>(0, 2));
    EXPECT_EQ(text->text().getFillColor(), sf::Color(10, 20, 30, 200));
    EXPECT_FLOAT_EQ(text->getProgress(), 0.0f);
    // No default font was named: the text is kept but cannot be shown.
    EXPECT_EQ(text->text().getFont(), nullptr);
    EXPECT_TRUE(log.contains("No font for the text \"Phisics ON\""));
}

TEST_F(GameFloatingTextTest, FadesLinearlyAndExpiresOnlyPastItsLifetime)
{
    GameFloatingText* text = emit("x", 1.0f);
    world.update(0.5f);
    EXPECT_FLOAT_EQ(text->getProgress(), 0.5f);
    EXPECT_EQ(text->text().getFillColor().a, 127);
    world.update(0.5f);
    // Exactly at its lifetime: still there, with the end alpha.
    ASSERT_EQ(emitter().getNumberOfComponents(), 1);
    EXPECT_FALSE(text->isExpired());
    EXPECT_EQ(text->text().getFillColor().a, 0);
    world.update(0.001f);
    EXPECT_EQ(emitter().getNumberOfComponents(), 0);
}

TEST_F(GameFloatingTextTest, TextsExpiringTogetherGoTogetherOthersKeepOrder)
{
    emit("a", 0.5f);
    emit("b", 2.0f);
    emit("c", 0.25f);
    emit("d", 1.0f);
    world.update(0.6f);
    EXPECT_EQ(texts(), (std::vector<std::string>{"b", "d"}));
    emit("e", 0.1f);
    world.update(0.6f);
    EXPECT_EQ(texts(), (std::vector<std::string>{"b"}));
}

TEST_F(GameFloatingTextTest, DefaultAlphasDriftWithoutFading)
{
    GameFloatingText* text = emit("x", 1.0f, 255, 255);
    world.update(0.7f);
    EXPECT_EQ(text->text().getFillColor().a, 255);
}

TEST_F(GameFloatingTextTest, InactiveEmitterFreezesTexts)
{
    GameFloatingText* text = emit("x", 0.1f);
    emitter().deactivate();
    world.update(1.0f);
    ASSERT_EQ(emitter().getNumberOfComponents(), 1);
    EXPECT_FLOAT_EQ(text->getProgress(), 0.0f);
    emitter().activate();
    world.update(1.0f);
    EXPECT_EQ(emitter().getNumberOfComponents(), 0);
}

TEST_F(GameFloatingTextTest, TextIsReadAsUtf8)
{
    GameFloatingText* text = emit("Pont: \xC5\x91\xC5\xB1\xC3\xA1", 1.0f);
    const sf::String shown = text->text().getString();
    ASSERT_EQ(shown.getSize(), 9u);
    EXPECT_EQ(shown[6], 0x151u); // o with double acute
    EXPECT_EQ(shown[7], 0x171u); // u with double acute
    EXPECT_EQ(shown[8], 0xE1u);
}

TEST_F(GameFloatingTextTest, ZeroLifetimeKeepsAlphaInRange)
{
    GameFloatingText* text = emit("x", 0.0f, 255, 0);
    EXPECT_EQ(text->text().getFillColor().a, 0);
    world.update(0.01f);
    EXPECT_EQ(emitter().getNumberOfComponents(), 0);
}

} // namespace
