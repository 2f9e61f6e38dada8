// GameFramework: window input handed to the GUI, and the key and mouse-button
// translations it uses.

#include "engine/GameFramework.hpp"

#include "framework/cegui/CeguiRender.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <CEGUI/GUIContext.h>
#include <CEGUI/System.h>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Mouse.hpp>

void GameFramework::handleSfEvent(const sf::Event& event)
{
    CEGUI::System* system = CEGUI::System::getSingletonPtr();
    CEGUI::GUIContext* context = system ? &system->getDefaultGUIContext() : nullptr;
    sf::RenderWindow* window = sfml ? sfml->getWindow() : nullptr;
    switch (event.type) {
    case sf::Event::KeyPressed:
        // Also Alt+F4 and Alt+Return reach the GUI.
        if (context)
            context->injectKeyDown(keyMap[event.key.code]);
        if (event.key.alt && sfml) {
            if (event.key.code == sf::Keyboard::F4) {
                if (sfml->isCloseEnabled() && window)
                    window->close();
            } else if (event.key.code == sf::Keyboard::Return) {
                sfml->swapFullscreen();
            }
        }
        break;
    case sf::Event::KeyReleased:
        if (context)
            context->injectKeyUp(keyMap[event.key.code]);
        break;
    case sf::Event::TextEntered:
        if (context)
            context->injectChar(static_cast<CEGUI::utf32>(event.text.unicode));
        break;
    case sf::Event::MouseMoved:
        if (context)
            context->injectMousePosition(static_cast<float>(event.mouseMove.x), static_cast<float>(event.mouseMove.y));
        break;
    case sf::Event::MouseWheelMoved:
        if (context)
            context->injectMouseWheelChange(static_cast<float>(event.mouseWheel.delta));
        break;
    case sf::Event::MouseButtonPressed:
        if (context)
            context->injectMouseButtonDown(mouseMap[event.mouseButton.button]);
        break;
    case sf::Event::MouseButtonReleased:
        if (context)
            context->injectMouseButtonUp(mouseMap[event.mouseButton.button]);
        break;
    case sf::Event::Resized: {
        const float width = static_cast<float>(event.size.width);
        const float height = static_cast<float>(event.size.height);
        notifyCeguiDisplaySize(width, height);
        // One view unit stays one pixel.
        if (window)
            window->setView(sf::View(sf::FloatRect(0.0f, 0.0f, width, height)));
        // A window made anew (Alt+Return, a new resolution) lies elsewhere on
        // the screen, and no move tells the GUI where the still mouse is now.
        if (context && window) {
            const sf::Vector2i mouse = sf::Mouse::getPosition(*window);
            context->injectMousePosition(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
        }
        break;
    }
    default: break;
    }
}

void GameFramework::initInputMaps()
{
    using K = sf::Keyboard;
    using S = CEGUI::Key;
    // Every key SFML has except LSystem, RSystem, Menu, Quote and Tilde, onto
    // CEGUI's scan code of the same physical key.
    keyMap = {
        {K::A, S::A},
        {K::B, S::B},
        {K::C, S::C},
        {K::D, S::D},
        {K::E, S::E},
        {K::F, S::F},
        {K::G, S::G},
        {K::H, S::H},
        {K::I, S::I},
        {K::J, S::J},
        {K::K, S::K},
        {K::L, S::L},
        {K::M, S::M},
        {K::N, S::N},
        {K::O, S::O},
        {K::P, S::P},
        {K::Q, S::Q},
        {K::R, S::R},
        {K::S, S::S},
        {K::T, S::T},
        {K::U, S::U},
        {K::V, S::V},
        {K::W, S::W},
        {K::X, S::X},
        {K::Y, S::Y},
        {K::Z, S::Z},
        {K::Num0, S::Zero},
        {K::Num1, S::One},
        {K::Num2, S::Two},
        {K::Num3, S::Three},
        {K::Num4, S::Four},
        {K::Num5, S::Five},
        {K::Num6, S::Six},
        {K::Num7, S::Seven},
        {K::Num8, S::Eight},
        {K::Num9, S::Nine},
        {K::Escape, S::Escape},
        {K::LControl, S::LeftControl},
        {K::LShift, S::LeftShift},
        {K::LAlt, S::LeftAlt},
        {K::RControl, S::RightControl},
        {K::RShift, S::RightShift},
        {K::RAlt, S::RightAlt},
        {K::LBracket, S::LeftBracket},
        {K::RBracket, S::RightBracket},
        {K::Semicolon, S::Semicolon},
        {K::Comma, S::Comma},
        {K::Period, S::Period},
        {K::Slash, S::Slash},
        {K::Backslash, S::Backslash},
        {K::Equal, S::Equals},
        {K::Hyphen, S::Minus},
        {K::Space, S::Space},
        {K::Enter, S::Return},
        {K::Backspace, S::Backspace},
        {K::Tab, S::Tab},
        {K::PageUp, S::PageUp},
        {K::PageDown, S::PageDown},
        {K::End, S::End},
        {K::Home, S::Home},
        {K::Insert, S::Insert},
        {K::Delete, S::Delete},
        {K::Add, S::Add},
        {K::Subtract, S::Subtract},
        {K::Multiply, S::Multiply},
        {K::Divide, S::Divide},
        {K::Left, S::ArrowLeft},
        {K::Right, S::ArrowRight},
        {K::Up, S::ArrowUp},
        {K::Down, S::ArrowDown},
        {K::Numpad0, S::Numpad0},
        {K::Numpad1, S::Numpad1},
        {K::Numpad2, S::Numpad2},
        {K::Numpad3, S::Numpad3},
        {K::Numpad4, S::Numpad4},
        {K::Numpad5, S::Numpad5},
        {K::Numpad6, S::Numpad6},
        {K::Numpad7, S::Numpad7},
        {K::Numpad8, S::Numpad8},
        {K::Numpad9, S::Numpad9},
        {K::F1, S::F1},
        {K::F2, S::F2},
        {K::F3, S::F3},
        {K::F4, S::F4},
        {K::F5, S::F5},
        {K::F6, S::F6},
        {K::F7, S::F7},
        {K::F8, S::F8},
        {K::F9, S::F9},
        {K::F10, S::F10},
        {K::F11, S::F11},
        {K::F12, S::F12},
        {K::F13, S::F13},
        {K::F14, S::F14},
        {K::F15, S::F15},
        {K::Pause, S::Pause},
    };
    mouseMap = {
        {sf::Mouse::Left, CEGUI::LeftButton},     {sf::Mouse::Right, CEGUI::RightButton},
        {sf::Mouse::Middle, CEGUI::MiddleButton}, {sf::Mouse::XButton1, CEGUI::X1Button},
        {sf::Mouse::XButton2, CEGUI::X2Button},
    };
}
