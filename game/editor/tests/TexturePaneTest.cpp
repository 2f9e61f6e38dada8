// The texture pane on the null GUI renderer: the preview mesh, colour
// sliders and spinners, texture scale and offset, and the texture buttons.

#include "game/editor/tests/EditorTestSupport.hpp"

#include "game/ship/backend/ShipEntry.hpp"

#include <cmath>

namespace {

using velk::TextureController;

class TexturePaneTest : public velk_test::EditorFixture {
protected:
    velk::backend::ShipEntry& ship() const { return *editor->getShip(); }
    CEGUI::Window* canvas() const { return window("Center/View/Tabs/TexturePane/TexCanvas"); }
    CEGUI::Slider* slider(const char* channel) const
    {
        return static_cast<CEGUI::Slider*>(
            window((std::string("Center/Tools/ShipColor/__auto_contentpane__/") + channel + "/Slider").c_str()));
    }
    CEGUI::Spinner* spinner(const char* channel) const
    {
        return static_cast<CEGUI::Spinner*>(
            window((std::string("Center/Tools/ShipColor/__auto_contentpane__/") + channel + "/Spinner").c_str()));
    }

    /// A 4 x 2 box hull, then the texture tab.
    void showBox()
    {
        ship().insertPoint(-2, -1, 0);
        ship().insertPoint(2, -1, 0);
        ship().insertPoint(2, 1, 0);
        ship().insertPoint(-2, 1, 0);
        editor->rebuildControllers();
        static_cast<CEGUI::TabControl*>(window("Center/View/Tabs"))->setSelectedTabAtIndex(1);
    }

    void wheel(float change)
    {
        CEGUI::MouseEventArgs args = velk_test::mouseAt(canvas(), {100, 100});
        args.wheelChange = change;
        texturer()->onCanvasMouseWheel(args);
    }
};

TEST_F(TexturePaneTest, TheHullFillsTheCanvasAsTrianglesInItsColour)
{
    ship().setColor({10, 20, 30, 255});
    showBox();
    const sf::VertexArray& shape = texturer()->getShape();
    EXPECT_EQ(shape.getVertexCount(), 6u); // two triangles
    const math::Vector2<float> size = texturer()->getCanvasSize();
    EXPECT_FLOAT_EQ(texturer()->getFitScale(), std::min(size.x / 4, size.y / 2));
    float left = 1e9f, right = -1e9f;
    for (std::size_t i = 0; i < shape.getVertexCount(); ++i) {
        left = std::min(left, shape[i].position.x);
        right = std::max(right, shape[i].position.x);
        EXPECT_EQ(shape[i].color, sf::Color(10, 20, 30, 255));
    }
    const math::Vector2<float> corner = texturer()->getCanvasPosition();
    EXPECT_NEAR((left + right) / 2, corner.x + size.x / 2, 1e-2f); // centred
    // Fewer than three points: no preview, the old fit stays.
    ship().clear();
    texturer()->rebuild();
    EXPECT_EQ(texturer()->getShape().getVertexCount(), 0u);
    EXPECT_FLOAT_EQ(texturer()->getFitScale(), std::min(size.x / 4, size.y / 2));
}

TEST_F(TexturePaneTest, SlidersAndSpinnersSetTheHullColour)
{
    showBox();
    spinner("Green")->setCurrentValue(10);
    spinner("Blue")->setCurrentValue(20);
    spinner("Red")->setCurrentValue(200);
    EXPECT_EQ(ship().getColor(), velk::backend::ShipColor(200, 10, 20, 255));
    EXPECT_NEAR(slider("Red")->getCurrentValue(), 200.0f / 255.0f, 1e-6f);
    EXPECT_EQ(texturer()->getShape()[0].color, sf::Color(200, 10, 20, 255));
    slider("Green")->setCurrentValue(0.5f);
    EXPECT_DOUBLE_EQ(spinner("Green")->getCurrentValue(), 127.5);
    EXPECT_EQ(ship().getColor().g, 127); // truncated
    EXPECT_FLOAT_EQ(slider("Green")->getCurrentValue(), 0.5f);
}

TEST_F(TexturePaneTest, ScaleAndOffsetFollowWheelDragAndButtons)
{
    showBox();
    const math::Vector2<float> offset = ship().getTextureOffset();
    wheel(1);
    EXPECT_NEAR(ship().getTextureScale(), 1.0f / 1.1f, 1e-5f);
    wheel(0);
    EXPECT_NEAR(ship().getTextureScale(), 1.0f / 1.21f, 1e-5f);
    wheel(-1);
    EXPECT_NEAR(ship().getTextureScale(), 1.0f / 1.1f, 1e-5f);
    for (int i = 0; i < 60; ++i)
        wheel(-1);
    EXPECT_FLOAT_EQ(ship().getTextureScale(), TextureController::MaxScale);
    for (int i = 0; i < 80; ++i)
        wheel(1);
    EXPECT_FLOAT_EQ(ship().getTextureScale(), TextureController::MinScale);
    EXPECT_EQ(ship().getTextureOffset(), offset); // zoom never shifts the texture

    // A right drag of d pixels moves the texture by -d / fit scale.
    CEGUI::MouseEventArgs drag = velk_test::mouseAt(canvas(), {100, 100}, CEGUI::NoButton, CEGUI::RightMouse);
    drag.moveDelta = CEGUI::Vector2f(30, -12);
    texturer()->onCanvasMouseMove(drag);
    const float fit = texturer()->getFitScale();
    EXPECT_NEAR(ship().getTextureOffset().x, offset.x - 30 / fit, 1e-4f);
    EXPECT_NEAR(ship().getTextureOffset().y, offset.y + 12 / fit, 1e-4f);
    drag.sysKeys = 0; // without the right button nothing moves
    texturer()->onCanvasMouseMove(drag);
    EXPECT_NEAR(ship().getTextureOffset().x, offset.x - 30 / fit, 1e-4f);

    velk_test::click(window("Center/Tools/Buttons/Lower/Texturer/ZoomFillButton"));
    EXPECT_NEAR(ship().getTextureScale(), 0.25f, 1e-6f); // one repetition across the 4 units
    velk_test::click(window("Center/Tools/Buttons/Lower/Texturer/Zoom1Button"));
    EXPECT_FLOAT_EQ(ship().getTextureScale(), 1.0f);
}

TEST_F(TexturePaneTest, FillZoomWithoutAPreviewGoesToTheUpperLimit)
{
    velk_test::click(window("Center/Tools/Buttons/Lower/Texturer/ZoomFillButton"));
    EXPECT_FLOAT_EQ(ship().getTextureScale(), TextureController::MaxScale);
}

TEST_F(TexturePaneTest, ALoadedScaleIsClampedForThePreviewOnly)
{
    ship().setTextureScale(50);
    ship().setTextureOffset({0.25f, -0.5f});
    showBox();
    EXPECT_FLOAT_EQ(texturer()->getGrid().zoom, TextureController::MaxScale);
    EXPECT_FLOAT_EQ(ship().getTextureScale(), 50.0f);
    CEGUI::MouseEventArgs drag = velk_test::mouseAt(canvas(), {100, 100}, CEGUI::NoButton, CEGUI::RightMouse);
    drag.moveDelta = CEGUI::Vector2f(0, 0);
    texturer()->onCanvasMouseMove(drag);
    EXPECT_FLOAT_EQ(ship().getTextureScale(), TextureController::MaxScale);
    EXPECT_FLOAT_EQ(ship().getTextureOffset().x, 0.25f);
}

TEST_F(TexturePaneTest, AResizeRefitsWithoutChangingTheTexturePlacement)
{
    showBox();
    ship().setTextureScale(2);
    ship().setTextureOffset({1, 1});
    texturer()->rebuild();
    canvas()->setSize(CEGUI::USize(CEGUI::UDim(0, 400), CEGUI::UDim(0, 100)));
    EXPECT_FLOAT_EQ(texturer()->getFitScale(), 50.0f);
    EXPECT_FLOAT_EQ(ship().getTextureScale(), 2.0f);
    EXPECT_EQ(ship().getTextureOffset(), (math::Vector2<float>{1, 1}));
    // A canvas without area divides by nothing.
    canvas()->setSize(CEGUI::USize(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)));
    EXPECT_TRUE(std::isfinite(texturer()->getFitScale()));
    EXPECT_GT(texturer()->getFitScale(), 0.0f);
}

TEST_F(TexturePaneTest, TextureButtonsNameTheFilesOfTheTextureFolder)
{
    const auto& buttons = texturer()->textureButtons();
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0]->getUserString("File"), "hazard.png");
    EXPECT_EQ(buttons[3]->getUserString("File"), "worn.png");
    EXPECT_EQ(buttons[0]->getParent()->getName(), "__auto_container__");
    showBox();
    velk_test::click(buttons[2]);
    EXPECT_EQ(ship().getTextureFile(), "ribs.png");
    EXPECT_FALSE(texturer()->isTextureLoaded()); // no window, no texture
    texturer()->setTextureFile("../../velk.db");
    EXPECT_FALSE(texturer()->isTextureLoaded());
}

} // namespace
