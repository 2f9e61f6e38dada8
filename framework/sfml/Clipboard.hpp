#pragma once

#include <SFML/Graphics/Image.hpp>

/// Puts the image on the system clipboard (the X11 CLIPBOARD selection, as
/// "image/png" and "image/bmp"). A failure is logged; the clipboard then keeps
/// what it had.
void copyImageToClipboard(const sf::Image& image);
