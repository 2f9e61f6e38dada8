#include "framework/sfml/SfmlEventListener.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "framework/sfml/SfmlListenerList.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Writes its name into a shared log for every call, then runs an optional
// action (to change the list while it is being walked).
struct LoggingListener : SfmlEventListener {
    LoggingListener(std::string name_, std::vector<std::string>& log_) : name(std::move(name_)), log(log_) {}
    void beforeSfHandle() override { log.push_back("pre:" + name); }
    void handleSfEvent(const sf::Event&) override
    {
        log.push_back(name);
        if (action) {
            auto once = std::move(action);
            action = nullptr;
            once();
        }
    }
    std::string name;
    std::vector<std::string>& log;
    std::function<void()> action;
};

sf::Event keyEvent()
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {sf::Keyboard::A, false, false, false, false};
    return event;
}

void dispatch(SfmlListenerList& list)
{
    const sf::Event event = keyEvent();
    list.forEach([&](SfmlEventListener& l) { l.handleSfEvent(event); });
}

using Log = std::vector<std::string>;

} // namespace

TEST(SfmlListenerList, AddIgnoresNullAndDuplicatesRemoveKeepsOrder)
{
    Log log;
    LoggingListener a("a", log), b("b", log), c("c", log);
    SfmlListenerList list;
    list.add(nullptr);
    list.add(&a);
    list.add(&b);
    list.add(&a);
    list.add(&c);
    EXPECT_EQ(list.size(), 3u);
    list.remove(nullptr);
    LoggingListener stranger("x", log);
    list.remove(&stranger);
    list.remove(&b);
    EXPECT_FALSE(list.contains(&b));
    dispatch(list);
    EXPECT_EQ(log, (Log{"a", "c"}));
}

TEST(SfmlListenerList, ListenerRemovingItselfDoesNotMakeTheWalkSkipTheNextOne)
{
    Log log;
    LoggingListener a("a", log), b("b", log), c("c", log);
    SfmlListenerList list;
    list.add(&a);
    list.add(&b);
    list.add(&c);
    b.action = [&] { list.remove(&b); };
    dispatch(list);
    EXPECT_EQ(log, (Log{"a", "b", "c"}));
    log.clear();
    dispatch(list);
    EXPECT_EQ(log, (Log{"a", "c"}));
}

TEST(SfmlListenerList, RemovingOthersDuringTheWalk)
{
    Log log;
    LoggingListener a("a", log), b("b", log), c("c", log), d("d", log);
    SfmlListenerList list;
    for (LoggingListener* l : {&a, &b, &c, &d})
        list.add(l);
    // b removes one already visited and one still ahead: c is still reached,
    // d is not called after its removal.
    b.action = [&] {
        list.remove(&a);
        list.remove(&d);
    };
    dispatch(list);
    EXPECT_EQ(log, (Log{"a", "b", "c"}));
}

TEST(SfmlListenerList, ListenerAddedDuringTheWalkGetsTheSameEvent)
{
    Log log;
    LoggingListener a("a", log), b("b", log), late("late", log);
    SfmlListenerList list;
    list.add(&a);
    list.add(&b);
    a.action = [&] { list.add(&late); };
    dispatch(list);
    EXPECT_EQ(log, (Log{"a", "b", "late"}));
}

TEST(SfmlListenerList, ClearingDuringTheWalkStopsIt)
{
    Log log;
    LoggingListener a("a", log), b("b", log), c("c", log), fresh("fresh", log);
    SfmlListenerList list;
    list.add(&a);
    list.add(&b);
    list.add(&c);
    b.action = [&] {
        list.clear();
        list.add(&fresh);
    };
    dispatch(list);
    EXPECT_EQ(log, (Log{"a", "b", "fresh"}));
    EXPECT_EQ(list.size(), 1u);
}

TEST(SfmlListenerList, NestedWalksBothSurviveARemoval)
{
    // A listener that triggers another dispatch (a window re-creation sends a
    // Resized event to everyone) and a removal inside the inner walk.
    Log log;
    LoggingListener a("a", log), b("b", log), c("c", log);
    SfmlListenerList list;
    list.add(&a);
    list.add(&b);
    list.add(&c);
    a.action = [&] {
        c.action = [&] { list.remove(&a); };
        dispatch(list);
    };
    dispatch(list);
    // Outer: a (inner: a b c, c removes a), then b and c once more.
    EXPECT_EQ(log, (Log{"a", "a", "b", "c", "b", "c"}));
}

TEST(SfmlListenerList, AddAndRemoveFromAnotherThreadWhileDispatching)
{
    // The loading thread builds and destroys input objects while the main
    // thread keeps handing out events. A listener must never be called after
    // its removal has returned (its owner may then destroy it).
    struct Checked : SfmlEventListener {
        std::atomic<bool> removed{false};
        std::atomic<int> callsAfterRemoval{0};
        std::atomic<int> calls{0};
        bool slow = false;
        void handleSfEvent(const sf::Event&) override
        {
            ++calls;
            if (removed)
                ++callsAfterRemoval;
            // Keeps the walk busy, so that a removal can fall inside it.
            const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(slow ? 20 : 0);
            while (slow && std::chrono::steady_clock::now() < until) {
            }
        }
    };

    SfmlListenerList list;
    Checked resident;
    resident.slow = true;
    list.add(&resident);
    std::atomic<bool> stop{false};
    std::atomic<int> builtAndDestroyed{0};
    std::atomic<int> lateCalls{0};

    std::thread loader([&] {
        while (!stop) {
            auto made = std::make_unique<Checked>();
            list.add(made.get());
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            list.remove(made.get());
            made->removed = true;
            // Give a walk that still holds the pointer time to call it.
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            lateCalls += made->callsAfterRemoval;
            made.reset();
            ++builtAndDestroyed;
        }
    });

    const sf::Event event = keyEvent();
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int i = 0; (i < 5000 || builtAndDestroyed < 50) && std::chrono::steady_clock::now() < giveUp; ++i) {
        list.forEach([&](SfmlEventListener& l) { l.handleSfEvent(event); });
        std::this_thread::yield();
    }
    stop = true;
    loader.join();

    EXPECT_GE(builtAndDestroyed, 50);
    EXPECT_EQ(lateCalls, 0);
    EXPECT_GE(resident.calls, 5000);
    EXPECT_EQ(list.size(), 1u);
}

TEST(SfmlFrameworkListeners, PreHandleAndHandleReachEveryListenerInOrder)
{
    Log log;
    LoggingListener a("a", log), b("b", log);
    SfmlFramework sfml;
    sfml.addListener(&a);
    sfml.addListener(&b);
    sfml.addListener(&a);
    EXPECT_EQ(sfml.getListenerCount(), 2u);
    sfml.callListenersPreHandle();
    sfml.callListenersHandle(keyEvent());
    EXPECT_EQ(log, (Log{"pre:a", "pre:b", "a", "b"}));
    sfml.removeListener(&a);
    EXPECT_FALSE(sfml.hasListener(&a));
    sfml.removeAllListeners();
    EXPECT_EQ(sfml.getListenerCount(), 0u);
}
