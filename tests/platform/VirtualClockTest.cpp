#include "platform/fake/VirtualClock.h"

#include <gtest/gtest.h>
#include <thread>

using platform::Millis;

TEST(VirtualClock, AWaitAloneJumpsStraightToItsDeadline)
{
    platform::VirtualClock clock;
    auto s = clock.make_signal();
    EXPECT_FALSE(s->wait_until(5000));
    EXPECT_EQ(clock.now(), 5000);
}

TEST(VirtualClock, ASetBeforeTheWaitIsKeptOnce)
{
    platform::VirtualClock clock;
    auto s = clock.make_signal();
    s->set();
    EXPECT_TRUE(s->wait_until(100));
    EXPECT_EQ(clock.now(), 0);
    EXPECT_FALSE(s->wait_until(100));
}

TEST(VirtualClock, TimeStandsStillWhileAnotherThreadRuns)
{
    platform::VirtualClock clock;
    auto worker_wait = clock.make_signal();
    auto main_wait = clock.make_signal();
    clock.attach_thread();
    Millis seen = -1;
    std::thread worker([&] {
        // The worker waits 300 ms, then wakes the main thread.
        worker_wait->wait_until(300);
        seen = clock.now();
        main_wait->set();
        clock.detach_thread();
    });
    EXPECT_TRUE(main_wait->wait_until(10000));
    worker.join();
    EXPECT_EQ(seen, 300);
    EXPECT_EQ(clock.now(), 300);
}
