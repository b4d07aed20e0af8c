#pragma once

#include "framework/EventLoop.h"
#include "framework/Notify.h"
#include "framework/TComponent.h"

#include <cstdint>
#include <optional>

// A window-message timer: ticks on the user-interface thread from the
// event loop; a late tick is not made up for.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool);
    std::uint32_t Interval() const { return m_interval; }
    void SetInterval(std::uint32_t);
    TNotifyEvent OnTimer;

private:
    void update();

    bool m_enabled { true };
    std::uint32_t m_interval { 1000 };
    std::optional<EventLoop::TimerId> m_id;
};
