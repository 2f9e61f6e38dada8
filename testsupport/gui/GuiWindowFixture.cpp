#include "testsupport/gui/GuiWindowFixture.hpp"

#include "testsupport/gui/GuiInitHelpers.hpp"

#include <SFML/Graphics/Texture.hpp>

namespace velk_test {

void GuiWindowFixture::SetUp()
{
    ASSERT_TRUE(keeper.connected()) << "no display";
    WindowHelper windowHelper;
    sfml.init(&windowHelper);
    ASSERT_NE(sfml.getWindow(), nullptr) << "no display";
    GlInitHelper guiHelper(sfml, (temp / "gui.log").string());
    cegui.init(&guiHelper);
    ASSERT_TRUE(cegui.isInitialised());
    notifyCeguiDisplaySize(800, 600);
    root = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Root");
    CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
}

void GuiWindowFixture::TearDown()
{
    cegui.shutdown();
    sfml.shutdown();
}

CEGUI::Window* GuiWindowFixture::createAt(const CEGUI::String& type, const CEGUI::String& name, CEGUI::Window* parent,
                                          float x, float y, float w, float h)
{
    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type, name);
    window->setArea(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)),
                    CEGUI::USize(CEGUI::UDim(0, w), CEGUI::UDim(0, h)));
    (parent ? parent : root)->addChild(window);
    return window;
}

sf::Image GuiWindowFixture::finishFrame()
{
    sf::RenderWindow& window = *sfml.getWindow();
    sf::Texture grab;
    grab.create(window.getSize().x, window.getSize().y);
    grab.update(window);
    sfml.display();
    return grab.copyToImage();
}

} // namespace velk_test
