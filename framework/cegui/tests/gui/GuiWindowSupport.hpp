#pragma once

// Window tests: the program's window (SfmlFramework) with CEGUI on its
// OpenGL renderer, and pixel read-back of a finished frame.

// Before anything that includes gl.h.
#include "../demo/GuiInitHelpers.hpp"

#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiRender.hpp"

#include "XServerKeeper.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velk_gui_test {

/// An 800 x 600 window with the game's GUI data loaded and a root window.
class GuiWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keeper.connected()) << "no display";
        logPath = (std::filesystem::temp_directory_path() / ("velk-gui-test-" + std::to_string(::getpid()) + ".log")).string();
        WindowHelper windowHelper;
        sfml.init(&windowHelper);
        ASSERT_NE(sfml.getWindow(), nullptr) << "no display";
        GlInitHelper guiHelper(sfml, logPath);
        cegui.init(&guiHelper);
        ASSERT_TRUE(cegui.isInitialised());
        notifyCeguiDisplaySize(800, 600);
        root = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Root");
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
    }

    void TearDown() override
    {
        cegui.shutdown();
        sfml.shutdown();
        std::error_code ignored;
        std::filesystem::remove(logPath, ignored);
    }

    CEGUI::Window* createAt(const CEGUI::String& type, const CEGUI::String& name, CEGUI::Window* parent, float x,
                            float y, float w, float h)
    {
        CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type, name);
        window->setArea(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)),
                        CEGUI::USize(CEGUI::UDim(0, w), CEGUI::UDim(0, h)));
        (parent ? parent : root)->addChild(window);
        return window;
    }

    /// Draws one frame (background, GUI, then what `after` draws) and returns
    /// what the window shows.
    template <typename After>
    sf::Image frame(const sf::Color& background, const sf::Shader* shader, After after)
    {
        sf::RenderWindow& window = *sfml.getWindow();
        sfml.clear(background);
        renderCeguiGui(window, shader);
        after(window);
        sf::Texture grab;
        grab.create(window.getSize().x, window.getSize().y);
        grab.update(window);
        sfml.display();
        return grab.copyToImage();
    }

    sf::Image frame(const sf::Color& background = sf::Color(20, 30, 60))
    {
        return frame(background, nullptr, [](sf::RenderWindow&) {});
    }

    XServerKeeper keeper;
    std::string logPath;
    SfmlFramework sfml;
    CeguiFramework cegui;
    CEGUI::Window* root = nullptr;
};

} // namespace velk_gui_test
