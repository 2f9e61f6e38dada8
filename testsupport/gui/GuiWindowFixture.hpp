#pragma once

// Window tests of the GUI: the program's window (SfmlFramework) with CEGUI on
// its OpenGL renderer, and pixel read-back of a finished frame.

#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiRender.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/window/XServerKeeper.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Shader.hpp>

#include <gtest/gtest.h>

namespace velk_test {

/// An 800 x 600 window with the game's GUI data loaded and a root window.
class GuiWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CEGUI::Window* createAt(const CEGUI::String& type, const CEGUI::String& name, CEGUI::Window* parent, float x,
                            float y, float w, float h);

    /// Draws one frame (background, GUI, then what `after` draws) and returns
    /// what the window shows.
    template <typename After>
    sf::Image frame(const sf::Color& background, const sf::Shader* shader, After after)
    {
        sf::RenderWindow& window = *sfml.getWindow();
        sfml.clear(background);
        renderCeguiGui(window, shader);
        after(window);
        return finishFrame();
    }

    sf::Image frame(const sf::Color& background = sf::Color(20, 30, 60))
    {
        return frame(background, nullptr, [](sf::RenderWindow&) {});
    }

    XServerKeeper keeper;
    TempFolder temp;
    SfmlFramework sfml;
    CeguiFramework cegui;
    CEGUI::Window* root = nullptr;

private:
    /// Reads the drawn frame back, then shows it.
    sf::Image finishFrame();
};

} // namespace velk_test
