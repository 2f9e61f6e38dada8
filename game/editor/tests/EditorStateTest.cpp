// The editor screen on the null GUI renderer: start, panes and tabs, the ship
// menu and the file window with its name rules, and failures that keep the
// edited ship.

#include "game/editor/tests/EditorTestSupport.hpp"

#include "testsupport/LogCapture.hpp"

namespace {

class EditorStateTest : public velk_test::EditorFixture {};

TEST_F(EditorStateTest, StartsWithTheBuilderActive)
{
    ASSERT_EQ(editor->getControllers().size(), 3u);
    EXPECT_TRUE(builder()->isActive());
    EXPECT_FALSE(texturer()->isActive());
    EXPECT_FALSE(tester()->isActive());
}

} // namespace
