#include "activities/StudentRecord.h"

#include <algorithm>

namespace {

constexpr std::size_t name_offset = 2;
constexpr std::size_t extra1_offset = 38;
constexpr std::size_t extra2_offset = 79;
constexpr std::size_t entries_offset = 84;
constexpr std::size_t entry_size = 24;
constexpr std::size_t counters_offset = 4;
constexpr std::size_t play_order_offset = 1;
constexpr std::uint32_t last_play_order = 0xFFFFFF;

}

StudentRecord StudentRecord::make_new(std::uint16_t number, std::string_view name, std::string_view extra1,
    std::string_view extra2, int entry, int counter)
{
    StudentRecord record;
    record.m_bytes[0] = static_cast<std::uint8_t>(number);
    record.m_bytes[1] = static_cast<std::uint8_t>(number >> 8);
    record.set_text(name_offset, name_capacity, name);
    record.set_text(extra1_offset, extra1_capacity, extra1);
    record.set_text(extra2_offset, extra2_capacity, extra2);
    for (int e = 1; e <= entry_count; ++e)
        record.m_bytes[entry_offset(e)] = 1;
    record.count(entry, counter);
    return record;
}

std::uint16_t StudentRecord::number() const
{
    return static_cast<std::uint16_t>(m_bytes[0] | (m_bytes[1] << 8));
}

std::string_view StudentRecord::name() const { return text(name_offset, name_capacity); }
std::string_view StudentRecord::extra1() const { return text(extra1_offset, extra1_capacity); }
std::string_view StudentRecord::extra2() const { return text(extra2_offset, extra2_capacity); }

bool StudentRecord::has_key(std::string_view name, std::string_view extra1, std::string_view extra2) const
{
    return this->name() == name.substr(0, name_capacity) && this->extra1() == extra1.substr(0, extra1_capacity)
        && this->extra2() == extra2.substr(0, extra2_capacity);
}

std::uint8_t StudentRecord::selected(int entry) const { return m_bytes[entry_offset(entry)]; }

std::int32_t StudentRecord::counter(int entry, int counter) const
{
    std::uint8_t const* p = &m_bytes[counter_offset(entry, counter)];
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24));
}

void StudentRecord::count(int entry, int counter)
{
    m_bytes[entry_offset(entry)] = static_cast<std::uint8_t>(counter);
    // Unsigned arithmetic: a counter at its maximum wraps instead of overflowing.
    std::uint32_t value = static_cast<std::uint32_t>(this->counter(entry, counter)) + 1;
    std::uint8_t* p = &m_bytes[counter_offset(entry, counter)];
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t StudentRecord::play_order(int entry) const
{
    std::uint8_t const* p = &m_bytes[entry_offset(entry) + play_order_offset];
    return p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
}

void StudentRecord::mark_latest_play(int entry)
{
    std::uint32_t latest = 0;
    for (int e = 1; e <= entry_count; ++e)
        latest = std::max(latest, play_order(e));
    // At the end of the three bytes the order stays put rather than wrap.
    std::uint32_t const order = std::min(latest + 1, last_play_order);
    std::uint8_t* p = &m_bytes[entry_offset(entry) + play_order_offset];
    for (int i = 0; i < 3; ++i)
        p[i] = static_cast<std::uint8_t>(order >> (8 * i));
}

std::string_view StudentRecord::text(std::size_t offset, std::size_t capacity) const
{
    std::size_t length = std::min<std::size_t>(m_bytes[offset], capacity);
    return { reinterpret_cast<char const*>(&m_bytes[offset + 1]), length };
}

void StudentRecord::set_text(std::size_t offset, std::size_t capacity, std::string_view value)
{
    value = value.substr(0, capacity);
    m_bytes[offset] = static_cast<std::uint8_t>(value.size());
    std::copy(value.begin(), value.end(), &m_bytes[offset + 1]);
}

std::size_t StudentRecord::entry_offset(int entry) { return entries_offset + entry_size * (entry - 1); }

std::size_t StudentRecord::counter_offset(int entry, int counter)
{
    return entry_offset(entry) + counters_offset + 4 * (counter - 1);
}
