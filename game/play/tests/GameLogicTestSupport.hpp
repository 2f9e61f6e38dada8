#pragma once

#include "game/play/GameLogic.hpp"
#include "game/play/tests/PlayTestSupport.hpp"
#include "terrain/model/TileMap.hpp"
#include "testsupport/LogCapture.hpp"

#include <SFML/Window/Event.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace playtest {

/// A game of the rules on the shipped data, without a display.
class GameLogicTest : public ::testing::Test {
protected:
    void SetUp() override { loadCatalogue(); }

    void start(const std::string& ship, const std::string& map)
    {
        game = std::make_unique<velk::GameLogic>("data/ships/" + ship, "data/map/" + map, input);
        // A font's glyphs are textures, which need a display: texts stay unshown.
        game->world().setDefaultFont("data/no-display.ttf");
    }

    /// A key press in this frame's events of the rules.
    void press(sf::Keyboard::Key key)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {key, false, false, false, false};
        game->actions().beforeSfHandle();
        game->actions().handleSfEvent(event);
    }

    /// Copies a map with every cell of the given codes emptied.
    static void writeMapWithout(const std::string& from, const std::string& to, const std::vector<unsigned char>& codes)
    {
        TileMap map;
        ASSERT_TRUE(map.loadFromFile(from));
        for (unsigned x = 0; x < map.getSize().x; ++x)
            for (unsigned y = 0; y < map.getSize().y; ++y)
                for (unsigned char code : codes)
                    if (map.getTile(x, y) == code)
                        map.getTile(x, y) = 0;
        ASSERT_TRUE(map.saveToFile(to));
    }

    /// A map `width` cells wide: ground below row 20, a start marker above it.
    static void writeNarrowMap(const std::string& path, unsigned width)
    {
        TileMap map(width, 30);
        for (unsigned x = 0; x < width; ++x)
            for (unsigned y = 20; y < 30; ++y)
                map.getTile(x, y) = 1;
        map.getTile(width / 2, 10) = 34;
        ASSERT_TRUE(map.saveToFile(path));
    }

    RuntimeFolder runtime;
    velk_test::LogCapture log;
    FakeInput input;
    std::unique_ptr<velk::GameLogic> game;
};

} // namespace playtest
