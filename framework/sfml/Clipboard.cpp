#include "framework/sfml/Clipboard.hpp"

#include "framework/sfml/X11ClipboardOwner.hpp"

void copyImageToClipboard(const sf::Image& image)
{
    X11ClipboardOwner::instance().offer(image);
}
