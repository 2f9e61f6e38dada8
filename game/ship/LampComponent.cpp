#include "game/ship/LampComponent.hpp"

#include "engine/GameObject.hpp"

namespace velk {

LampComponent::LampComponent(backend::PartEntry* entry) : PartComponent(entry) {}

void LampComponent::onBegin()
{
    PartComponent::onBegin();
    applyLampState();
}

void LampComponent::setLampState(bool on)
{
    if (lampOn == on)
        return;
    lampOn = on;
    applyLampState();
}

void LampComponent::applyLampState()
{
    GameObject* object = partObject();
    if (!object)
        return;
    for (GameComponent* component : object->getResources())
        if (component->getId() == "Light")
            component->setVisible(lampOn);
}

} // namespace velk
