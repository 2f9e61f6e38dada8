#include "game/editor/GridPartElement.hpp"

#include "engine/GameFramework.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/editor/EditorColors.hpp"
#include "game/editor/model/GridMath.hpp"
#include "game/ship/backend/ShipEntry.hpp"
#include "game/ship/backend/ShipPart.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/OpenGL.hpp>

#include <cmath>

namespace velk {

const char* const GridPartElement::ItemsMapPath = "data/img/editor/EditorItems.img.json";
const char* const GridPartElement::CockpitsMapPath = "data/img/editor/EditorItems_Cockpits.img.json";
std::array<SfImageMap, 2> GridPartElement::sImageMaps;
std::array<std::unique_ptr<sf::Texture>, 2> GridPartElement::sTextures;

namespace {
const float RadToDeg = -57.2957795f;
} // namespace

GridPartElement::GridPartElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::ShipPart* part,
                                 const math::Vector2<float>& canvasPos)
    : GridElement(grid, ship), tools::Activable(true), part(part)
{
    entry = ship->insertPart(part->getId(), canvasToShip(grid, canvasPos));
    setPosition(canvasPos);
}

GridPartElement::GridPartElement(math::Grid2<float>& grid, backend::ShipEntry* ship, backend::PartEntry* entry)
    : GridElement(grid, ship), tools::Activable(true), entry(entry), part(entry->getShipPart())
{
    setMirroredX(entry->isMirroredX());
    updatePosition();
}

GridPartElement::~GridPartElement()
{
    if (isValid() && ship)
        ship->partSet().destroy(entry); // an entry no longer in the set is ignored
}

void GridPartElement::onMoved(const math::Vector2<float>& delta)
{
    if (placing || (delta.x == 0.0f && delta.y == 0.0f))
        return;
    entry->setPosition(shipPositionOfElement(isGrabbed()));
}

void GridPartElement::onRotated(float delta)
{
    if (placing || delta == 0.0f)
        return;
    // The entry's turn hook does nothing, so setting it is a plain store.
    entry->setRotation(getRotation());
}

void GridPartElement::onMirroredX()
{
    entry->mirrorToX(isMirroredX());
}

void GridPartElement::updatePosition()
{
    placing = true;
    setPosition(shipToCanvas(grid, entry->getPosition()));
    setRotation(entry->getRotation());
    placing = false;
}

bool GridPartElement::isPointInside(const math::Vector2<float>& p) const
{
    if (!isActive() || !part)
        return false;
    const float s = grid.scale();
    if (s == 0.0f)
        return false;
    math::Vector2<float> d{(p.x - getPosition().x) / s, -(p.y - getPosition().y) / s};
    if (isMirroredX())
        d.x = -d.x;
    const float a = isMirroredX() ? getRotation() : -getRotation();
    const math::Vector2<float> q{std::cos(a) * d.x - std::sin(a) * d.y, std::sin(a) * d.x + std::cos(a) * d.y};
    const auto& body = part->getBody();
    if (body.size() < 3)
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = body.size() - 1; i < body.size(); j = i++) {
        const auto& bi = body[i];
        const auto& bj = body[j];
        if ((bi.y < q.y) != (bj.y < q.y) && q.x < (q.y - bi.y) * (bj.x - bi.x) / (bj.y - bi.y) + bi.x)
            inside = !inside;
    }
    return inside;
}

bool GridPartElement::isInsideArea(const Box&) const
{
    return false;
}

void GridPartElement::drawOnGrid(const math::Vector2<float>& offset)
{
    if (!part)
        return;
    sf::RenderTarget& target = GameFramework::Singleton.getSfmlFramework()->getRenderTarget();
    const float s = grid.scale();
    glPushMatrix();
    sf::RenderStates base;
    base.transform.translate(offset.x + getPosition().x, offset.y + getPosition().y);
    base.transform.rotate(getRotation() * RadToDeg);
    if (isMirroredX())
        base.transform.scale(-1.0f, 1.0f);

    // The catalogue's picture rectangle is in the part's frame as the picture
    // is drawn, y down (unlike the body, which is y up).
    const math::Box<math::Vector2<float>> shape = part->getShape();
    sf::RectangleShape picture(sf::Vector2f(shape.max.x - shape.min.x, shape.max.y - shape.min.y));
    picture.setPosition(shape.min.x, shape.min.y);
    if (const sf::Texture* texture = getTextureForPart(part)) {
        picture.setTexture(texture);
        picture.setTextureRect(getTextureRectForPart(part));
    }
    picture.setFillColor(sf::Color(255, 255, 255, isActive() ? 255 : 100));
    sf::RenderStates scaled = base;
    scaled.transform.scale(s, s);
    target.draw(picture, scaled);

    const auto& body = part->getBody();
    if (isActive() && !body.empty()) {
        glPushAttrib(GL_LINE_BIT);
        if (!isSelected()) {
            glEnable(GL_LINE_STIPPLE);
            glLineStipple(3, 0xff00);
        }
        sf::VertexArray outline(sf::LineStrip);
        const sf::Color& color = isSelected() ? partColorOutlineSelected : partColorOutline;
        for (const auto& b : body)
            outline.append(sf::Vertex(sf::Vector2f(b.x, -b.y), color));
        outline.append(sf::Vertex(sf::Vector2f(body.front().x, -body.front().y), color));
        target.draw(outline, scaled);
        glPopAttrib();
    }

    sf::VertexArray cross(sf::Lines);
    cross.append(sf::Vertex(sf::Vector2f(-1, -1), partColorCross));
    cross.append(sf::Vertex(sf::Vector2f(1, 1), partColorCross));
    cross.append(sf::Vertex(sf::Vector2f(1, -1), partColorCross));
    cross.append(sf::Vertex(sf::Vector2f(-1, 1), partColorCross));
    sf::RenderStates crossStates = base;
    crossStates.transform.scale(5.0f, 5.0f);
    target.draw(cross, crossStates);
    glPopMatrix();
}

void GridPartElement::initTextures()
{
    const char* const paths[2] = {ItemsMapPath, CockpitsMapPath};
    for (std::size_t i = 0; i < 2; ++i) {
        sImageMaps[i].clear();
        sImageMaps[i].loadFromFile(paths[i]); // logs a failure; parts then draw without a picture
    }
    SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    if (!sfml || !sfml->getWindow())
        return;
    for (std::size_t i = 0; i < 2; ++i) {
        if (sImageMaps[i].getImageFile().empty())
            continue;
        auto texture = std::make_unique<sf::Texture>();
        if (fx::loadTexture(*texture, sImageMaps[i].getImagePath())) {
            texture->setSmooth(true);
            sTextures[i] = std::move(texture);
        }
    }
}

void GridPartElement::shutdownTextures()
{
    for (SfImageMap& map : sImageMaps)
        map.clear();
    // Freed here, while the window's context lives, not at program exit.
    for (auto& texture : sTextures)
        texture.reset();
}

std::size_t GridPartElement::mapIndexForPart(const backend::ShipPart* part)
{
    return part && part->getCategory() == "cockpit" ? 1 : 0;
}

const sf::Texture* GridPartElement::getTextureForPart(const backend::ShipPart* part)
{
    return sTextures[mapIndexForPart(part)].get();
}

sf::IntRect GridPartElement::getTextureRectForPart(const backend::ShipPart* part)
{
    if (!part)
        return {};
    const auto& images = sImageMaps[mapIndexForPart(part)].images();
    const auto it = images.find(part->getImage());
    return it == images.end() ? sf::IntRect() : it->second;
}

} // namespace velk
