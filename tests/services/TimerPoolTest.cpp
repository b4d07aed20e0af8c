#include "services/TimerPool.h"

#include "framework/TApplication.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "platform/fake/VirtualClock.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct VirtualApp : ::testing::Test {
    platform::VirtualClock clock;
    platform::Clock::Installed clock_installed { clock };
    platform::FakeWindow window { clock };
    platform::FakeTextRenderer text;
    TApplication app { window, clock, text };
    TimerPool& pool { TimerPool::instance() };

    void run_for(platform::Millis ms)
    {
        auto until = clock.now() + ms;
        auto watchdog = app.loop().add_timer(ms, [] { });
        app.loop().run_until([&] { return clock.now() >= until; });
        app.loop().remove_timer(watchdog);
    }
};

std::string message_of(std::function<void()> const& call)
{
    try {
        call();
    } catch (std::runtime_error const& e) {
        return e.what();
    }
    return {};
}

}

using TimerPoolTest = VirtualApp;

TEST_F(TimerPoolTest, CallsEnabledItemsAtTheirOwnMultiples)
{
    std::vector<platform::Millis> fast, slow;
    auto a = pool.add(100, [&] { fast.push_back(clock.now()); });
    auto b = pool.add(250, [&] { slow.push_back(clock.now()); });
    auto idle = pool.add(50, [] { ADD_FAILURE() << "a disabled item ticked"; });
    pool.set_enabled(a, true);
    pool.set_enabled(b, true);
    run_for(520);
    EXPECT_EQ(fast, (std::vector<platform::Millis> { 100, 200, 300, 400, 500 }));
    EXPECT_EQ(slow, (std::vector<platform::Millis> { 250, 500 }));
    for (auto id : { a, b, idle })
        pool.remove(id);
    EXPECT_EQ(pool.size(), 0u);
}

TEST_F(TimerPoolTest, AnItemMayRemoveItselfAndAnotherWhileTicking)
{
    int calls = 0;
    TimerPool::ItemId self = 0, other = 0;
    self = pool.add(50, [&] {
        ++calls;
        pool.remove(self);
        pool.remove(other);
    });
    other = pool.add(50, [&] { ADD_FAILURE() << "removed item ticked"; });
    pool.set_enabled(self, true);
    pool.set_enabled(other, true);
    run_for(300);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(pool.size(), 0u);
}

TEST_F(TimerPoolTest, RefusesBadIntervalsAndThe251stItem)
{
    char const* bad_interval = "Interval not compatible with MinInterval property!";
    EXPECT_EQ(message_of([&] { pool.add(30, [] { }); }), bad_interval);
    EXPECT_EQ(message_of([&] { pool.add(120, [] { }); }), bad_interval);
    auto id = pool.add(50, [] { });
    EXPECT_EQ(message_of([&] { pool.set_interval(id, 0); }), bad_interval);

    std::vector<TimerPool::ItemId> items { id };
    while (pool.size() < TimerPool::capacity)
        items.push_back(pool.add(1000, [] { }));
    EXPECT_EQ(message_of([&] { pool.add(1000, [] { }); }), "Not enough timers available");
    for (auto item : items)
        pool.remove(item);
}
