#include "foundation/tools/Activable.hpp"
#include "foundation/tools/DelayedBool.hpp"
#include "foundation/tools/Life.hpp"
#include "foundation/tools/Lifecycle.hpp"
#include "foundation/tools/Mirrorable2.hpp"
#include "foundation/tools/Movable2.hpp"
#include "foundation/tools/Named.hpp"
#include "foundation/tools/NonCopyable.hpp"
#include "foundation/tools/Rotatable2.hpp"
#include "foundation/tools/Sizeable2.hpp"
#include "foundation/tools/Updateable.hpp"
#include "foundation/tools/Visible.hpp"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace {

using Vec = math::Vector2<float>;

// Records every hook call together with the flag value seen inside the hook.
struct FlagProbe : tools::Activable, tools::Life, tools::Visible, tools::Mirrorable2 {
    std::vector<std::string> calls;

    FlagProbe(bool active, bool alive, bool visible)
        : tools::Activable(active), tools::Life(alive), tools::Visible(visible)
    {}

    void note(const char* hook, bool seen) { calls.push_back(std::string(hook) + (seen ? "+" : "-")); }
    void onActivate() override { note("activate", isActive()); }
    void onDeactivate() override { note("deactivate", isActive()); }
    void onDeath() override { note("death", isAlive()); }
    void onRevive() override { note("revive", isAlive()); }
    void onShow() override { note("show", isVisible()); }
    void onHide() override { note("hide", isVisible()); }
    void onMirroredX() override { note("mirrorX", isMirroredX()); }
    void onMirroredY() override { note("mirrorY", isMirroredY()); }
};

using Calls = std::vector<std::string>;

TEST(FlagMixins, ConstructionIsSilentInEveryState)
{
    FlagProbe on(true, false, true);
    FlagProbe off(false, true, false);
    EXPECT_TRUE(on.calls.empty());
    EXPECT_TRUE(off.calls.empty());
    EXPECT_TRUE(on.isActive());
    EXPECT_TRUE(on.isDead());
    EXPECT_TRUE(on.isVisible());
    EXPECT_FALSE(on.isMirroredX());
    EXPECT_FALSE(on.isMirroredY());
    EXPECT_FALSE(off.isActive());
    EXPECT_TRUE(off.isAlive());
    EXPECT_FALSE(off.isVisible());
}

TEST(FlagMixins, ActivableFiresOnlyOnRealChangeAfterStoring)
{
    FlagProbe p(true, true, true);
    p.setActive(true);
    p.activate();
    EXPECT_TRUE(p.calls.empty());
    p.deactivate();
    p.deactivate();
    p.setActive(false);
    p.activate();
    EXPECT_EQ(p.calls, (Calls{"deactivate-", "activate+"}));
}

TEST(FlagMixins, LifeFiresOnlyOnRealChangeAfterStoring)
{
    FlagProbe p(true, true, true);
    p.kill();
    p.kill();
    p.setDead(true);
    EXPECT_EQ(p.calls, (Calls{"death-"}));
    p.setDead(false);
    p.revive();
    p.setAlive(true);
    EXPECT_EQ(p.calls, (Calls{"death-", "revive+"}));
    EXPECT_TRUE(p.isAlive());
    EXPECT_FALSE(p.isDead());
}

TEST(FlagMixins, VisibleFiresOnlyOnRealChangeAfterStoring)
{
    FlagProbe p(true, true, false);
    p.hide();
    EXPECT_TRUE(p.calls.empty());
    p.show();
    p.setVisible(true);
    p.hide();
    EXPECT_EQ(p.calls, (Calls{"show+", "hide-"}));
}

TEST(FlagMixins, MirrorOperationsDifferInWhenTheyNotify)
{
    FlagProbe p(true, true, true);
    p.setMirroredX(true);
    p.setMirroredY(true);
    EXPECT_TRUE(p.calls.empty());
    EXPECT_TRUE(p.isMirroredX());
    EXPECT_TRUE(p.isMirroredY());

    p.mirrorToX(true); // no change
    p.mirrorToX(false);
    p.mirrorToX(false);
    p.mirrorToY(false);
    EXPECT_EQ(p.calls, (Calls{"mirrorX-", "mirrorY-"}));

    p.calls.clear();
    p.mirrorX();
    p.mirrorX();
    p.mirrorY();
    p.mirrorY();
    EXPECT_EQ(p.calls, (Calls{"mirrorX+", "mirrorX-", "mirrorY+", "mirrorY-"}));
    EXPECT_FALSE(p.isMirroredX());
    EXPECT_FALSE(p.isMirroredY());
}

struct TransformProbe : tools::Movable2<float>, tools::Rotatable2<float>, tools::Sizeable2<float> {
    std::vector<Vec> moves;
    std::vector<Vec> positionsSeen;
    std::vector<float> turns;
    std::vector<float> rotationsSeen;
    int sized = 0;

    TransformProbe() = default;
    TransformProbe(Vec p, float r) : tools::Movable2<float>(p), tools::Rotatable2<float>(r) {}

    void onMoved(const Vec& d) override
    {
        moves.push_back(d);
        positionsSeen.push_back(getPosition());
    }
    void onRotated(float d) override
    {
        turns.push_back(d);
        rotationsSeen.push_back(getRotation());
    }
    void onSized(const Vec&) override { ++sized; }
};

TEST(TransformMixins, DefaultsAndConstructorsAreSilent)
{
    TransformProbe a;
    EXPECT_EQ(a.getPosition(), Vec(0.f, 0.f));
    EXPECT_EQ(a.getRotation(), 0.f);
    EXPECT_EQ(a.getSize(), Vec(0.f, 0.f));
    TransformProbe b(Vec(3.f, -4.f), 1.5f);
    EXPECT_EQ(b.getPosition(), Vec(3.f, -4.f));
    EXPECT_EQ(b.getRotation(), 1.5f);
    EXPECT_TRUE(a.moves.empty() && b.moves.empty() && b.turns.empty() && b.sized == 0);
}

TEST(TransformMixins, MovableReportsDisplacementOnEveryCallAfterStoring)
{
    TransformProbe t(Vec(1.f, 2.f), 0.f);
    t.setPosition(Vec(4.f, 0.f));
    t.move(Vec(-1.f, 5.f));
    t.move(Vec(0.f, 0.f));
    t.setPosition(t.getPosition());
    EXPECT_EQ(t.moves, (std::vector<Vec>{{3.f, -2.f}, {-1.f, 5.f}, {0.f, 0.f}, {0.f, 0.f}}));
    EXPECT_EQ(t.positionsSeen, (std::vector<Vec>{{4.f, 0.f}, {3.f, 5.f}, {3.f, 5.f}, {3.f, 5.f}}));
}

TEST(TransformMixins, RotatableReportsChangeOnEveryCallAfterStoring)
{
    TransformProbe t(Vec(), 0.5f);
    t.setRotation(2.f);
    t.rotate(-0.5f);
    t.rotate(0.f);
    t.setRotation(1.5f);
    EXPECT_EQ(t.turns, (std::vector<float>{1.5f, -0.5f, 0.f, 0.f}));
    EXPECT_EQ(t.rotationsSeen, (std::vector<float>{2.f, 1.5f, 1.5f, 1.5f}));
}

TEST(TransformMixins, SizeableClampsNegativeComponentsAndNotifiesEveryTime)
{
    TransformProbe t;
    t.setSize(Vec(-3.f, 2.f));
    EXPECT_EQ(t.getSize(), Vec(0.f, 2.f));
    t.setSize(Vec(0.f, 2.f));
    t.setSize(Vec(5.f, -0.25f));
    EXPECT_EQ(t.getSize(), Vec(5.f, 0.f));
    EXPECT_EQ(t.sized, 3);
}

struct LifecycleProbe : tools::Lifecycle {
    std::vector<std::string> calls;
    void onBegin() override { calls.push_back(isRunning() ? "begin(running)" : "begin(stopped)"); }
    void onEnd() override { calls.push_back(isRunning() ? "end(running)" : "end(stopped)"); }
    void onUpdate(float dt) override { calls.push_back("update " + std::to_string(dt)); }
};

TEST(LifecycleMixin, HooksRunBeforeTheFlagChangesAndAreNeverGated)
{
    LifecycleProbe p;
    EXPECT_FALSE(p.isRunning());
    p.update(0.25f);
    p.finish(); // never started: still runs onEnd
    p.start();
    EXPECT_TRUE(p.isRunning());
    p.start(); // again
    p.update(0.5f);
    p.finish();
    EXPECT_FALSE(p.isRunning());
    EXPECT_EQ(p.calls, (Calls{"update " + std::to_string(0.25f), "end(stopped)", "begin(stopped)", "begin(running)",
                              "update " + std::to_string(0.5f), "end(running)"}));
}

TEST(UpdateableMixin, UpdatePassesTheSameStepThroughBaseReferences)
{
    LifecycleProbe p;
    tools::Updateable& base = p;
    base.update(1.0f / 60.f);
    ASSERT_EQ(p.calls.size(), 1u);
    EXPECT_EQ(p.calls[0], "update " + std::to_string(1.0f / 60.f));
}

TEST(DelayedBoolMixin, SwitchesOnlyAfterTargetDifferedForTheSwitchTime)
{
    tools::DelayedBool b(0.5f, false);
    b.update(true, 0.2f);
    b.update(true, 0.2f);
    EXPECT_FALSE(b);
    b.update(true, 0.2f); // timer 0.6
    EXPECT_TRUE(b);

    // An equal target in between restarts the count.
    tools::DelayedBool c(0.5f, false);
    c.update(true, 0.2f);
    c.update(true, 0.2f);
    c.update(false, 0.2f);
    c.update(true, 0.2f);
    c.update(true, 0.2f);
    EXPECT_FALSE(c);
    c.update(true, 0.2f);
    EXPECT_TRUE(c);
}

TEST(DelayedBoolMixin, TimerKeepsItsSumSoAnImmediateFlipBackSwitchesAtOnce)
{
    tools::DelayedBool b(0.5f, false);
    b.update(true, 0.3f);
    b.update(true, 0.3f);
    ASSERT_TRUE(b);
    b.update(false, 0.01f);
    EXPECT_FALSE(b);
    // setValue and reset both restart the timer.
    b.setValue(true);
    EXPECT_TRUE(b);
    b.update(false, 0.3f);
    EXPECT_TRUE(b);
    b.reset();
    b.update(false, 0.3f);
    EXPECT_TRUE(b);
    b.update(false, 0.3f);
    EXPECT_FALSE(b);
}

TEST(DelayedBoolMixin, SwitchTimeIsNeverNegativeAndZeroSwitchesAtOnce)
{
    tools::DelayedBool b(1.f, true);
    EXPECT_EQ(b.getSwitchTime(), 1.f);
    b.setSwitchTime(-1.f);
    EXPECT_EQ(b.getSwitchTime(), 0.f);
    b.update(false, 0.f);
    EXPECT_FALSE(b);
    b.setSwitchTime(2.f);
    EXPECT_EQ(b.getSwitchTime(), 2.f);
}

TEST(OtherMixins, NamedKeepsAndReplacesItsName)
{
    tools::Named n("Fúró");
    EXPECT_EQ(n.getName(), "Fúró");
    n.getName() += " 2";
    EXPECT_EQ(n.getName(), "Fúró 2");
    n.setName("lánctalp");
    const tools::Named& cn = n;
    EXPECT_EQ(cn.getName(), "lánctalp");
}

struct Owner : tools::NonCopyable {
    int x = 0;
};

TEST(OtherMixins, NonCopyableForbidsCopiesOfDerivedClasses)
{
    EXPECT_FALSE(std::is_copy_constructible<Owner>::value);
    EXPECT_FALSE(std::is_copy_assignable<Owner>::value);
    EXPECT_TRUE(std::has_virtual_destructor<tools::NonCopyable>::value);
}

} // namespace
