#pragma once

#include "game/ship/JetComponent.hpp"

namespace velk {

/// A jet of the play-mode ship. It draws exactly as every part does: its part
/// object with the default render states while the ship shows it.
class PlayJetComponent : public JetComponent {
public:
    explicit PlayJetComponent(backend::PartEntry* entry);
    ~PlayJetComponent() override;

    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace velk
