#include "testsupport/window/WindowPump.hpp"

#include <chrono>
#include <thread>

namespace velk_test {

bool pumpUntil(SfmlFramework& sfml, const std::function<bool()>& done, const sf::Color& background)
{
    for (int i = 0; i < 200; ++i) {
        sfml.pollEvent();
        if (sfml.getWindow() && sfml.getWindow()->isOpen()) {
            sfml.clear(background);
            sfml.display();
        }
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void pumpFrames(SfmlFramework& sfml, int frames, const sf::Color& background)
{
    int left = frames;
    pumpUntil(
        sfml, [&] { return --left <= 0; }, background);
}

} // namespace velk_test
