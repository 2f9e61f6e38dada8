#include "framework/sfml/SfmlFramework.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/SfmlState.hpp"
#include "framework/sfml/X11Display.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <cmath>
#include <sstream>

const std::vector<std::pair<std::string, unsigned>> SfmlFramework::sFpsList = {
    {"30", 30},
    {"45", 45},
    {"60", 60},
};

sf::Texture SfmlFramework::genStaticTexture(const sf::Color& color)
{
    sf::Image image;
    image.create(1, 1, color);
    sf::Texture texture;
    texture.loadFromImage(image);
    return texture;
}

namespace {

// The largest window side X11 can describe (coordinates are 16-bit signed).
constexpr unsigned MaxWindowSide = 32767;

// A size of 0 (a missing or broken setting) or one X11 cannot make would give
// no window at all: such sizes become the default size.
std::pair<unsigned, unsigned> usableResolution(std::pair<unsigned, unsigned> size)
{
    if (size.first != 0 && size.second != 0 && size.first <= MaxWindowSide && size.second <= MaxWindowSide)
        return size;
    tools::log("SfmlFramework", "Resolution " + std::to_string(size.first) + "x" + std::to_string(size.second) +
                                    " is not usable, using " + std::to_string(SfmlFramework::DefaultWidth) + "x" +
                                    std::to_string(SfmlFramework::DefaultHeight));
    return {SfmlFramework::DefaultWidth, SfmlFramework::DefaultHeight};
}

// SFML 2.5 centres a new window vertically by the desktop's width, which puts
// the lower part of a window below a wide screen. A window larger than the
// desktop starts at its top-left corner.
sf::Vector2i centredOnDesktop(const sf::Vector2u& size)
{
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const auto offset = [](unsigned screen, unsigned window) {
        return screen > window ? static_cast<int>((screen - window) / 2) : 0;
    };
    return {offset(desktop.width, size.x), offset(desktop.height, size.y)};
}

} // namespace

// Built in this order on first use, not during static initialisation.
const SfmlStaticTexture SfmlFramework::sBlackTexture{[] { return genStaticTexture(sf::Color::Black); }};
const SfmlStaticTexture SfmlFramework::sWhiteTexture{[] { return genStaticTexture(sf::Color::White); }};
const SfmlStaticTexture SfmlFramework::sRedTexture{[] { return genStaticTexture(sf::Color::Red); }};
const SfmlStaticTexture SfmlFramework::sGreenTexture{[] { return genStaticTexture(sf::Color::Green); }};
const SfmlStaticTexture SfmlFramework::sBlueTexture{[] { return genStaticTexture(sf::Color::Blue); }};
const SfmlStaticTexture SfmlFramework::sCyanTexture{[] { return genStaticTexture(sf::Color::Cyan); }};
const SfmlStaticTexture SfmlFramework::sMagentaTexture{[] { return genStaticTexture(sf::Color::Magenta); }};
const SfmlStaticTexture SfmlFramework::sYellowTexture{[] { return genStaticTexture(sf::Color::Yellow); }};
const SfmlStaticTexture SfmlFramework::sTransparentTexture{[] { return genStaticTexture(sf::Color::Transparent); }};

SfmlFramework::SfmlFramework() = default;

SfmlFramework::~SfmlFramework()
{
    shutdown();
    colorblindShader.reset();
    // The music and the listener list go with the members; listeners are not
    // owned.
}

void SfmlFramework::init(SfmlFrameworkInitHelper* helper)
{
    if (initialised || !helper)
        return;
    tools::log("SfmlFramework", "init started");

    const std::pair<unsigned, unsigned> size = helper->getResolution();
    fullscreen = helper->isFullscreen();
    const float wantedFps = helper->getFPS();
    antiAliasing = helper->getFSAA();
    vsync = helper->isVsyncEnabled();
    windowTitle = helper->getWindowTitle();
    iconPath = helper->getWindowIconPath();
    keyRepeat = false;
    cursorVisible = helper->isMouseVisible();
    resizable = helper->isResizable();

    resolution = usableResolution(size);
    // Truncated toward zero; NaN, negative values, values below 1 and values
    // beyond unsigned would leave no usable frame time.
    if (std::isfinite(wantedFps) && wantedFps >= 1.0f && wantedFps < 4294967296.0f) {
        fps = static_cast<unsigned>(wantedFps);
    } else {
        std::ostringstream line;
        line << "Frame rate " << wantedFps << " is not usable, using " << DefaultFps;
        tools::log("SfmlFramework", line.str());
        fps = DefaultFps;
    }
    frameTime = 1.0f / static_cast<float>(fps);

    initialised = true;
    createWindow();
    // The first frame's mouse delta starts from where the mouse is now.
    if (window)
        mousePosition = sf::Mouse::getPosition();
    tools::log("SfmlFramework", "init ended");
}

void SfmlFramework::shutdown()
{
    if (!initialised)
        return;
    tools::log("SfmlFramework", "shutdown started");
    shutdownRenderWindow();
    initialised = false;
    tools::log("SfmlFramework", "shutdown ended");
}

void SfmlFramework::shutdownRenderWindow()
{
    window.reset();
}

sf::Uint32 SfmlFramework::getRenderWindowFlag() const
{
    sf::Uint32 style = sf::Style::Close;
    if (fullscreen)
        style |= sf::Style::Fullscreen;
    if (resizable)
        style |= sf::Style::Resize;
    return style;
}

SfmlState* SfmlFramework::setupState(SfmlState* state)
{
    if (state)
        state->sfmlFramework = this;
    return state;
}

void SfmlFramework::createWindow()
{
    // Settings changed before init are only stored; init opens the window.
    if (!initialised)
        return;

    // 32 bits per pixel asks for a framebuffer with alpha: the terrain blends
    // against the destination alpha.
    const sf::VideoMode mode(resolution.first, resolution.second, 32);
    const sf::ContextSettings settings(0, 0, antiAliasing, 2, 0);
    const sf::Uint32 style = getRenderWindowFlag();
    if (!window) {
        if (!isX11DisplayAvailable()) {
            tools::log("SfmlFramework", "No display: cannot open the window (is DISPLAY set?)");
            return;
        }
        window = std::make_unique<sf::RenderWindow>(mode, windowTitle, style, settings);
    } else {
        // In place, so pointers to the window stay valid.
        window->create(mode, windowTitle, style, settings);
    }
    if (!fullscreen)
        window->setPosition(centredOnDesktop(window->getSize()));

    applyFrameLimit();
    window->setVerticalSyncEnabled(vsync);
    window->setTitle(windowTitle);
    updateWindowIcon();
    window->setKeyRepeatEnabled(keyRepeat);
    window->setMouseCursorVisible(cursorVisible);

    // Listeners (the engine) answer with the GUI size and the view.
    sf::Event resized;
    resized.type = sf::Event::Resized;
    resized.size.width = window->getSize().x;
    resized.size.height = window->getSize().y;
    callListenersHandle(resized);
}

void SfmlFramework::applyFrameLimit()
{
    if (window)
        window->setFramerateLimit(fps);
}

void SfmlFramework::setResolution(std::pair<unsigned, unsigned> size)
{
    resolution = usableResolution(size);
    createWindow();
}

void SfmlFramework::setResolution(unsigned width, unsigned height)
{
    setResolution(std::make_pair(width, height));
}

void SfmlFramework::setFullscreen(bool on)
{
    if (on == fullscreen)
        return;
    fullscreen = on;
    createWindow();
}

void SfmlFramework::swapFullscreen()
{
    fullscreen = !fullscreen;
    createWindow();
}

void SfmlFramework::setFPS(unsigned n)
{
    if (n == 0) {
        tools::log("SfmlFramework", "Frame rate 0 is not usable, using " + std::to_string(DefaultFps));
        n = DefaultFps;
    }
    fps = n;
    frameTime = 1.0f / static_cast<float>(n);
    applyFrameLimit();
}

void SfmlFramework::setAntiAliasing(unsigned level)
{
    if (level == antiAliasing)
        return;
    antiAliasing = level;
    createWindow();
}

void SfmlFramework::setVsyncEnabled(bool on)
{
    if (on == vsync)
        return;
    vsync = on;
    if (window)
        window->setVerticalSyncEnabled(vsync);
}

void SfmlFramework::swapVsyncEnabled()
{
    setVsyncEnabled(!vsync);
}

void SfmlFramework::setWindowTitle(const std::string& title)
{
    windowTitle = title;
    if (window)
        window->setTitle(windowTitle);
}

void SfmlFramework::setIconPath(const std::string& path)
{
    iconPath = path;
    updateWindowIcon();
}

void SfmlFramework::updateWindowIcon()
{
    if (!window || iconPath.empty())
        return;
    sf::Image icon;
    if (!fx::loadImage(icon, iconPath) || icon.getSize().x == 0 || icon.getSize().y == 0) {
        // An empty icon would hand SFML a null pixel array.
        tools::log("SfmlFramework", "Window icon not set: cannot load \"" + iconPath + "\"");
        return;
    }
    window->setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
}

void SfmlFramework::setKeyRepeatEnabled(bool on)
{
    keyRepeat = on;
    if (window)
        window->setKeyRepeatEnabled(keyRepeat);
}

void SfmlFramework::swapKeyRepeatEnabled()
{
    setKeyRepeatEnabled(!keyRepeat);
}

void SfmlFramework::setCursorVisible(bool on)
{
    cursorVisible = on;
    if (window)
        window->setMouseCursorVisible(cursorVisible);
}

void SfmlFramework::swapCursorVisible()
{
    setCursorVisible(!cursorVisible);
}

void SfmlFramework::setWindowResizable(bool on)
{
    if (on == resizable)
        return;
    resizable = on;
    createWindow();
}

void SfmlFramework::swapWindowResizable()
{
    setWindowResizable(!resizable);
}

unsigned SfmlFramework::getPrimaryJoystick() const
{
    for (unsigned i = 0; i < sf::Joystick::Count; ++i)
        if (sf::Joystick::isConnected(i))
            return i;
    return sf::Joystick::Count;
}
