#include "widgets/TThreadedTimer.h"

#include "TestApp.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// A timer on the form that records the virtual time of each tick.
struct Ticking : VirtualApp {
    TThreadedTimer& timer = form.add<TThreadedTimer>("timer");
    std::vector<platform::Millis> ticks;

    Ticking()
    {
        timer.OnTimer = [this](TObject* sender) {
            EXPECT_EQ(sender, &timer);
            ticks.push_back(now());
        };
    }
};

}

TEST(ThreadedTimer, NewTimerNeverTicks)
{
    Ticking t;
    EXPECT_FALSE(t.timer.Enabled());
    EXPECT_EQ(t.timer.Interval(), 1000u);
    t.run_for(10000);
    EXPECT_TRUE(t.ticks.empty());
}

TEST(ThreadedTimer, FirstTickOneFullIntervalAfterEnablingThenEvenlySpaced)
{
    Ticking t;
    t.run_for(300);
    t.timer.SetEnabled(true);
    t.run_for(3500);
    EXPECT_EQ(t.ticks, (std::vector<platform::Millis> { 1300, 2300, 3300 }));
}

TEST(ThreadedTimer, ReenablingHalfWayRestartsTheFullInterval)
{
    Ticking t;
    t.timer.SetEnabled(true);
    t.run_for(500);
    t.timer.SetEnabled(false);
    t.timer.SetEnabled(true);
    t.run_for(1200);
    EXPECT_EQ(t.ticks, (std::vector<platform::Millis> { 1500 }));
}

TEST(ThreadedTimer, SameIntervalKeepsCountingADifferentOneRestarts)
{
    Ticking t;
    t.timer.SetEnabled(true);
    t.run_for(600);
    t.timer.SetInterval(1000);
    t.run_for(500);
    ASSERT_EQ(t.ticks, (std::vector<platform::Millis> { 1000 }));
    t.timer.SetInterval(400);
    t.run_for(900);
    EXPECT_EQ(t.ticks, (std::vector<platform::Millis> { 1000, 1500, 1900 }));
    EXPECT_TRUE(t.timer.Enabled());
}

// The handler's own time stands for decoding and drawing a picture.
TEST(ThreadedTimer, TimeTheHandlerTakesDoesNotPushBackLaterTicks)
{
    Ticking t;
    platform::Millis busy = 30;
    t.timer.OnTimer = [&](TObject*) {
        t.ticks.push_back(t.now());
        t.clock.make_signal()->wait_until(t.now() + busy);
    };
    t.timer.SetEnabled(true);
    t.run_for(3500);
    ASSERT_EQ(t.ticks, (std::vector<platform::Millis> { 1000, 2000, 3000 }));
    // A handler slower than the interval gets a whole interval after it,
    // never a burst of ticks to catch up.
    busy = 1500;
    t.run_for(6000);
    EXPECT_EQ(t.ticks, (std::vector<platform::Millis> { 1000, 2000, 3000, 4000, 6500, 9000 }));
}

TEST(ThreadedTimer, HandlerThatDisablesItsTimerGetsOneCall)
{
    Ticking t;
    t.timer.SetInterval(300);
    t.timer.OnTimer = [&](TObject*) {
        t.ticks.push_back(t.now());
        t.timer.SetEnabled(false);
    };
    t.timer.SetEnabled(true);
    t.run_for(3000);
    EXPECT_EQ(t.ticks, (std::vector<platform::Millis> { 300 }));
}

TEST(ThreadedTimer, IntervalZeroNeverTicksUntilGivenOne)
{
    Ticking t;
    t.timer.SetInterval(0);
    t.timer.SetEnabled(true);
    EXPECT_TRUE(t.timer.Enabled());
    t.run_for(5000);
    EXPECT_TRUE(t.ticks.empty());
    t.timer.SetInterval(100);
    t.run_for(250);
    EXPECT_EQ(t.ticks, (std::vector<platform::Millis> { 5100, 5200 }));
}

TEST(ThreadedTimer, ErrorFromHandlerEndsTicksQuietly)
{
    Ticking t;
    int errors = 0;
    t.app.loop().on_error = [&](std::exception_ptr) { ++errors; };
    t.timer.SetInterval(100);
    t.timer.OnTimer = [&](TObject*) {
        t.ticks.push_back(t.now());
        throw std::runtime_error("broken");
    };
    t.timer.SetEnabled(true);
    t.run_for(1000);
    EXPECT_EQ(t.ticks.size(), 1u);
    EXPECT_EQ(errors, 0);
    EXPECT_TRUE(t.timer.Enabled());
    EXPECT_FALSE(t.timer.ticking());
    // Still controllable and destructible.
    t.timer.SetEnabled(false);
    t.timer.SetEnabled(true);
    t.run_for(500);
    EXPECT_EQ(t.ticks.size(), 1u);
}

TEST(ThreadedTimer, TickOnItsWayWhenDisabledIsDropped)
{
    // Both time out together; whichever delivery runs first disables both,
    // and the other worker has already handed its tick over.
    VirtualApp t;
    auto& a = t.form.add<TThreadedTimer>("a");
    auto& b = t.form.add<TThreadedTimer>("b");
    int calls = 0;
    auto stop_both = [&](TObject*) {
        ++calls;
        a.SetEnabled(false);
        b.SetEnabled(false);
    };
    a.OnTimer = stop_both;
    b.OnTimer = stop_both;
    a.SetInterval(100);
    b.SetInterval(100);
    a.SetEnabled(true);
    b.SetEnabled(true);
    t.run_for(1000);
    EXPECT_EQ(calls, 1);
}

TEST(ThreadedTimer, DestructionEndsTheWorkerInEveryState)
{
    VirtualApp t;
    auto never = std::make_unique<TThreadedTimer>(&t.form);
    auto enabled = std::make_unique<TThreadedTimer>(&t.form);
    auto disabled = std::make_unique<TThreadedTimer>(&t.form);
    enabled->SetInterval(100);
    enabled->SetEnabled(true);
    disabled->SetEnabled(true);
    disabled->SetEnabled(false);
    t.run_for(250);
    never.reset();
    enabled.reset();
    disabled.reset();
    SUCCEED();
}

TEST(ThreadedTimer, DestructionWhileItsTickIsBeingDeliveredCompletes)
{
    VirtualApp t;
    auto victim = std::make_unique<TThreadedTimer>(&t.form);
    auto& killer = t.form.add<TThreadedTimer>("killer");
    int victim_calls = 0;
    victim->OnTimer = [&](TObject*) { ++victim_calls; };
    killer.OnTimer = [&](TObject*) { victim.reset(); };
    victim->SetInterval(100);
    killer.SetInterval(100);
    victim->SetEnabled(true);
    killer.SetEnabled(true);
    t.run_for(500);
    EXPECT_FALSE(victim);
    EXPECT_LE(victim_calls, 1);
}

TEST(ThreadedTimer, PriorityReadsBackWhatWasSet)
{
    VirtualApp t;
    auto& timer = t.form.add<TThreadedTimer>("timer");
    timer.SetThreadPriority(TThreadPriority::tpLowest);
    EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpLowest);
    timer.SetThreadPriority(TThreadPriority::tpIdle);
    EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpIdle);
}

TEST(ThreadedTimerRealTime, TicksAtAboutTheIntervalAndNeverAtOnce)
{
    RealTimeApp t;
    auto& timer = t.form.add<TThreadedTimer>("timer");
    std::vector<platform::Millis> ticks;
    timer.OnTimer = [&](TObject*) { ticks.push_back(t.now()); };
    timer.SetInterval(50);
    platform::Millis start = t.now();
    timer.SetEnabled(true);
    t.run_for(1000);
    timer.SetEnabled(false);
    ASSERT_GE(ticks.size(), 8u);
    EXPECT_LE(ticks.size(), 20u);
    // Tick k comes at the earliest k intervals after the start.
    for (std::size_t i = 0; i < ticks.size(); ++i)
        EXPECT_GE(ticks[i] - start, platform::Millis(50 * (i + 1)) - 1) << "tick " << i;
}
