// The test drive on the null GUI renderer: the world and its view, the test
// ship's start, fall and reset, the flat hull's shapes, the physics overlay
// and the test jet's marker.

#include "game/editor/tests/EditorTestSupport.hpp"

#include "engine/GameFloatingTextEmitter.hpp"
#include "game/editor/TestHullComponent.hpp"
#include "game/editor/TestPartComponents.hpp"
#include "game/ship/backend/ShipEntry.hpp"

namespace {

class TestDriveTest : public velk_test::EditorFixture {
protected:
    velk::backend::ShipEntry& ship() const { return *editor->getShip(); }

    void addBox(float x0, float y0, float x1, float y1)
    {
        ship().insertPoint(x0, y0, 0);
        ship().insertPoint(x1, y0, 0);
        ship().insertPoint(x1, y1, 0);
        ship().insertPoint(x0, y1, 0);
    }

    void showTestDrive()
    {
        static_cast<CEGUI::TabControl*>(window("Center/View/Tabs"))->setSelectedTabAtIndex(2);
        quietTestDrive();
    }

    void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            tester()->update(1.0f / 60.0f);
    }

    const velk::TestHullComponent* hull() const
    {
        return dynamic_cast<const velk::TestHullComponent*>(tester()->getShip()->hull());
    }
};

TEST_F(TestDriveTest, TheShipStartsAboveTheGroundAndComesToRestOnIt)
{
    addBox(10, 10, 14, 12); // far from the origin: the test drive centres it
    showTestDrive();
    velk::TestShipObject* first = tester()->getShip();
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->getPosition().x, 3.0f);
    EXPECT_FLOAT_EQ(first->getPosition().y, 8.0f);
    // The edited description is copied, not moved.
    EXPECT_FLOAT_EQ(ship().pointSet().getResources()[0]->getPosition().x, 10.0f);
    frames(300);
    const float rest = first->getPosition().y;
    EXPECT_NEAR(rest, 1.0f, 0.05f); // half the box's height above the ground line
    frames(60);
    EXPECT_NEAR(first->getPosition().y, rest, 1e-3f);

    tester()->initShip(); // what R does
    quietTestDrive();
    EXPECT_FLOAT_EQ(tester()->getShip()->getPosition().y, 8.0f);
    EXPECT_EQ(tester()->getWorld().getResources().size(), 3u); // text emitter, ground, ship
}

TEST_F(TestDriveTest, EditsReachTheTestDriveOnItsNextActivation)
{
    addBox(-1, -1, 1, 1);
    showTestDrive();
    EXPECT_EQ(hull()->getPieces().size(), 2u);
    static_cast<CEGUI::TabControl*>(window("Center/View/Tabs"))->setSelectedTabAtIndex(0);
    ship().insertPointAfter(0, 2, 0, ship().pointSet().getResources()[2]); // a roof point
    showTestDrive();
    EXPECT_EQ(hull()->getPieces().size(), 3u);
    EXPECT_EQ(hull()->getOutline().getVertexCount(), 6u);
}

TEST_F(TestDriveTest, TheHullDrawsItsOutlineAndTrianglesUpsideUp)
{
    addBox(0, 0, 2, 1);
    showTestDrive();
    const velk::TestHullComponent* shapes = hull();
    ASSERT_NE(shapes, nullptr);
    const sf::VertexArray& outline = shapes->getOutline();
    ASSERT_EQ(outline.getVertexCount(), 5u); // closed: the first point again
    EXPECT_EQ(outline[0].position, outline[4].position);
    EXPECT_EQ(outline[0].color, sf::Color(114, 253, 255, 255));
    EXPECT_EQ(outline.getPrimitiveType(), sf::LineStrip);
    ASSERT_EQ(shapes->getPieces().size(), 2u);
    float top = 1e9f;
    for (const sf::ConvexShape& piece : shapes->getPieces()) {
        EXPECT_EQ(piece.getPointCount(), 3u);
        EXPECT_EQ(piece.getFillColor(), sf::Color(31, 52, 55, 255));
        for (std::size_t i = 0; i < 3; ++i)
            top = std::min(top, piece.getPoint(i).y);
    }
    EXPECT_FLOAT_EQ(top, -0.5f); // y negated, centred box of height 1
}

TEST_F(TestDriveTest, AnUnusableHullStillStartsAtItsPlace)
{
    ship().insertPoint(0, 0, 0);
    ship().insertPoint(1, 0, 0);
    showTestDrive();
    ASSERT_NE(tester()->getShip(), nullptr);
    EXPECT_FLOAT_EQ(tester()->getShip()->getPosition().y, 8.0f);
    EXPECT_TRUE(hull()->getPieces().empty());
    EXPECT_EQ(hull()->getOutline().getVertexCount(), 0u);
    frames(10);
}

TEST_F(TestDriveTest, TheOverlayTogglesWithAFloatingText)
{
    addBox(-1, -1, 1, 1);
    showTestDrive();
    // No font: laying out a text would need a window for the glyph texture.
    tester()->getWorld().setDefaultFont("no-font.ttf");
    EXPECT_FALSE(tester()->getWorld().isPhisicsDebugDrawEnabled());
    tester()->togglePhysicsOverlay();
    EXPECT_TRUE(tester()->getWorld().isPhisicsDebugDrawEnabled());
    tester()->togglePhysicsOverlay();
    EXPECT_FALSE(tester()->getWorld().isPhisicsDebugDrawEnabled());
    EXPECT_EQ(tester()->getWorld().floatingTextEmitter()->getResources().size(), 2u);
    // The setting survives a reset.
    tester()->togglePhysicsOverlay();
    tester()->initShip();
    EXPECT_TRUE(tester()->getWorld().isPhisicsDebugDrawEnabled());
}

TEST_F(TestDriveTest, TheViewIsFortyUnitsWideWithTheGroundNearTheBottom)
{
    window("Center/View/Tabs/TestPane/Canvas")->setSize(CEGUI::USize(CEGUI::UDim(0, 800), CEGUI::UDim(0, 400)));
    const sf::View& view = tester()->getWorld().getCamera();
    EXPECT_FLOAT_EQ(view.getSize().x, 40.0f);
    EXPECT_FLOAT_EQ(view.getSize().y, 20.0f);
    EXPECT_FLOAT_EQ(view.getCenter().x, 0.0f);
    EXPECT_FLOAT_EQ(view.getCenter().y, -9.0f);
    // A canvas without area keeps the last view.
    window("Center/View/Tabs/TestPane/Canvas")->setSize(CEGUI::USize(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)));
    EXPECT_FLOAT_EQ(view.getSize().y, 20.0f);
}

TEST(TestJetTest, MarkerShowsACrossAndAThrustLine)
{
    const sf::VertexArray idle = velk::TestJetComponent::markerLines(0.0f);
    ASSERT_EQ(idle.getVertexCount(), 6u);
    EXPECT_EQ(idle.getPrimitiveType(), sf::Lines);
    EXPECT_EQ(idle[0].position, sf::Vector2f(-0.1f, -0.1f));
    EXPECT_EQ(idle[3].position, sf::Vector2f(0.1f, -0.1f));
    EXPECT_EQ(idle[4].position, idle[5].position);
    EXPECT_EQ(idle[5].color, sf::Color(114, 253, 255, 255));
    EXPECT_FLOAT_EQ(velk::TestJetComponent::markerLines(1000.0f)[5].position.y, -3.0f);
    EXPECT_FLOAT_EQ(velk::TestJetComponent::markerLines(-1000.0f)[5].position.y, 3.0f);
}

} // namespace
