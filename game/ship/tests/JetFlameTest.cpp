// The flame of a jet: level textures, the burning and die-out animations and
// their durations, and broken flame files.

#include "game/ship/JetFlame.hpp"

#include "testsupport/LogCapture.hpp"
#include "testsupport/TempFolder.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <gtest/gtest.h>

#include <string>

using velk::JetFlame;
using velk_test::writeFile;

namespace {

class JetFlameTest : public velk_test::TempFolderTest {
protected:
    sf::RectangleShape shape;
    JetFlame flame{&shape};

    /// A flame file with `levels` level files and the named frames.
    std::string write(int levels, const std::vector<std::string>& frames)
    {
        std::string images;
        int x = 0;
        for (const std::string& name : frames) {
            images += (images.empty() ? "" : ",") + std::string("\"") + name + "\": [" + std::to_string(x) +
                      ", 0, 10, 20]";
            x += 10;
        }
        writeFile(folder / "f" / "f.img.json", "{\"ImageFile\": \"f.png\", \"Images\": {" + images + "}}");
        std::string list;
        for (int i = 0; i < levels; ++i)
            list += (i ? ", " : "") + std::string("\"f_") + std::to_string(i) + ".png\"";
        writeFile(folder / "f" / "f.flame.json", "{\"ImageSet\": \"f.img.json\", \"Levels\": [" + list + "]}");
        return (folder / "f" / "f.flame.json").string();
    }

    /// Duration of the playing animation, from one update's progress.
    static float measuredDuration(JetFlame& f)
    {
        const float before = f.animator()->getProgress();
        f.update(0.001f);
        return 0.001f / (f.animator()->getProgress() - before);
    }
};

} // namespace

TEST_F(JetFlameTest, LevelIndexFollowsTheThrustAndTheFirstBurnAlwaysSetsOne)
{
    ASSERT_TRUE(flame.loadFromFile(write(4, {"Frame1"})));
    EXPECT_EQ(flame.levels().size(), 4u);
    EXPECT_EQ(flame.levels()[2].file, (folder / "f" / "f_2.png").string());
    EXPECT_EQ(flame.getCurrentLevel(), 4u);
    const std::pair<float, unsigned> cases[] = {{0.1f, 0}, {0.25f, 1}, {0.99f, 3}, {1.0f, 3}, {7.0f, 3}, {0.3f, 1}};
    for (const auto& [level, index] : cases) {
        flame.setLevel(level);
        EXPECT_EQ(flame.getCurrentLevel(), index) << level;
        EXPECT_EQ(shape.getFillColor(), sf::Color::White);
    }
}

TEST_F(JetFlameTest, AnimationsLastOneFrameTimeMoreThanTheirFrames)
{
    struct Case {
        std::vector<std::string> frames;
        float burning;
        float dieout;
    };
    const Case cases[] = {
        {{"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"}, 0.18f, 0.03f},
        {{"Frame1", "Frame2", "Frame4", "Frame5", "Dieoutframe1", "Dieoutframe2"}, 0.09f, 0.09f},
        {{}, 0.03f, 0.03f},
    };
    for (const Case& c : cases) {
        sf::RectangleShape s;
        JetFlame f(&s);
        ASSERT_TRUE(f.loadFromFile(write(0, c.frames)));
        f.setLevel(1.0f);
        EXPECT_NEAR(measuredDuration(f), c.burning, 1e-3f);
        f.setLevel(0.0f);
        ASSERT_EQ(f.animator()->getPlayingAnimation(), JetFlame::Dieout);
        EXPECT_NEAR(measuredDuration(f), c.dieout, 1e-3f);
    }
}

TEST_F(JetFlameTest, BurnsDiesOutOnceAndTurnsTransparent)
{
    ASSERT_TRUE(flame.loadFromFile(write(2, {"Frame1", "Frame2", "Dieoutframe1", "Dieoutframe2"})));
    const auto* animator = flame.animator();
    // Nothing burns at level 0, whichever the side.
    flame.setLevel(0.0f);
    EXPECT_FALSE(animator->isPlayingAnimation());
    EXPECT_EQ(shape.getFillColor(), sf::Color::Transparent);

    flame.setLevel(0.5f);
    EXPECT_EQ(animator->getPlayingAnimation(), JetFlame::Burning);
    flame.update(0.05f);
    EXPECT_EQ(shape.getTextureRect(), sf::IntRect(10, 0, 10, 20)); // frame 2 of 2 at progress 5/9
    flame.update(0.1f);                                            // past the end: loops
    EXPECT_TRUE(animator->isPlayingAnimation());

    flame.setLevel(-0.5f); // the positive flame stops burning
    EXPECT_EQ(animator->getPlayingAnimation(), JetFlame::Dieout);
    EXPECT_EQ(shape.getFillColor(), sf::Color::White);
    flame.setLevel(1.0f); // the die-out is left to finish
    EXPECT_EQ(animator->getPlayingAnimation(), JetFlame::Dieout);
    flame.update(0.1f); // 0.09 s: over
    EXPECT_FALSE(animator->isPlayingAnimation());
    flame.setLevel(0.0f);
    EXPECT_EQ(shape.getFillColor(), sf::Color::Transparent);
    flame.setLevel(1.0f);
    EXPECT_EQ(animator->getPlayingAnimation(), JetFlame::Burning);

    JetFlame negative(&shape);
    negative.setDirection(JetFlame::Negative);
    ASSERT_TRUE(negative.loadFromFile(write(0, {"Frame1"})));
    negative.setLevel(0.0f);
    EXPECT_FALSE(negative.animator()->isPlayingAnimation());
    negative.setLevel(-0.2f);
    EXPECT_TRUE(negative.animator()->isPlayingAnimation());
}

TEST_F(JetFlameTest, BrokenFilesMakeNoFlame)
{
    writeFile(folder / "bad.flame.json", "{\"Levels\": [");
    writeFile(folder / "array.flame.json", "[1, 2]");
    writeFile(folder / "odd.flame.json", "{\"ImageSet\": 5, \"Levels\": [\"a.png\", 3, \"b.png\"]}");
    velk_test::LogCapture log;
    EXPECT_FALSE(flame.loadFromFile((folder / "missing.flame.json").string()));
    EXPECT_FALSE(flame.loadFromFile((folder / "bad.flame.json").string()));
    EXPECT_EQ(flame.animator(), nullptr);
    EXPECT_EQ(log.count("[JetFlame]"), 2);
    EXPECT_TRUE(log.contains("missing.flame.json"));
    flame.setLevel(1.0f); // nothing to animate: the shape is left alone
    EXPECT_EQ(shape.getFillColor(), sf::Color::White);

    // A root that is not an object still builds both (empty) animations.
    ASSERT_TRUE(flame.loadFromFile((folder / "array.flame.json").string()));
    EXPECT_TRUE(flame.levels().empty());
    EXPECT_TRUE(flame.animator()->hasAnimation(JetFlame::Burning));
    EXPECT_TRUE(flame.animator()->hasAnimation(JetFlame::Dieout));
    ASSERT_TRUE(flame.loadFromFile((folder / "odd.flame.json").string()));
    EXPECT_EQ(flame.levels().size(), 2u);
}
