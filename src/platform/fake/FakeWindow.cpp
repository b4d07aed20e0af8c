#include "platform/fake/FakeWindow.h"


namespace platform {

FakeWindow::FakeWindow(Clock& clock) : m_clock(clock), m_signal(clock.make_signal()) { }

void FakeWindow::present(Bitmap const& canvas, Rect const& changed)
{
    if (m_last.width != canvas.width || m_last.height != canvas.height)
        m_last = Bitmap(canvas.width, canvas.height);
    m_changed = changed;
    m_last.copy_from(canvas, changed.left, changed.top, changed.width(), changed.height(), changed.left, changed.top);
    ++m_frames;
}

void FakeWindow::set_cursor(Bitmap const* picture, int, int) { m_hand = picture != nullptr; }

void FakeWindow::push(InputEvent e)
{
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(std::move(e));
    }
    m_signal->set();
}

void FakeWindow::wake() { m_signal->set(); }

std::optional<InputEvent> FakeWindow::wait_event(Millis deadline)
{
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_events.empty()) {
                InputEvent e = std::move(m_events.front());
                m_events.pop_front();
                return e;
            }
        }
        if (!m_signal->wait_until(deadline))
            return std::nullopt;
        std::lock_guard lock(m_mutex);
        if (m_events.empty())
            return InputEvent {};
    }
}

}
