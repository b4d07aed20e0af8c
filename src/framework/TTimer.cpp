#include "framework/TTimer.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) { update(); }

TTimer::~TTimer()
{
    if (m_id)
        EventLoop::current().remove_timer(*m_id);
}

void TTimer::SetEnabled(bool v)
{
    if (v == m_enabled)
        return;
    m_enabled = v;
    update();
}

void TTimer::SetInterval(std::uint32_t v)
{
    if (v == m_interval)
        return;
    m_interval = v;
    update();
}

// Any change restarts the count, as re-arming a window timer does.
void TTimer::update()
{
    auto& loop = EventLoop::current();
    if (m_id)
        loop.remove_timer(*m_id);
    m_id.reset();
    if (m_enabled && m_interval > 0)
        m_id = loop.add_timer(m_interval, [this] {
            if (OnTimer)
                OnTimer(this);
        });
}
