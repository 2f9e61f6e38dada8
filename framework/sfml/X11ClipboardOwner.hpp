#pragma once

#include <SFML/Graphics/Image.hpp>

#include <memory>

/// Puts images on the X11 clipboard (the CLIPBOARD selection) so that other
/// programs can paste them.
///
/// X11 has no clipboard storage: the program that copied keeps the data and
/// hands it out on request. This owner does so on its own display connection
/// and its own thread, so pastes are answered whatever the main loop is doing.
/// It offers the targets "TARGETS", "TIMESTAMP", "image/png" and "image/bmp"
/// (a ".bmp" file around the screenshot bitmap); large answers go out in
/// chunks (the INCR protocol). The image is encoded when a program asks for a
/// format. When another program takes the clipboard, the image is dropped; at
/// program exit the clipboard empties, as is usual on X11.
class X11ClipboardOwner {
public:
    /// The program's one owner; its thread starts with the first offer.
    static X11ClipboardOwner& instance();

    ~X11ClipboardOwner();
    X11ClipboardOwner(const X11ClipboardOwner&) = delete;
    X11ClipboardOwner& operator=(const X11ClipboardOwner&) = delete;

    /// Offers a copy of the image. Returns false (and logs why) when there is
    /// no X display to offer it on; taking the selection itself completes on
    /// the owner's thread a moment later.
    bool offer(const sf::Image& image);

private:
    X11ClipboardOwner();

    struct Impl;
    std::unique_ptr<Impl> impl;
};
