#include "platform/RealClock.h"
#include "platform/sdl/SdlWindow.h"

#include "support/Xvfb.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using platform::InputEvent;
using Kind = InputEvent::Kind;

namespace {

// A private Xvfb, the process's DISPLAY while it runs.
class PrivateDisplay {
public:
    PrivateDisplay()
    {
        StartedXvfb started = start_xvfb();
        m_pid = started.pid;
        ::setenv("DISPLAY", started.display.c_str(), 1);
    }
    ~PrivateDisplay()
    {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
    PrivateDisplay(PrivateDisplay const&) = delete;
    PrivateDisplay& operator=(PrivateDisplay const&) = delete;

private:
    pid_t m_pid { -1 };
};

// A real window on its own display, shown with a first frame and past the
// events of its showing.
struct WindowOnDisplay : ::testing::Test {
    PrivateDisplay display;
    platform::RealClock clock;
    platform::SdlVideo video;
    platform::SdlWindow window { video, clock, platform::SdlWindow::Style::Borderless };

    WindowOnDisplay()
    {
        platform::Bitmap canvas(platform::Window::canvas_width, platform::Window::canvas_height, 0xff000000);
        window.present(canvas, { 0, 0, canvas.width, canvas.height });
        for (int i = 0; i < 100 && window.wait_event(clock.now() + 300); ++i) { }
    }

    std::optional<InputEvent> wait_for(platform::Millis ms) { return window.wait_event(clock.now() + ms); }

    // Runs `action` on another thread after `delay_ms`, unless the thread
    // is dropped before then.
    static std::jthread later(int delay_ms, std::function<void()> action)
    {
        return std::jthread([delay_ms, action = std::move(action)](std::stop_token stop) {
            std::mutex mutex;
            std::condition_variable_any dropped;
            std::unique_lock lock(mutex);
            dropped.wait_for(lock, stop, std::chrono::milliseconds(delay_ms), [] { return false; });
            if (!stop.stop_requested())
                action();
        });
    }
};

}

TEST_F(WindowOnDisplay, AWakeFromAnotherThreadEndsTheWaitPromptly)
{
    auto start = clock.now();
    auto waker = later(100, [this] { window.wake(); });
    auto event = wait_for(20000);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->kind, Kind::Wake);
    EXPECT_GE(clock.now() - start, 90);
    EXPECT_LT(clock.now() - start, 5000);

    // Without a deadline too; should the wake be lost, the close ends it.
    waker = later(100, [this] { window.wake(); });
    auto watchdog = later(10000, [this] { window.request_close(); });
    event = window.wait_event(platform::forever);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->kind, Kind::Wake);
}

TEST_F(WindowOnDisplay, AWakeBeforeTheWaitIsKeptAndReportedOnce)
{
    window.wake();
    window.wake();
    auto start = clock.now();
    auto event = wait_for(5000);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->kind, Kind::Wake);
    EXPECT_LT(clock.now() - start, 1000);
    EXPECT_FALSE(wait_for(200));
}

// Each round's wake lands anywhere around the moment the wait goes to sleep.
TEST_F(WindowOnDisplay, NoWakeIsLostOverManyRounds)
{
    constexpr int rounds = 300;
    std::atomic<int> answered { 0 };
    std::jthread waker([&] {
        for (int round = 0; round < rounds; ++round) {
            window.wake();
            while (answered.load() <= round)
                std::this_thread::yield();
        }
    });
    for (int round = 0; round < rounds; ++round) {
        auto event = wait_for(5000);
        ASSERT_TRUE(event) << "round " << round;
        EXPECT_EQ(event->kind, Kind::Wake);
        answered = round + 1;
    }
}

TEST_F(WindowOnDisplay, ARequestToCloseArrivesAsCloseOnceEvenBehindAWake)
{
    auto start = clock.now();
    auto closer = later(100, [this] { window.request_close(); });
    auto event = wait_for(20000);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->kind, Kind::Close);
    EXPECT_LT(clock.now() - start, 5000);
    EXPECT_FALSE(wait_for(200));

    window.wake();
    window.request_close();
    event = wait_for(5000);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->kind, Kind::Close);
}

TEST_F(WindowOnDisplay, WithNothingToReportTheWaitEndsAtItsDeadline)
{
    auto start = clock.now();
    EXPECT_FALSE(wait_for(300));
    EXPECT_GE(clock.now() - start, 300);
    EXPECT_LT(clock.now() - start, 2000);

    start = clock.now();
    EXPECT_FALSE(window.wait_event(start - 1));
    EXPECT_LT(clock.now() - start, 100);
}

TEST_F(WindowOnDisplay, PointerMotionOnTheServerEndsTheWait)
{
    auto start = clock.now();
    auto mover = later(100, [] { EXPECT_EQ(std::system("xdotool mousemove 120 80"), 0); });
    std::optional<InputEvent> event;
    while ((event = wait_for(10000)) && event->kind != Kind::MouseMove) { }
    ASSERT_TRUE(event);
    EXPECT_EQ(event->x, 120);
    EXPECT_EQ(event->y, 80);
    EXPECT_LT(clock.now() - start, 5000);
}

// SDL queues some events itself (a shown window's), behind what it last read
// from the server; those must end the wait too.
TEST_F(WindowOnDisplay, AnEventSdlQueuesAfterAReadIsNotLeftWaiting)
{
    auto mover = later(0, [] { EXPECT_EQ(std::system("xdotool mousemove 200 100"), 0); });
    std::optional<InputEvent> event;
    while ((event = wait_for(10000)) && event->kind != Kind::MouseMove) { }
    ASSERT_TRUE(event);

    SDL_Event key {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&key), 1);
    auto start = clock.now();
    event = wait_for(3000);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->kind, Kind::KeyDown);
    EXPECT_EQ(event->key, platform::keys::Escape);
    EXPECT_LT(clock.now() - start, 1000);
}

// As when an activity ends: the window comes back, takes the focus, and the
// child clicks at once. SDL would drop such a press as a focusing click.
TEST_F(WindowOnDisplay, APressJustAfterTheWindowTookTheFocusCounts)
{
    window.minimise();
    while (wait_for(200)) { }
    window.maximise();
    ASSERT_EQ(std::system("xdotool mousemove 300 200 click 1"), 0);
    std::optional<InputEvent> event;
    while ((event = wait_for(3000)) && event->kind != Kind::MouseDown) { }
    ASSERT_TRUE(event);
    EXPECT_EQ(event->x, 300);
    EXPECT_EQ(event->y, 200);
}
