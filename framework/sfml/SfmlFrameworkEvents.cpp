// SfmlFramework: the event poll, the listeners, the frame's clear and display,
// the screenshot and the mouse.

#include "framework/sfml/SfmlFramework.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/sfml/Clipboard.hpp"

#include <SFML/Audio/Listener.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Mouse.hpp>

bool SfmlFramework::pollEvent()
{
    if (!window || !window->isOpen())
        return false;

    actionMap.clearEvents();
    if (focused) {
        callListenersPreHandle();
        updateMouse();
    }

    sf::Event event;
    while (window->pollEvent(event)) {
        switch (event.type) {
        case sf::Event::Closed:
            if (closeEnabled) {
                window->close();
                return false;
            }
            break;
        case sf::Event::GainedFocus:
            focused = true;
            window->setMouseCursorVisible(cursorVisible);
            mouseDelta = {0, 0};
            // Movement while the window was in the background is no input.
            mousePosition = sf::Mouse::getPosition();
            sf::Listener::setGlobalVolume(mainVolume);
            actionMap.events().setFocus(true);
            break;
        case sf::Event::LostFocus:
            focused = false;
            window->setMouseCursorVisible(true);
            mouseDelta = {0, 0};
            sf::Listener::setGlobalVolume(0.0f);
            // Held keys read as released while the window is in the background.
            actionMap.events().setFocus(false);
            continue;
        default: break;
        }
        if (!focused)
            continue;
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::F11) {
            tools::log("Sfml", "Screenshot");
            // Taken in display(), from the finished frame: what the window
            // holds between two frames is undefined after a buffer swap.
            screenshotPending = true;
        }
        actionMap.pushEvent(event);
        callListenersHandle(event);
        // A listener may have closed or deleted the window; the next poll
        // reports it.
        if (!window || !window->isOpen())
            break;
    }
    return true;
}

void SfmlFramework::addListener(SfmlEventListener* listener)
{
    listeners.add(listener);
}

void SfmlFramework::removeListener(SfmlEventListener* listener)
{
    listeners.remove(listener);
}

void SfmlFramework::removeAllListeners()
{
    listeners.clear();
}

void SfmlFramework::callListenersPreHandle()
{
    listeners.forEach([](SfmlEventListener& listener) { listener.beforeSfHandle(); });
}

void SfmlFramework::callListenersHandle(const sf::Event& event)
{
    if (!focused)
        return;
    listeners.forEach([&event](SfmlEventListener& listener) { listener.handleSfEvent(event); });
}

void SfmlFramework::clear(const sf::Color& color)
{
    if (!window)
        return;
    window->setActive(true);
    window->clear(color);
}

void SfmlFramework::display()
{
    if (!window)
        return;
    if (screenshotPending) {
        screenshotPending = false;
        takeScreenshot();
    }
    // The context stays current: GUI code between frames (event handlers
    // filling lists, screens starting and ending) makes textures such as
    // new glyph pages, and without a current context they cannot be made.
    window->display();
}

void SfmlFramework::takeScreenshot()
{
    const sf::Vector2u size = window->getSize();
    sf::Texture frame;
    if (size.x == 0 || size.y == 0 || !frame.create(size.x, size.y)) {
        tools::log("Sfml", "Screenshot failed: cannot read the window");
        return;
    }
    window->setActive(true);
    frame.update(*window);
    copyImageToClipboard(frame.copyToImage());
}

sf::Vector2i SfmlFramework::getMousePosition() const
{
    return sf::Mouse::getPosition();
}

sf::Vector2i SfmlFramework::getMouseRelativePosition() const
{
    if (!window)
        return sf::Mouse::getPosition();
    return sf::Mouse::getPosition(*window);
}

void SfmlFramework::setMousePosition(const sf::Vector2i& p)
{
    sf::Mouse::setPosition(p);
    mouseDelta = {0, 0};
    mousePosition = sf::Mouse::getPosition();
}

void SfmlFramework::setMouseRelativePosition(const sf::Vector2i& p)
{
    if (window)
        sf::Mouse::setPosition(p, *window);
    else
        sf::Mouse::setPosition(p);
    mouseDelta = {0, 0};
    mousePosition = sf::Mouse::getPosition();
}

void SfmlFramework::moveMouseTo(const sf::Vector2i& p)
{
    sf::Mouse::setPosition(p);
    updateMouse();
}

void SfmlFramework::moveMouseRelativeTo(const sf::Vector2i& p)
{
    if (window)
        sf::Mouse::setPosition(p, *window);
    else
        sf::Mouse::setPosition(p);
    updateMouse();
}

void SfmlFramework::updateMouse()
{
    const sf::Vector2i now = sf::Mouse::getPosition();
    mouseDelta = now - mousePosition;
    mousePosition = now;
}
