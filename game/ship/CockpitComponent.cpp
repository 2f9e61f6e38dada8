#include "game/ship/CockpitComponent.hpp"

#include "engine/GameObject.hpp"
#include "foundation/tools/Log.hpp"

namespace velk {

CockpitComponent::CockpitComponent(backend::PartEntry* entry) : PartComponent(entry) {}

void CockpitComponent::onBegin()
{
    // The cockpit is set up as in normal mode even in the preview.
    const bool wasTest = isTest();
    setTest(false);
    PartComponent::onBegin();
    setTest(wasTest);
    if (isTest())
        showPicture("Test");
    if (GameObject* object = partObject())
        object->hide();
}

void CockpitComponent::setTurnedOn(bool on)
{
    if (turnedOn == on)
        return;
    turnedOn = on;
    if (isTest())
        return;
    showPicture(on ? "Online" : "Offline");
}

void CockpitComponent::showPicture(const std::string& name)
{
    GameObject* object = partObject();
    if (!object || object->getNumberOfComponents() == 0)
        return;
    const auto& rects = object->imageMap().images();
    const auto it = rects.find(name);
    if (it == rects.end()) {
        tools::log("CockpitComponent", "The cockpit's image map has no picture \"" + name + "\"; the picture stays");
        return;
    }
    object->getComponent(0)->getShape().setTextureRect(it->second);
}

void CockpitComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    drawPartObject(target, states);
}

void CockpitComponent::onMoved(const math::Vector2<float>& d)
{
    PartComponent::onMoved(d);
    update(0.0f);
}

void CockpitComponent::onRotated(float a)
{
    PartComponent::onRotated(a);
    update(0.0f);
}

void CockpitComponent::onMirroredX()
{
    PartComponent::onMirroredX();
    update(0.0f);
}

} // namespace velk
