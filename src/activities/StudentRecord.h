#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

// One record of the student register exactly as the file stores it: 468
// bytes, little-endian numbers, length-prefixed Windows-1252 texts. Records
// are kept as raw bytes so a rewrite leaves every byte it does not change as
// it was, and a block of them can be read straight from the file.
class StudentRecord {
public:
    static constexpr std::size_t size = 468;
    static constexpr int entry_count = 16;
    static constexpr int counter_count = 5;
    static constexpr std::size_t name_capacity = 35;
    static constexpr std::size_t extra1_capacity = 40;
    static constexpr std::size_t extra2_capacity = 4;

    // A record for a student seen for the first time: every entry selects
    // counter 1 with all counters zero, then the given entry is counted once.
    // Texts longer than their fields are cut.
    static StudentRecord make_new(std::uint16_t number, std::string_view name, std::string_view extra1,
        std::string_view extra2, int entry, int counter);

    std::uint16_t number() const;

    // A length byte larger than its field reads as the whole field.
    std::string_view name() const;
    std::string_view extra1() const;
    std::string_view extra2() const;

    // Compares the given texts cut to the fields' sizes, so a text longer than
    // its field still finds the record it was stored in.
    bool has_key(std::string_view name, std::string_view extra1, std::string_view extra2) const;

    // entry 1..16, counter 1..5, as the register numbers them.
    std::uint8_t selected(int entry) const;
    std::int32_t counter(int entry, int counter) const;
    // Selects the counter in the entry and adds one to it.
    void count(int entry, int counter);

    // The order of the plays counted by CountPlay, kept in the entry's three
    // spare bytes, which the shell never reads: 0 for an entry never played
    // that way, higher for a later play.
    std::uint32_t play_order(int entry) const;
    // Gives the entry the order after every other entry's.
    void mark_latest_play(int entry);

    std::uint8_t const* data() const { return m_bytes.data(); }

private:
    std::string_view text(std::size_t offset, std::size_t capacity) const;
    void set_text(std::size_t offset, std::size_t capacity, std::string_view value);
    static std::size_t entry_offset(int entry);
    static std::size_t counter_offset(int entry, int counter);

    std::array<std::uint8_t, size> m_bytes {};
};

static_assert(sizeof(StudentRecord) == StudentRecord::size);
static_assert(std::is_trivially_copyable_v<StudentRecord>);

inline constexpr bool valid_entry_and_counter(int entry, int counter)
{
    return entry >= 1 && entry <= StudentRecord::entry_count && counter >= 1 && counter <= StudentRecord::counter_count;
}
