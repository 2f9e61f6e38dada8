#include "game/editor/TextureController.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/math/Polygon.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiGridLayout.hpp"
#include "framework/cegui/CeguiPictureImage.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/cegui/CeguiTransform.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/model/ShipFiles.hpp"
#include "game/shell/FolderFiles.hpp"
#include "game/shell/Global.hpp"
#include "game/ship/backend/ShipEntry.hpp"

#include <CEGUI/CEGUI.h>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/OpenGL.hpp>
#include <filesystem>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

CEGUI::Window* rootWindow()
{
    return CEGUI::System::getSingleton().getDefaultGUIContext().getRootWindow();
}

const char* const PreviewImagePrefix = "EditorTexture";

} // namespace

TextureController::TextureController(CeguiCanvasWidget* canvas, backend::ShipEntry* ship)
    : EditorController(ship), canvasWidget(canvas), shape(sf::Triangles), colorWidgets(this)
{
    grid.zoomMin = MinScale;
    grid.zoomMax = MaxScale;
    canvasWidget->addDrawer(this);
    connectToCanvas();
    connectToZoomButtons();
    connectToColor();
    connectToTextures();
    setupOnlyThisWindows();
}

TextureController::~TextureController()
{
    disconnectFromGui();
    // Each preview image has a texture of its own under the image's name,
    // which destroying the images alone would leave behind: the next visit
    // could then not make the preview again.
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    CEGUI::Renderer& renderer = *CEGUI::System::getSingleton().getRenderer();
    for (const CEGUI::String& image : previewImages) {
        if (images.isDefined(image))
            images.destroy(image);
        if (renderer.isTextureDefined(image))
            renderer.destroyTexture(image);
    }
}

void TextureController::connectToGui()
{
    canvasWidget->addDrawer(this);
    connectToCanvas();
    connectToZoomButtons();
    connectToColor();
    setupOnlyThisWindows();
}

void TextureController::disconnectFromGui()
{
    if (CeguiCanvasWidget* attached = canvas())
        attached->removeDrawer(this);
    connections.clear();
}

void TextureController::connectToCanvas()
{
    auto keep = [this](const CEGUI::Event::Connection& connection) {
        connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(connection));
    };
    keep(canvasWidget->subscribeEvent(CEGUI::Window::EventMouseMove,
                                      CEGUI::Event::Subscriber(&TextureController::onCanvasMouseMove, this)));
    keep(canvasWidget->subscribeEvent(CEGUI::Window::EventMouseWheel,
                                      CEGUI::Event::Subscriber(&TextureController::onCanvasMouseWheel, this)));
    keep(canvasWidget->subscribeEvent(CEGUI::Element::EventSized,
                                      CEGUI::Event::Subscriber(&TextureController::onCanvasResize, this)));
}

void TextureController::connectToZoomButtons()
{
    CeguiFramework* gui = GameFramework::Singleton.getCeguiFramework();
    connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(
        gui->getWindow("Center/Tools/Buttons/Lower/Texturer/ZoomFillButton")
            ->subscribeEvent(CEGUI::PushButton::EventClicked,
                             CEGUI::Event::Subscriber(&TextureController::onFillZoomButton, this))));
    connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(
        gui->getWindow("Center/Tools/Buttons/Lower/Texturer/Zoom1Button")
            ->subscribeEvent(CEGUI::PushButton::EventClicked,
                             CEGUI::Event::Subscriber(&TextureController::onUnitZoomButton, this))));
}

void TextureController::connectToColor()
{
    colorWidgets.connectTo(rootWindow()->getChild("Center/Tools/ShipColor/__auto_contentpane__"));
}

void TextureController::connectToTextures()
{
    // One button per hull texture, each naming its file.
    auto* tabs = static_cast<CEGUI::TabControl*>(rootWindow()->getChild("Center/Inventory/OutfitTabs"));
    if (tabs->getTabCount() == 0)
        return;
    CEGUI::Window* scroll = tabs->getTabContentsAtIndex(0)->getChild("Scroll");
    CEGUI::Window* container = scroll->getChild("__auto_container__");
    CeguiGridLayout* layout = GameFramework::Singleton.getCeguiFramework()->crateGridLayout(container,
                                                                                            CeguiGridLayout::Cells);
    layout->setItemsPerLine(2);
    layout->setSpacing(CEGUI::UVector2(CEGUI::UDim(0, 12), CEGUI::UDim(0, 12)));
    layout->setMargin(CEGUI::UBox(CEGUI::UDim(0, 10), CEGUI::UDim(0, 10), CEGUI::UDim(0, 0), CEGUI::UDim(0, 22)));
    layout->setAspectRatio(1.0f);
    std::vector<std::string> files = getFilesInFolder(TexturePath, ".png");
    std::sort(files.begin(), files.end());
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    for (const std::string& file : files) {
        CEGUI::Window* button = windows.createWindow("GWEN/Button", "");
        button->setUserString("File", utf8ToCeguiString(file));
        button->setText(utf8ToCeguiString(std::filesystem::path(file).stem().string()));
        showTextsVerbatim(button);
        button->setProperty("VertLabelFormatting", "BottomAligned");
        const CEGUI::String image = CEGUI::String(PreviewImagePrefix) + "/" + utf8ToCeguiString(file);
        try {
            if (!images.isDefined(image)) {
                previewImages.push_back(image);
                addImageFromPictureFile(image, TexturePath + "/" + file);
            }
            CEGUI::Window* preview = windows.createWindow("GWEN/StaticImage", "Preview");
            preview->setArea(
                CEGUI::URect(CEGUI::UDim(0, 6), CEGUI::UDim(0, 6), CEGUI::UDim(1, -6), CEGUI::UDim(1, -22)));
            preview->setProperty("Image", image);
            preview->setProperty("FrameEnabled", "false");
            preview->setProperty("BackgroundEnabled", "false");
            preview->setMousePassThroughEnabled(true);
            button->addChild(preview);
        } catch (const CEGUI::Exception& error) {
            tools::log("Editor", "No preview of hull texture \"" + file + "\": " + error.getMessage().c_str());
        }
        connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(button->subscribeEvent(
            CEGUI::PushButton::EventClicked, CEGUI::Event::Subscriber(&TextureController::onTextureButton, this))));
        scroll->addChild(button);
        buttons.push_back(button);
    }
    layout->forceUpdate();
}

void TextureController::setupOnlyThisWindows()
{
    const char* const paths[] = {
        "Center/Inventory/OutfitTabs",
        "Center/Tools/Buttons/Upper/UndoButton",
        "Center/Tools/Buttons/Upper/RedoButton",
        "Center/Tools/Buttons/Lower/Texturer",
        "Center/Tools/ShipColor",
        "Center/Stats/ShipMenu",
    };
    for (const char* path : paths)
        addOnlyThisWindow(rootWindow()->getChild(path));
    hideOnlyWindows();
}

void TextureController::onActivate()
{
    EditorController::onActivate();
    rebuild();
}

void TextureController::rebuild()
{
    updateShipGrid();
    setTextureFile(getShipEntry()->getTextureFile());
    updateShape();
    colorWidgets.updateColor();
}

void TextureController::updateShipGrid()
{
    const float scale = std::min(MaxScale, std::max(MinScale, getShipEntry()->getTextureScale()));
    if (std::isfinite(scale) && scale != grid.zoom && grid.zoom != 0.0f)
        grid.origin = grid.origin * (scale / grid.zoom);
    grid.zoom = std::isfinite(scale) ? scale : 1.0f;
    const math::Vector2<float> offset = getShipEntry()->getTextureOffset();
    grid.origin = (std::isfinite(offset.x) && std::isfinite(offset.y)) ? offset : math::Vector2<float>();
}

void TextureController::setTextureFile(const std::string& name)
{
    getShipEntry()->setTextureFile(name);
    textureLoaded = false;
    if (name.empty())
        return;
    if (!isBareFileName(name)) {
        tools::log("Editor", "Hull texture name refused, it must name a file of the texture folder: " + name);
        return;
    }
    // Without a window there is no GL context to hold the texture.
    if (!GameFramework::Singleton.getSfmlFramework() || !GameFramework::Singleton.getSfmlFramework()->getWindow())
        return;
    if (!texture) {
        texture = std::make_unique<sf::Texture>();
        texture->setRepeated(true);
    }
    textureLoaded = fx::loadTexture(*texture, (std::filesystem::path(TexturePath) / name).string());
}

void TextureController::updateShape()
{
    shape.clear();
    const auto& entries = getShipEntry()->pointSet().getResources();
    if (entries.size() < 3)
        return;
    std::vector<math::Vector2<float>> points;
    std::vector<float> radii;
    for (const auto* point : entries) {
        points.push_back({point->getPosition().x, -point->getPosition().y});
        radii.push_back(point->getRoundness());
    }
    const std::vector<math::Vector2<float>> rounded = math::roundCorners(points, radii);
    if (!math::isPolygonSimple(rounded))
        return;
    const sf::Color color(getShipEntry()->getColor().r, getShipEntry()->getColor().g, getShipEntry()->getColor().b,
                          getShipEntry()->getColor().a);
    for (const auto& triangle : math::triangulatePolygon(rounded))
        for (const auto& p : triangle)
            shape.append(sf::Vertex(sf::Vector2f(p.x, p.y), color));
    bounds = math::getPolygonBoundaries(rounded);
    const float bw = bounds.max.x - bounds.min.x;
    const float bh = bounds.max.y - bounds.min.y;
    const math::Vector2<float> size = getCanvasSize();
    // A flat outline (zero width or height) still fits by its other side.
    float fit = std::min(bw > 0 ? size.x / bw : INFINITY, bh > 0 ? size.y / bh : INFINITY);
    if (!std::isfinite(fit) || fit <= 0.0f)
        fit = 1.0f;
    fitScale = fit;
    margin = {(size.x - bw * fitScale) * 0.5f, (size.y - bh * fitScale) * 0.5f};
    const math::Vector2<float> corner = getCanvasPosition();
    for (std::size_t i = 0; i < shape.getVertexCount(); ++i) {
        sf::Vertex& v = shape[i];
        v.texCoords = v.position;
        v.position = sf::Vector2f((v.position.x - bounds.min.x) * fitScale + corner.x + margin.x,
                                  (v.position.y - bounds.min.y) * fitScale + corner.y + margin.y);
    }
}

void TextureController::updateShapeColor()
{
    const auto& c = getShipEntry()->getColor();
    for (std::size_t i = 0; i < shape.getVertexCount(); ++i)
        shape[i].color = sf::Color(c.r, c.g, c.b, c.a);
}

void TextureController::updateShipEntry()
{
    getShipEntry()->setTextureOffset(grid.origin);
    getShipEntry()->setTextureScale(grid.zoom);
}

void TextureController::moveTextureBy(const math::Vector2<float>& pixels)
{
    if (fitScale != 0.0f)
        grid.origin = grid.origin - pixels * (1.0f / fitScale);
    updateShipEntry();
}

void TextureController::zoomTextureBy(bool up, const math::Vector2<float>& anchor)
{
    zoomTextureTo(grid.zoom * (up ? 1.1f : 0.9090909f), anchor);
}

void TextureController::zoomTextureTo(float zoom, const math::Vector2<float>& anchor)
{
    if (std::isfinite(zoom)) {
        const float old = grid.zoom;
        grid.zoom = std::min(MaxScale, std::max(MinScale, zoom));
        if (grid.zoom != old && old != 0.0f)
            grid.origin = grid.origin + (grid.origin - anchor) * (grid.zoom / old - 1.0f);
    }
    updateShipEntry();
}

math::Vector2<float> TextureController::getCanvasPosition() const
{
    return cvec2mvec(canvasWidget->getUnclippedOuterRect().get().getPosition());
}

math::Vector2<float> TextureController::getCanvasSize() const
{
    return csize2mvec(canvasWidget->getPixelSize());
}

math::Vector2<float> TextureController::absolute2relative(const math::Vector2<float>& p) const
{
    return p - getCanvasPosition();
}

math::Vector2<float> TextureController::relative2absolute(const math::Vector2<float>& p) const
{
    return p + getCanvasPosition();
}

math::Vector2<float> TextureController::window2canvas(const CEGUI::Vector2<float>& p) const
{
    return absolute2relative(cvec2mvec(p));
}

void TextureController::drawToCanvas(CEGUI::Window*)
{
    if (!GameFramework::Singleton.getSfmlFramework())
        return;
    sf::RenderTarget& target = GameFramework::Singleton.getSfmlFramework()->getRenderTarget();
    target.pushGLStates();
    target.resetGLStates();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(grid.zoom, grid.zoom, 1.0f);
    glTranslatef(grid.origin.x, grid.origin.y, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    if (textureLoaded)
        sf::Texture::bind(texture.get(), sf::Texture::Normalized);
    else
        sf::Texture::bind(nullptr);
    // Drawn with the texture bound above: SFML would reset the texture matrix.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (shape.getVertexCount() > 0) {
        const char* data = reinterpret_cast<const char*>(&shape[0]);
        glVertexPointer(2, GL_FLOAT, sizeof(sf::Vertex), data + 0);
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(sf::Vertex), data + 8);
        glTexCoordPointer(2, GL_FLOAT, sizeof(sf::Vertex), data + 12);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(shape.getVertexCount()));
    }
    sf::Texture::bind(nullptr);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    target.popGLStates();
}

bool TextureController::onCanvasMouseMove(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    if (mouse.sysKeys & CEGUI::RightMouse)
        moveTextureBy(cvec2mvec(mouse.moveDelta));
    return true;
}

bool TextureController::onCanvasMouseWheel(const CEGUI::EventArgs& args)
{
    const auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
    zoomTextureBy(mouse.wheelChange < 0, grid.origin);
    return true;
}

bool TextureController::onCanvasResize(const CEGUI::EventArgs&)
{
    rebuild();
    return true;
}

bool TextureController::onFillZoomButton(const CEGUI::EventArgs&)
{
    const float side = std::max(bounds.max.x - bounds.min.x, bounds.max.y - bounds.min.y);
    zoomTextureTo(side > 0.0f ? 1.0f / side : MaxScale, grid.origin);
    return true;
}

bool TextureController::onUnitZoomButton(const CEGUI::EventArgs&)
{
    zoomTextureTo(1.0f, grid.origin);
    return true;
}

bool TextureController::onColorSpinnerChanged(const CEGUI::EventArgs&)
{
    auto value = [](const ColorWidgets::Color& c) {
        const double v = c.spinner ? c.spinner->getCurrentValue() : 0.0;
        return static_cast<std::uint8_t>(std::min(255.0, std::max(0.0, std::trunc(v))));
    };
    getShipEntry()->setColor(
        backend::ShipColor(value(colorWidgets.red), value(colorWidgets.green), value(colorWidgets.blue), 255));
    updateShapeColor();
    return true;
}

bool TextureController::onTextureButton(const CEGUI::EventArgs& args)
{
    CEGUI::Window* button = static_cast<const CEGUI::WindowEventArgs&>(args).window;
    if (button->isUserStringDefined("File"))
        setTextureFile(ceguiStringToUtf8(button->getUserString("File")));
    return true;
}

// --- Colour widgets ----------------------------------------------------------------

void TextureController::ColorWidgets::connectTo(CEGUI::Window* container)
{
    red.connectTo(container->getChild("Red"));
    green.connectTo(container->getChild("Green"));
    blue.connectTo(container->getChild("Blue"));
    updateColor();
}

void TextureController::ColorWidgets::updateColor()
{
    const backend::ShipColor color = owner->getShipEntry()->getColor();
    red.spinner->setCurrentValue(color.r);
    green.spinner->setCurrentValue(color.g);
    blue.spinner->setCurrentValue(color.b);
}

void TextureController::ColorWidgets::updateSliders()
{
    red.updateSlider();
    green.updateSlider();
    blue.updateSlider();
}

void TextureController::ColorWidgets::updateSpinners()
{
    red.updateSpinner();
    green.updateSpinner();
    blue.updateSpinner();
}

void TextureController::ColorWidgets::Color::connectTo(CEGUI::Window* row)
{
    label = row->getChild("Label");
    slider = static_cast<CEGUI::Slider*>(row->getChild("Slider"));
    spinner = static_cast<CEGUI::Spinner*>(row->getChild("Spinner"));
    // Kept by the pane, so that the widgets never call a pane that is gone.
    auto keep = [this](const CEGUI::Event::Connection& connection) {
        owner->connections.push_back(std::make_unique<CEGUI::Event::ScopedConnection>(connection));
    };
    keep(slider->subscribeEvent(CEGUI::Slider::EventValueChanged,
                                CEGUI::Event::Subscriber(&Color::onSliderChanged, this)));
    keep(spinner->subscribeEvent(CEGUI::Spinner::EventValueChanged,
                                 CEGUI::Event::Subscriber(&Color::onSpinnerChanged, this)));
    keep(spinner->subscribeEvent(CEGUI::Spinner::EventValueChanged,
                                 CEGUI::Event::Subscriber(&TextureController::onColorSpinnerChanged, owner)));
}

void TextureController::ColorWidgets::Color::updateSlider()
{
    slider->setCurrentValue(static_cast<float>(spinner->getCurrentValue() / 255.0));
}

void TextureController::ColorWidgets::Color::updateSpinner()
{
    spinner->setCurrentValue(slider->getCurrentValue() * 255.0);
}

bool TextureController::ColorWidgets::Color::onSliderChanged(const CEGUI::EventArgs&)
{
    updateSpinner();
    return true;
}

bool TextureController::ColorWidgets::Color::onSpinnerChanged(const CEGUI::EventArgs&)
{
    updateSlider();
    return true;
}

} // namespace velk
