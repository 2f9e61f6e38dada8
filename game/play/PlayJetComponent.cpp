#include "game/play/PlayJetComponent.hpp"

namespace velk {

PlayJetComponent::PlayJetComponent(backend::PartEntry* entry) : JetComponent(entry) {}

PlayJetComponent::~PlayJetComponent() = default;

void PlayJetComponent::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    PartComponent::draw(target, states);
}

} // namespace velk
