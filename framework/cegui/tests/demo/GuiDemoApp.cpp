#include "GuiDemoApp.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiRender.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "testsupport/gui/GuiInitHelpers.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

#include <fstream>

namespace {

CEGUI::MouseButton ceguiButton(sf::Mouse::Button button)
{
    switch (button) {
    case sf::Mouse::Left: return CEGUI::LeftButton;
    case sf::Mouse::Right: return CEGUI::RightButton;
    case sf::Mouse::Middle: return CEGUI::MiddleButton;
    default: return CEGUI::NoButton;
    }
}

} // namespace

GuiDemoApp::GuiDemoApp(Options options) : options(std::move(options)) {}

GuiDemoApp::~GuiDemoApp()
{
    sfml.removeListener(this);
}

int GuiDemoApp::run()
{
    velk_test::WindowHelper sfmlHelper;
    sfml.init(&sfmlHelper);
    if (!sfml.getWindow()) {
        tools::log("GuiDemo", "No window could be opened");
        return 1;
    }
    velk_test::GlInitHelper ceguiHelper(sfml, options.guiLogPath);
    cegui.init(&ceguiHelper);
    if (!cegui.isInitialised() || !buildGui()) {
        return 1;
    }
    sfml.addListener(this);

    bool first = true;
    while (!quit && sfml.pollEvent()) {
        drawScene();
        if (first) {
            first = false;
            report("ready");
        }
        if (recreatePending) {
            recreatePending = false;
            recreateWindow();
        }
    }
    sfml.removeListener(this);
    if (CEGUI::Window* canvas = cegui.getWindow("Panel/Canvas")) {
        static_cast<CeguiCanvasWidget*>(canvas)->removeDrawer(this);
    }
    cegui.shutdown();
    sfml.shutdown();
    tools::log("GuiDemo", "ended");
    return 0;
}

bool GuiDemoApp::buildGui()
{
    const sf::Vector2u size = sfml.getWindow()->getSize();
    notifyCeguiDisplaySize(static_cast<float>(size.x), static_cast<float>(size.y));
    auto* provider = static_cast<CEGUI::DefaultResourceProvider*>(CEGUI::System::getSingleton().getResourceProvider());
    provider->setResourceGroupDirectory("Demo", std::string(VELK_SOURCE_DIR) + "/framework/cegui/tests/demo");
    try {
        CEGUI::System::getSingleton().executeScriptFile("demo.lua", "Demo");
        auto* canvas = dynamic_cast<CeguiCanvasWidget*>(cegui.getWindow("Panel/Canvas"));
        if (!canvas) {
            tools::log("GuiDemo", "Panel/Canvas is not a canvas");
            return false;
        }
        canvas->addDrawer(this);
        cegui.getWindow("Panel/Click")
            ->subscribeEvent(CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&GuiDemoApp::onClick, this));
    } catch (const CEGUI::Exception& error) {
        tools::log("GuiDemo", "GUI script failed: " + ceguiStringToUtf8(error.getMessage()));
        return false;
    }
    return true;
}

void GuiDemoApp::handleSfEvent(const sf::Event& event)
{
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    switch (event.type) {
    case sf::Event::MouseMoved:
        context.injectMousePosition(static_cast<float>(event.mouseMove.x), static_cast<float>(event.mouseMove.y));
        break;
    case sf::Event::MouseButtonPressed:
        context.injectMousePosition(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y));
        context.injectMouseButtonDown(ceguiButton(event.mouseButton.button));
        break;
    case sf::Event::MouseButtonReleased:
        context.injectMousePosition(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y));
        context.injectMouseButtonUp(ceguiButton(event.mouseButton.button));
        break;
    case sf::Event::MouseWheelScrolled: context.injectMouseWheelChange(event.mouseWheelScroll.delta); break;
    case sf::Event::TextEntered: context.injectChar(event.text.unicode); break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::Escape) {
            quit = true;
        } else if (event.key.code == sf::Keyboard::F2) {
            // Not inside the event walk: the window it belongs to goes away.
            recreatePending = true;
        }
        break;
    case sf::Event::Resized:
        notifyCeguiDisplaySize(static_cast<float>(event.size.width), static_cast<float>(event.size.height));
        break;
    default: break;
    }
}

void GuiDemoApp::drawToCanvas(CEGUI::Window*)
{
    // Far larger than the canvas: only the scissor box keeps it inside.
    sf::RenderWindow& window = *sfml.getWindow();
    window.pushGLStates();
    sf::RectangleShape everything(sf::Vector2f(4000, 4000));
    everything.setPosition(-1000, -1000);
    everything.setFillColor(sf::Color::Red);
    window.draw(everything);
    window.popGLStates();
}

void GuiDemoApp::drawScene()
{
    sf::RenderWindow& window = *sfml.getWindow();
    sfml.clear(sf::Color(20, 30, 60));
    sf::CircleShape sun(30);
    sun.setPosition(10, 10);
    sun.setFillColor(sf::Color::Green);
    window.draw(sun);

    const float step = sfml.getFrameTime();
    CEGUI::System::getSingleton().injectTimePulse(step);
    CEGUI::System::getSingleton().getDefaultGUIContext().injectTimePulse(step);
    renderCeguiGui(window);
    sfml.display();
}

bool GuiDemoApp::onClick(const CEGUI::EventArgs&)
{
    ++clicks;
    tools::log("GuiDemo", "button clicked");
    cegui.getWindow("Panel/Status")->setText("Clicks: " + CEGUI::PropertyHelper<int>::toString(clicks));
    report("clicked");
    return true;
}

void GuiDemoApp::recreateWindow()
{
    const auto [width, height] = sfml.getResolution();
    const unsigned newWidth = width == 800 ? 1024 : 800;
    const unsigned newHeight = height == 600 ? 768 : 600;
    sfml.setResolution(newWidth, newHeight);
    if (!sfml.getWindow()) {
        tools::log("GuiDemo", "The window could not be re-created");
        quit = true;
        return;
    }
    sfml.getWindow()->setActive(true);
    notifyCeguiDisplaySize(static_cast<float>(newWidth), static_cast<float>(newHeight));
    drawScene();
    report("recreated " + std::to_string(newWidth) + "x" + std::to_string(newHeight));
}

void GuiDemoApp::report(const std::string& line)
{
    tools::log("GuiDemo", line);
    if (!options.outPath.empty()) {
        std::ofstream out(options.outPath, std::ios::app);
        out << line << std::endl;
    }
}
