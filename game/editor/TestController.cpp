#include "game/editor/TestController.hpp"

#include "engine/GameFloatingTextEmitter.hpp"
#include "engine/GameFramework.hpp"
#include "engine/GamePhisicsComponent.hpp"
#include "engine/SfmlB2Renderer.hpp"
#include "framework/cegui/CeguiTransform.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/EditorColors.hpp"
#include "game/editor/TestShipObject.hpp"
#include "game/editor/model/ShipFiles.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Joystick.hpp>
#include <box2d/box2d.h>

namespace velk {

// Open Sans from Debian's fonts-open-sans; the game ships no copy of it.
const char* const TestController::DefaultFont = "/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf";

TestController::TestController(CeguiCanvasWidget* canvas, backend::ShipEntry* ship)
    : EditorController(ship), world(b2Vec2(0.0f, -5.0f)), canvasWidget(canvas)
{
    canvasWidget->addDrawer(this);
    updateWorldView();
    resizeConnection = canvasWidget->subscribeEvent(CEGUI::Element::EventSized,
                                                    CEGUI::Event::Subscriber(&TestController::onCanvasResize, this));
    initGroundObject();
    unsigned joystick = sf::Joystick::Count;
    for (unsigned id = 0; id < sf::Joystick::Count; ++id) {
        if (sf::Joystick::isConnected(id)) {
            joystick = id;
            break;
        }
    }
    actions['p'] = fx::InputAction(sf::Keyboard::F7, fx::InputAction::PressOnce);
    actions['r'] = fx::InputAction(fx::JoystickButton(joystick, 7), fx::InputAction::PressOnce) ||
                   fx::InputAction(sf::Keyboard::R, fx::InputAction::PressOnce);
    world.setDefaultFont(DefaultFont);
}

TestController::~TestController()
{
    if (CeguiCanvasWidget* attached = canvas())
        attached->removeDrawer(this);
}

void TestController::onActivate()
{
    EditorController::onActivate();
    initShip();
}

void TestController::onDeactivate()
{
    EditorController::onDeactivate();
}

void TestController::updateWorldView()
{
    const math::Vector2<float> corner = cvec2mvec(canvasWidget->getUnclippedOuterRect().get().getPosition());
    const math::Vector2<float> size = csize2mvec(canvasWidget->getPixelSize());
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    sf::Vector2f target(size.x, size.y);
    if (sfml && sfml->getWindow())
        target = sf::Vector2f(sfml->getRenderTarget().getSize());
    // A canvas or target without area keeps the last view; the next size event sets it.
    if (!(size.x > 0.0f) || !(size.y > 0.0f) || !(target.x > 0.0f) || !(target.y > 0.0f))
        return;
    sf::View& camera = world.getCamera();
    camera.setViewport(sf::FloatRect(corner.x / target.x, corner.y / target.y, size.x / target.x, size.y / target.y));
    camera.setSize(ViewWidth, ViewWidth * size.y / size.x);
    camera.setCenter(0.0f, -18.0f * size.y / size.x);
}

bool TestController::onCanvasResize(const CEGUI::EventArgs&)
{
    updateWorldView();
    return true;
}

void TestController::initGroundObject()
{
    b2BodyDef bodyDef;
    b2Body* body = world.getB2World()->CreateBody(&bodyDef);
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(-100.0f, 0.0f), b2Vec2(100.0f, 0.0f));
    b2FixtureDef fixture;
    fixture.shape = &edge;
    fixture.density = 0.0f;
    fixture.friction = 0.75f;
    body->CreateFixture(&fixture);
    if (ground)
        world.destroy(ground);
    ground = world.add(new GameObject());
    auto* component = new GamePhisicsComponent(body);
    ground->add(component);
    component->getShape().setSize(sf::Vector2f(200.0f, 100.0f));
    component->getShape().setOrigin(100.0f, 0.0f);
    component->getShape().setFillColor(testGroundColor);
}

void TestController::initShip()
{
    if (ship) {
        world.destroy(ship);
        ship = nullptr;
    }
    copyShip(*getShipEntry(), testEntry);
    testEntry.moveToCenter();
    auto* created = new TestShipObject(&testEntry);
    ship = created;
    world.add(created);
}

void TestController::togglePhysicsOverlay()
{
    world.setPhisicsDebugDrawEnabled(!world.isPhisicsDebugDrawEnabled());
    if (world.isPhisicsDebugDrawEnabled() && world.getPhisicsDebugDraw())
        world.getPhisicsDebugDraw()->SetFlags(b2Draw::e_shapeBit);
    if (GameFloatingTextEmitter* emitter = world.floatingTextEmitter()) {
        GameFloatingTextEmitter::EmittingDescription text;
        text.text = world.isPhisicsDebugDrawEnabled() ? "Phisics ON" : "Phisics OFF";
        if (ship)
            text.position = sf::Vector2f(ship->getPosition().x, ship->getPosition().y);
        text.scale = sf::Vector2f(0.5f, 0.5f);
        text.movement = sf::Vector2f(0.0f, 2.0f);
        text.startAlpha = 255;
        text.endAlpha = 0;
        emitter->emittMessage(text);
    }
}

void TestController::onUpdate(float dt)
{
    world.update(dt);
    if (actions.isActive('p'))
        togglePhysicsOverlay();
    if (actions.isActive('r'))
        initShip();
}

void TestController::drawToCanvas(CEGUI::Window*)
{
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (!sfml || !sfml->getWindow())
        return;
    sf::RenderTarget& target = sfml->getRenderTarget();
    target.draw(world, sf::RenderStates::Default);
}

} // namespace velk
