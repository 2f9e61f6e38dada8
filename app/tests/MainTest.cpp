#include "app/Main.hpp"
#include "app/State.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A state that records its hooks and runs a scripted action per pass.
class Probe : public app::State {
public:
    Probe(std::string name, Log& log) : name(std::move(name)), log(log) {}
    ~Probe() override { log.push_back(name + ".dtor"); }

    void onStateStart() override
    {
        log.push_back(name + ".start");
        if (onStart) {
            auto f = std::move(onStart);
            onStart = nullptr;
            f();
        }
    }
    void onStateEnd() override
    {
        log.push_back(name + ".end");
        if (onEnd) {
            auto f = std::move(onEnd);
            onEnd = nullptr;
            f();
        }
    }
    void onStateRun() override
    {
        log.push_back(name + ".run");
        ++runs;
        if (runs <= static_cast<int>(script.size()) && script[runs - 1])
            script[runs - 1]();
    }

    std::string name;
    Log& log;
    int runs = 0;
    std::vector<std::function<void()>> script; // action of the n-th run
    std::function<void()> onStart;
    std::function<void()> onEnd;
};

class AppMainLoop : public ::testing::Test {
protected:
    void TearDown() override
    {
        // The singleton outlives each case; leave it empty and in sync.
        app::Main::Singleton.popAllStates();
        app::Main::Singleton.updateState();
    }

    std::shared_ptr<Probe> make(const std::string& name) { return std::make_shared<Probe>(name, log); }
    int runFirst(std::shared_ptr<Probe> first) { return app::Main::Singleton.run(std::move(first)); }

    Log log;
};

TEST_F(AppMainLoop, SingleStateThatStopsItself)
{
    auto a = make("a");
    a->script = {nullptr, [] { app::State::stop(); }};
    std::weak_ptr<Probe> weak = a;
    EXPECT_EQ(runFirst(std::move(a)), 0);
    EXPECT_EQ(log, (Log{"a.start", "a.run", "a.run", "a.end", "a.dtor"}));
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(app::Main::Singleton.empty());
}

TEST_F(AppMainLoop, PushCoversAndPopUncovers)
{
    auto a = make("a");
    auto b = make("b");
    b->script = {[] { app::State::stop(); }};
    a->script = {[b]() mutable { app::State::start(std::move(b)); }, [] { app::State::stop(); }};
    b.reset();
    runFirst(std::move(a));
    EXPECT_EQ(log, (Log{"a.start", "a.run", "a.end", "b.start", "b.run", "b.end", "a.start", "b.dtor", "a.run", "a.end",
                        "a.dtor"}));
}

TEST_F(AppMainLoop, ReplaceEndsOldBeforeStartingNewAndDestroysOldAfterwards)
{
    auto a = make("a");
    auto b = make("b");
    b->script = {[] { app::State::terminate(); }};
    a->script = {[b]() mutable { app::State::replace(std::move(b)); }};
    b.reset();
    runFirst(std::move(a));
    // The replaced state stays alive until the new top has started.
    EXPECT_EQ(log, (Log{"a.start", "a.run", "a.end", "b.start", "a.dtor", "b.run", "b.end", "b.dtor"}));
}

TEST_F(AppMainLoop, TerminateFromDeepStackEndsOnlyTheTop)
{
    auto a = make("a");
    auto b = make("b");
    b->script = {[] { app::State::terminate(); }};
    a->script = {[b]() mutable { app::State::start(std::move(b)); }};
    b.reset();
    runFirst(std::move(a));
    EXPECT_FALSE(app::Main::Singleton.isRunning());
    // "a" was covered when "b" came, so only "b" is told that it left the top.
    EXPECT_EQ(log, (Log{"a.start", "a.run", "a.end", "b.start", "b.run", "a.dtor", "b.end", "b.dtor"}));
}

TEST_F(AppMainLoop, PushThenPopInOneRunFiresNothing)
{
    auto a = make("a");
    auto b = make("b");
    std::weak_ptr<Probe> weakB = b;
    a->script = {[b]() mutable {
                     app::State::start(std::move(b));
                     app::State::stop();
                 },
                 [] { app::State::stop(); }};
    b.reset();
    runFirst(std::move(a));
    EXPECT_EQ(log, (Log{"a.start", "a.run", "b.dtor", "a.run", "a.end", "a.dtor"}));
    EXPECT_TRUE(weakB.expired());
}

TEST_F(AppMainLoop, ReplaceWithSameObjectFiresNothing)
{
    auto a = make("a");
    std::weak_ptr<Probe> self = a;
    a->script = {[self] { app::State::replace(self.lock()); }, [] { app::State::stop(); }};
    runFirst(std::move(a));
    EXPECT_EQ(log, (Log{"a.start", "a.run", "a.run", "a.end", "a.dtor"}));
}

TEST_F(AppMainLoop, ReplaceWithNullKeepsTop)
{
    auto a = make("a");
    a->script = {[] { app::State::replace(nullptr); }, [] { app::State::stop(); }};
    runFirst(std::move(a));
    EXPECT_EQ(log, (Log{"a.start", "a.run", "a.run", "a.end", "a.dtor"}));
}

TEST_F(AppMainLoop, StatePushedFromStartHookRunsBeforeItsOwnStart)
{
    auto a = make("a");
    auto b = make("b");
    b->script = {nullptr, [] { app::State::stop(); }};
    a->onStart = [b]() mutable { app::State::start(std::move(b)); };
    a->script = {[] { app::State::stop(); }};
    b.reset();
    runFirst(std::move(a));
    EXPECT_EQ(log, (Log{"a.start", "b.run", "a.end", "b.start", "b.run", "b.end", "a.start", "b.dtor", "a.run", "a.end",
                        "a.dtor"}));
}

TEST_F(AppMainLoop, StatePushedFromStartHookMayStopItselfInItsFirstRun)
{
    auto a = make("a");
    auto b = make("b");
    std::weak_ptr<Probe> weakB = b;
    bool aliveAfterStop = false;
    // Only the stack holds "b", and the loop has not seen it as the top yet.
    b->script = {[&] {
        app::State::stop();
        aliveAfterStop = !weakB.expired();
    }};
    a->onStart = [b]() mutable { app::State::start(std::move(b)); };
    a->script = {[] { app::State::stop(); }};
    b.reset();
    runFirst(std::move(a));
    EXPECT_TRUE(aliveAfterStop);
    // "b" never became the top in a comparison, so it gets no hook, and "a" was never covered.
    EXPECT_EQ(log, (Log{"a.start", "b.run", "b.dtor", "a.run", "a.end", "a.dtor"}));
}

TEST_F(AppMainLoop, NullFirstStateReturnsAtOnce)
{
    EXPECT_EQ(app::Main::Singleton.run(nullptr), 0);
    EXPECT_TRUE(app::Main::Singleton.empty());
}

TEST_F(AppMainLoop, StopAndTerminateOnEmptyStack)
{
    app::Main main;
    auto a = make("a");
    a->script = {[&main] { main.popState(); }};
    EXPECT_EQ(main.run(std::move(a)), 0);
    // Popping the last state ends the loop but leaves the running flag alone.
    EXPECT_TRUE(main.isRunning());
    main.popState();
    EXPECT_TRUE(main.empty());
    main.popAllStates();
    EXPECT_TRUE(main.empty());
    EXPECT_FALSE(main.isRunning());
}

TEST(AppMainStack, OperationsNeverCallHooks)
{
    Log log;
    app::Main main;
    auto a = std::make_shared<Probe>("a", log);
    auto b = std::make_shared<Probe>("b", log);
    main.pushState(a);
    main.pushState(nullptr);
    main.pushState(b);
    EXPECT_EQ(main.size(), 2u);
    main.replaceState(nullptr);
    EXPECT_EQ(main.size(), 2u);
    main.replaceState(a);
    main.popState();
    EXPECT_EQ(main.size(), 1u);
    EXPECT_TRUE(log.empty());
    main.updateState();
    main.updateState();
    EXPECT_EQ(log, (Log{"a.start"}));
    main.popAllStates();
    main.updateState();
    EXPECT_EQ(log, (Log{"a.start", "a.end"}));
}

TEST(AppMainStack, DestructorReleasesWithoutHooks)
{
    Log log;
    {
        app::Main main;
        main.pushState(std::make_shared<Probe>("a", log));
        main.pushState(std::make_shared<Probe>("b", log));
        main.updateState();
        log.clear();
    }
    // Bottom first, no onStateEnd.
    EXPECT_EQ(log, (Log{"a.dtor", "b.dtor"}));
}

TEST(AppMainStack, LastSeenTopThatLeftTheStackIsReleasedFirst)
{
    Log log;
    {
        app::Main main;
        main.pushState(std::make_shared<Probe>("a", log));
        main.pushState(std::make_shared<Probe>("b", log));
        main.updateState();
        // "b" leaves the stack but is still the top the loop saw last.
        main.popState();
        main.pushState(std::make_shared<Probe>("c", log));
        log.clear();
    }
    // The remembered top is let go before the stack, which goes bottom first.
    EXPECT_EQ(log, (Log{"b.dtor", "a.dtor", "c.dtor"}));
}

} // namespace
