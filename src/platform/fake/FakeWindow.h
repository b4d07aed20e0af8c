#pragma once

#include "platform/Window.h"

#include <deque>
#include <memory>
#include <mutex>
#include <utility>

namespace platform {

// A window without a display, for tests: input is queued by the test and
// the presented parts of the canvas are kept, as a screen would show them.
class FakeWindow final : public Window {
public:
    explicit FakeWindow(Clock& clock);

    void present(Bitmap const& canvas, Rect const& changed) override;
    bool minimise() override
    {
        m_minimised = true;
        return true;
    }
    void maximise() override { m_minimised = false; }
    bool minimised() const override { return m_minimised; }
    void set_surround_colour(std::uint32_t) override { }
    void set_cursor(Bitmap const* picture, int hot_x, int hot_y) override;
    void set_title(std::string const& title) override { m_title = title; }
    void fit_screen(int width, int height) override { m_screen = { width, height }; }
    std::optional<InputEvent> wait_event(Millis deadline) override;
    void wake() override;

    // Thread-safe.
    void push(InputEvent);

    Bitmap const& last_frame() const { return m_last; }
    int frames() const { return m_frames; }
    Rect const& last_changed() const { return m_changed; }
    bool hand_cursor() const { return m_hand; }
    std::string const& title() const { return m_title; }
    // The screen size of the last fit_screen, 0 x 0 before.
    std::pair<int, int> screen() const { return m_screen; }

private:
    Clock& m_clock;
    std::unique_ptr<Signal> m_signal;
    std::mutex m_mutex;
    std::deque<InputEvent> m_events;
    Bitmap m_last;
    Rect m_changed;
    int m_frames { 0 };
    bool m_minimised { false };
    bool m_hand { false };
    std::string m_title;
    std::pair<int, int> m_screen { 0, 0 };
};

}
