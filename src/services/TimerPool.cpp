#include "services/TimerPool.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

TimerPool& TimerPool::instance()
{
    static TimerPool pool;
    return pool;
}

void TimerPool::check_interval(std::uint32_t interval)
{
    if (interval < MinInterval || interval % MinInterval != 0)
        throw std::runtime_error("Interval not compatible with MinInterval property!");
}

TimerPool::ItemId TimerPool::add(std::uint32_t interval, std::function<void()> callback)
{
    if (m_items.size() >= capacity)
        throw std::runtime_error("Not enough timers available");
    check_interval(interval);
    ItemId id = m_next++;
    m_items.emplace(id, Item { interval, std::move(callback) });
    return id;
}

platform::Millis TimerPool::now() { return EventLoop::current().clock().now(); }

void TimerPool::remove(ItemId id)
{
    m_items.erase(id);
    rearm();
}

void TimerPool::set_enabled(ItemId id, bool enabled)
{
    auto it = m_items.find(id);
    if (it == m_items.end())
        return;
    it->second.enabled = enabled;
    it->second.due = now() + it->second.interval;
    rearm();
}

void TimerPool::set_interval(ItemId id, std::uint32_t interval)
{
    check_interval(interval);
    auto it = m_items.find(id);
    if (it == m_items.end())
        return;
    // The count goes on; only its goal moves.
    it->second.due += platform::Millis(interval) - platform::Millis(it->second.interval);
    it->second.interval = interval;
    rearm();
}

void TimerPool::tick()
{
    platform::Millis t = now();
    // Callbacks may add or remove items, their own included.
    std::vector<ItemId> due;
    for (auto& [id, item] : m_items) {
        if (item.enabled && item.due <= t) {
            item.due = t + item.interval;
            due.push_back(id);
        }
    }
    for (ItemId id : due) {
        auto it = m_items.find(id);
        if (it == m_items.end() || !it->second.enabled)
            continue;
        auto callback = it->second.callback;
        callback();
    }
    rearm();
}

void TimerPool::rearm()
{
    auto& loop = EventLoop::current();
    if (m_timer)
        loop.remove_timer(*m_timer);
    m_timer.reset();
    std::optional<platform::Millis> next;
    for (auto const& [id, item] : m_items)
        if (item.enabled && (!next || item.due < *next))
            next = item.due;
    if (next)
        m_timer = loop.add_timer(std::max<platform::Millis>(1, *next - now()), [this] { tick(); });
}
