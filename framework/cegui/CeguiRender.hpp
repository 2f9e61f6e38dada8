#pragma once

namespace sf {
class RenderTarget;
class Shader;
} // namespace sf

/// Renders every CEGUI GUI context onto the target. SFML's GL state is saved
/// around it (SFML's texture matrix would otherwise distort the GUI) and its
/// state cache is valid again afterwards. The shader, when given, is bound
/// for the GUI (saving SFML's state unbinds any shader).
void renderCeguiGui(sf::RenderTarget& target, const sf::Shader* shader = nullptr);

/// Tells CEGUI the new display size after a resize or after the window was
/// created anew (resolution change, full-screen switch) and redraws every window.
void notifyCeguiDisplaySize(float width, float height);
