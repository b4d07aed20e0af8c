#pragma once

#include "framework/EventLoop.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

// The program's shared pool of slow checks: one window-message timer on the
// user-interface thread serves every registered item whose interval has
// elapsed. Intervals are whole multiples of 50 ms; the timer is armed for the
// next item due rather than ticking every 50 ms, and not at all while no item
// is enabled, so an idle program is not woken for nothing.
class TimerPool {
public:
    static constexpr std::uint32_t MinInterval = 50;
    static constexpr std::size_t capacity = 250;
    using ItemId = int;

    // The pool of the user-interface thread.
    static TimerPool& instance();

    // Registers a disabled item. Throws "Not enough timers available" when
    // the pool is full and "Interval not compatible with MinInterval
    // property!" for an interval that is not a whole multiple of 50 ms.
    ItemId add(std::uint32_t interval, std::function<void()> callback);
    void remove(ItemId);
    // Enabling restarts the item's count.
    void set_enabled(ItemId, bool);
    void set_interval(ItemId, std::uint32_t);

    std::size_t size() const { return m_items.size(); }

private:
    struct Item {
        std::uint32_t interval;
        std::function<void()> callback;
        bool enabled { false };
        platform::Millis due { 0 };
    };

    static void check_interval(std::uint32_t);
    void tick();
    void rearm();
    static platform::Millis now();

    std::map<ItemId, Item> m_items;
    ItemId m_next { 1 };
    std::optional<EventLoop::TimerId> m_timer;
};
