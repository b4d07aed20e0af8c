#include "services/TimerPool.h"

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

void TimerPool::remove(ItemId id)
{
    m_items.erase(id);
    update_timer();
}

void TimerPool::set_enabled(ItemId id, bool enabled)
{
    auto it = m_items.find(id);
    if (it == m_items.end())
        return;
    it->second.enabled = enabled;
    it->second.elapsed = 0;
    update_timer();
}

void TimerPool::set_interval(ItemId id, std::uint32_t interval)
{
    check_interval(interval);
    if (auto it = m_items.find(id); it != m_items.end())
        it->second.interval = interval;
}

void TimerPool::tick()
{
    // Callbacks may add or remove items, their own included.
    std::vector<ItemId> due;
    for (auto& [id, item] : m_items) {
        if (!item.enabled)
            continue;
        item.elapsed += MinInterval;
        if (item.elapsed >= item.interval) {
            item.elapsed = 0;
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
}

void TimerPool::update_timer()
{
    bool wanted = false;
    for (auto const& [id, item] : m_items)
        wanted = wanted || item.enabled;
    if (wanted == m_timer.has_value())
        return;
    auto& loop = EventLoop::current();
    if (wanted)
        m_timer = loop.add_timer(MinInterval, [this] { tick(); });
    else {
        loop.remove_timer(*m_timer);
        m_timer.reset();
    }
}
