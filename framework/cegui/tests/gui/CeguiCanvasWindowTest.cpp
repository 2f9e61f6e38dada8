#include "testsupport/gui/GuiWindowFixture.hpp"

#include "framework/cegui/CeguiCanvasWidget.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/OpenGL.hpp>

#include <array>
#include <vector>

namespace {

/// Records the GL scissor state while drawing and fills the window red.
class ProbeDrawer : public CeguiCanvasWidget::Drawer {
public:
    ProbeDrawer(sf::RenderWindow* window, std::vector<int>* order, int id) : window(window), order(order), id(id) {}

    void drawToCanvas(CEGUI::Window* canvasWindow) override
    {
        drawnOn = canvasWindow;
        glGetIntegerv(GL_SCISSOR_BOX, scissor.data());
        scissorOn = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
        if (order) {
            order->push_back(id);
        }
        if (window) {
            window->pushGLStates();
            sf::RectangleShape all(sf::Vector2f(5000, 5000));
            all.setPosition(-2000, -2000);
            all.setFillColor(sf::Color::Red);
            window->draw(all);
            window->popGLStates();
        }
    }

    sf::RenderWindow* window;
    std::vector<int>* order;
    int id;
    CEGUI::Window* drawnOn = nullptr;
    std::array<GLint, 4> scissor{-1, -1, -1, -1};
    bool scissorOn = false;
};

class CeguiCanvasWindowTest : public velk_test::GuiWindowFixture {
protected:
    CeguiCanvasWidget* canvasAt(CEGUI::Window* parent, float x, float y, float w, float h)
    {
        static int counter = 0;
        return static_cast<CeguiCanvasWidget*>(
            createAt("CanvasWidget", "Canvas" + CEGUI::PropertyHelper<int>::toString(++counter), parent, x, y, w, h));
    }
};

bool isRed(const sf::Color& c)
{
    return c.r > 240 && c.g < 15 && c.b < 15;
}

TEST_F(CeguiCanvasWindowTest, ScissorBoxIsTheCanvasInGlCoordinates)
{
    CeguiCanvasWidget* canvas = canvasAt(root, 10, 20, 200, 100);
    ProbeDrawer drawer(nullptr, nullptr, 0);
    canvas->addDrawer(&drawer);
    frame();
    EXPECT_EQ(drawer.drawnOn, canvas);
    EXPECT_TRUE(drawer.scissorOn);
    // 600 px high surface: the box's bottom edge is 600 - 20 - 100 above the window's bottom.
    EXPECT_EQ(drawer.scissor, (std::array<GLint, 4>{10, 480, 200, 100}));
}

TEST_F(CeguiCanvasWindowTest, DrawingIsClippedAndBehindTheCanvasChildren)
{
    CEGUI::Window* frameWindow = createAt("GWEN/FrameWindow", "Frame", root, 100, 50, 400, 300);
    // Client area of the skin's frame window: 3 px border, 24 px title bar.
    CeguiCanvasWidget* canvas = canvasAt(frameWindow, 30, 40, 160, 90);
    createAt("GWEN/Button", "Over", canvas, 10, 10, 50, 30);
    ProbeDrawer drawer(sfml.getWindow(), nullptr, 0);
    canvas->addDrawer(&drawer);
    const sf::Image shot = frame();

    const int left = 100 + 3 + 30, top = 50 + 24 + 40, right = left + 160, bottom = top + 90;
    EXPECT_TRUE(isRed(shot.getPixel(left, top)));
    EXPECT_TRUE(isRed(shot.getPixel(right - 1, bottom - 1)));
    EXPECT_TRUE(isRed(shot.getPixel(left + 100, top + 60)));
    EXPECT_FALSE(isRed(shot.getPixel(left - 1, top + 45)));
    EXPECT_FALSE(isRed(shot.getPixel(right, top + 45)));
    EXPECT_FALSE(isRed(shot.getPixel(left + 80, top - 1)));
    EXPECT_FALSE(isRed(shot.getPixel(left + 80, bottom)));
    EXPECT_FALSE(isRed(shot.getPixel(5, 5)));
    // The child button is drawn over the canvas content.
    EXPECT_FALSE(isRed(shot.getPixel(left + 10 + 25, top + 10 + 15)));
    // The GUI after the canvas is still drawn right: the title bar is where it belongs.
    EXPECT_NE(shot.getPixel(100 + 200, 50 + 12), shot.getPixel(5, 5));
}

TEST_F(CeguiCanvasWindowTest, DrawersRunInAttachmentOrder)
{
    CeguiCanvasWidget* canvas = canvasAt(root, 0, 0, 100, 100);
    std::vector<int> order;
    ProbeDrawer first(nullptr, &order, 1), second(nullptr, &order, 2);
    canvas->addDrawer(&first);
    canvas->addDrawer(&second);
    frame();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    canvas->removeDrawer(&first);
    order.clear();
    frame();
    EXPECT_EQ(order, (std::vector<int>{2}));
}

TEST_F(CeguiCanvasWindowTest, CanvasDrawsEveryFrameAlsoInsideATextureSurface)
{
    CEGUI::Window* holder = createAt("DefaultWindow", "Holder", root, 50, 50, 300, 200);
    holder->setUsingAutoRenderingSurface(true);
    CeguiCanvasWidget* canvas = canvasAt(holder, 20, 20, 100, 50);
    std::vector<int> order;
    ProbeDrawer drawer(sfml.getWindow(), &order, 7);
    canvas->addDrawer(&drawer);
    sf::Image shot;
    for (int i = 0; i < 3; ++i) {
        shot = frame();
    }
    EXPECT_EQ(order.size(), 3u) << "one draw per frame without any invalidation";
    EXPECT_TRUE(isRed(shot.getPixel(50 + 20 + 50, 50 + 20 + 25)));
    EXPECT_FALSE(isRed(shot.getPixel(50 + 20 + 50, 50 + 20 + 50)));
}

TEST_F(CeguiCanvasWindowTest, EmptyCanvasAndDestroyedCanvasAreHarmless)
{
    CeguiCanvasWidget* empty = canvasAt(root, 0, 0, 100, 100);
    CeguiCanvasWidget* doomed = canvasAt(root, 200, 0, 100, 100);
    auto drawer = std::make_unique<ProbeDrawer>(sfml.getWindow(), nullptr, 0);
    doomed->addDrawer(drawer.get());
    EXPECT_TRUE(isRed(frame().getPixel(250, 50)));
    CEGUI::WindowManager::getSingleton().destroyWindow(doomed);
    const sf::Image after = frame();
    EXPECT_FALSE(isRed(after.getPixel(250, 50)));
    EXPECT_FALSE(isRed(after.getPixel(50, 50)));
    EXPECT_EQ(drawer->canvas(), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    (void)empty;
}

} // namespace
