#include "app/Main.hpp"
#include "framework/sfml/GraphicsState.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "framework/sfml/SfmlState.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records the frame steps; handleEvents answers false from a chosen frame on.
struct FakeState : GraphicsState {
    std::vector<std::string> calls;
    int framesBeforeClose = 1000;
    int frames = 0;

    bool handleEvents() override
    {
        calls.push_back("events");
        return ++frames <= framesBeforeClose;
    }
    void update() override { calls.push_back("update"); }
    void preRender() override { calls.push_back("pre"); }
    void renderCore() override { calls.push_back("core"); }
    void postRender() override { calls.push_back("post"); }
};

using Calls = std::vector<std::string>;

} // namespace

TEST(GraphicsState, OneFrameRunsTheStepsInOrder)
{
    auto state = std::make_shared<FakeState>();
    app::Main::Singleton.pushState(state);
    state->onStateRun();
    EXPECT_EQ(state->calls, (Calls{"events", "update", "pre", "core", "post"}));
    EXPECT_EQ(app::Main::Singleton.size(), 1u);
    app::Main::Singleton.popAllStates();
}

TEST(GraphicsState, ClosedWindowEndsTheProgramBeforeAnyDrawing)
{
    auto below = std::make_shared<FakeState>();
    auto state = std::make_shared<FakeState>();
    state->framesBeforeClose = 0;
    app::Main::Singleton.pushState(below);
    app::Main::Singleton.pushState(state);
    state->onStateRun();
    EXPECT_EQ(state->calls, (Calls{"events"}));
    EXPECT_TRUE(app::Main::Singleton.empty());
    EXPECT_TRUE(below->calls.empty());
}

TEST(GraphicsState, MainLoopRunsFramesUntilTheWindowCloses)
{
    auto state = std::make_shared<FakeState>();
    state->framesBeforeClose = 2;
    EXPECT_EQ(app::Main::Singleton.run(state), 0);
    const Calls frame{"events", "update", "pre", "core", "post"};
    Calls expected = frame;
    expected.insert(expected.end(), frame.begin(), frame.end());
    expected.push_back("events");
    EXPECT_EQ(state->calls, expected);
}

TEST(GraphicsState, DefaultColourIsOpaqueBlack)
{
    GraphicsState state;
    EXPECT_EQ(state.getBackgroundColor(), (std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_TRUE(state.handleEvents());
}

TEST(SfmlState, SetupStateBindsTheFramework)
{
    SfmlFramework sfml;
    SfmlState state;
    EXPECT_EQ(state.getSfmlFramework(), nullptr);
    EXPECT_EQ(sfml.setupState(&state), &state);
    EXPECT_EQ(state.getSfmlFramework(), &sfml);
    EXPECT_EQ(sfml.setupState(nullptr), nullptr);
}

TEST(SfmlState, WithoutAWindowTheFrameEndsTheProgram)
{
    // Neither a missing framework nor a framework without a window may crash
    // the frame: both mean there is no window, so the program ends.
    auto unbound = std::make_shared<SfmlState>();
    app::Main::Singleton.pushState(unbound);
    unbound->onStateRun();
    EXPECT_TRUE(app::Main::Singleton.empty());

    SfmlFramework sfml;
    auto state = std::make_shared<SfmlState>();
    sfml.setupState(state.get());
    app::Main::Singleton.pushState(state);
    state->onStateRun();
    EXPECT_TRUE(app::Main::Singleton.empty());
}
