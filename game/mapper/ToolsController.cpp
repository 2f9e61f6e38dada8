#include "game/mapper/ToolsController.hpp"

#include "engine/GameFramework.hpp"
#include "framework/cegui/CeguiTransform.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/mapper/MapperInput.hpp"
#include "game/mapper/Tools.hpp"
#include "game/shell/Global.hpp"
#include "terrain/model/MapTile.hpp"

#include <CEGUI/CEGUI.h>

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace dunnix {

const char* const ToolsController::CanvasPath = "Toolbar/Tiles/__auto_contentpane__/Selector";
const char* const ToolsController::BrushSpinnerPath = "Toolbar/Tiles/__auto_contentpane__/Brush/Spinner";

namespace {

/// The partial tiles in rows of four (each row one shape turned four times),
/// then the markers a map holds for play.
const unsigned char gridTiles[] = {
    2, 10, 18, 26, 9, 17, 25, 33, 6, 14, 22, 30, 3,  11, 19, 27, 8,  16, 24, 32,
    5, 13, 21, 29, 4, 12, 20, 28, 7, 15, 23, 31, 34, 35, 36, 37, 38, 39, 40,
};
const unsigned int gridButtons = 40;

CEGUI::Window* guiRoot()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

} // namespace

ToolsController::ToolsController(Tools* tools, TileMap* map) : MapperController(tools, map)
{
    canvasWindow = guiRoot()->getChild(CanvasPath);
    connections.addConnection(canvasWindow->subscribeEvent(
        CEGUI::Window::EventMouseClick, CEGUI::Event::Subscriber(&ToolsController::onToolsMouseClick, this)));
    connections.addConnection(canvasWindow->subscribeEvent(
        CEGUI::Window::EventMouseWheel, CEGUI::Event::Subscriber(&ToolsController::onToolsMouseWheel, this)));
    connections.addConnection(canvasWindow->subscribeEvent(
        CEGUI::Element::EventSized, CEGUI::Event::Subscriber(&ToolsController::onToolsSizeChanged, this)));
    static_cast<CeguiCanvasWidget*>(canvasWindow)->addDrawer(this);

    CEGUI::Window* spinner = guiRoot()->getChild(BrushSpinnerPath);
    connections.addConnection(spinner->subscribeEvent(
        CEGUI::Spinner::EventValueChanged, CEGUI::Event::Subscriber(&ToolsController::onBrushSizeChanged, this)));
    takeBrushSize(spinner);
    layoutButtons();
}

ToolsController::~ToolsController()
{
    buttons.clear();
}

unsigned char ToolsController::index2tile(unsigned int index) const
{
    return index < sizeof(gridTiles) ? gridTiles[index] : MapTileCodes::Empty;
}

void ToolsController::setItemHeight(float height)
{
    itemHeight = std::max(height, 0.0f);
}

void ToolsController::layoutButtons()
{
    const float width = canvasWindow->getPixelSize().d_width;
    const float h = itemHeight;
    auto full = std::make_unique<ToolsTileButton>(MapTileCodes::Full);
    full->setSize({width, h});
    full->activate();
    buttons.push_back(std::move(full));
    for (unsigned int i = 0; i < gridButtons; ++i) {
        const unsigned char tile = index2tile(i);
        auto button = std::make_unique<ToolsTileButton>(tile);
        // Rows of four with a blank row after every two rows.
        button->setPosition({static_cast<float>(i % 4) * width * 0.25f, h * static_cast<float>(i / 4 + i / 8 + 2)});
        button->setSize({width * 0.25f, h});
        button->setColor(velk::colorForMapTile(tile));
        button->getShape().setTexture(getTextureForTile(tile));
        button->getShape().setTextureRect(getTextureRectForTile(tile));
        contentBottom = std::max(contentBottom, button->getPosition().y + button->getSize().y);
        buttons.push_back(std::move(button));
    }
}

void ToolsController::markButtons()
{
    for (const auto& button : buttons)
        button->setActive(button->getTile() == tools->getTileType());
}

void ToolsController::selectTool(int tile)
{
    tools->setTileType(static_cast<unsigned char>(tile));
    markButtons();
}

void ToolsController::selectToolAt(const math::Vector2<float>& point)
{
    for (const auto& button : buttons) {
        if (button->isInside(point))
            selectTool(button->getTile());
    }
}

float ToolsController::canvasHeight() const
{
    return canvasWindow->getPixelSize().d_height;
}

void ToolsController::scrollToolsBy(float delta)
{
    const float limit = std::max(contentBottom - canvasHeight(), 0.0f);
    scrollOffset = std::min(std::max(scrollOffset + delta, 0.0f), limit);
}

void ToolsController::takeBrushSize(CEGUI::Window* spinner)
{
    const double value = static_cast<CEGUI::Spinner*>(spinner)->getCurrentValue();
    tools->setBrushSize(spinnerToInt(value, BrushSizeRange));
}

bool ToolsController::onToolsMouseClick(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    const CEGUI::Rectf rect = canvasWindow->getUnclippedOuterRect().get();
    const math::Vector2<float> point = cvec2mvec(mouse.position) - math::Vector2<float>(rect.left(), rect.top());
    selectToolAt(point + math::Vector2<float>(0.0f, scrollOffset));
    return true;
}

bool ToolsController::onToolsMouseWheel(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    scrollToolsBy(-WheelStep * mouse.wheelChange);
    return true;
}

bool ToolsController::onToolsSizeChanged(const CEGUI::EventArgs&)
{
    scrollToolsBy(0.0f);
    return true;
}

bool ToolsController::onBrushSizeChanged(const CEGUI::EventArgs& args)
{
    takeBrushSize(static_cast<const CEGUI::WindowEventArgs&>(args).window);
    return true;
}

void ToolsController::onUpdate(float)
{
    const unsigned char tile = tools->getTileType();
    if (!seenTile) {
        seenTile = true;
        lastTile = tile;
    }
    if (tile != lastTile)
        selectTool(tile);
    lastTile = tile;
}

void ToolsController::drawToCanvas(CEGUI::Window*)
{
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (!sfml || !sfml->getWindow())
        return;
    sf::RenderTarget& target = sfml->getRenderTarget();
    target.pushGLStates();
    target.resetGLStates();
    const CEGUI::Rectf rect = canvasWindow->getUnclippedOuterRect().get();
    sf::RenderStates states;
    states.transform.translate(rect.left(), rect.top() - scrollOffset);
    for (const auto& button : buttons)
        target.draw(*button, states);
    target.popGLStates();
}

} // namespace dunnix
