#include "activities/StudentRegister.h"

#include "activities/RegisterFile.h"

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace {

// The order callers see is that of this exchange sort, which is not stable:
// records with equal keys can change places, so it is kept exactly rather than
// replaced by a library sort.
void exchange_sort(std::span<StudentRecord> slots)
{
    std::vector<std::string> keys;
    keys.reserve(slots.size());
    for (auto const& slot : slots)
        keys.push_back(std::string(slot.extra1()).append(slot.name()));
    // std::string compares bytes as unsigned characters, a prefix first.
    for (std::size_t i = 0; i < slots.size(); ++i)
        for (std::size_t j = slots.size() - 1; j > i; --j)
            if (keys[i] > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(slots[i], slots[j]);
            }
}

}

std::uint16_t FindStudent(std::string_view name, std::string_view extra1, std::string_view extra2,
    std::string const& folder)
{
    try {
        auto file = RegisterFile::open_existing(folder);
        std::uint16_t result = no_student;
        if (file)
            file->for_each_record([&](StudentRecord const& record, std::size_t) {
                if (record.has_key(name, extra1, extra2))
                    result = record.number();
            });
        return result;
    } catch (RegisterError const&) {
        return no_student;
    }
}

namespace {

enum class Mark { nothing, latest_play };

std::uint16_t count_in_register(int entry, int counter, std::string_view name, std::string_view extra1,
    std::string_view extra2, std::string const& folder, Mark mark)
{
    if (!valid_entry_and_counter(entry, counter))
        return no_student;
    auto count = [&](StudentRecord& record) {
        record.count(entry, counter);
        if (mark == Mark::latest_play)
            record.mark_latest_play(entry);
    };
    try {
        auto file = RegisterFile::open_for_update(folder);
        std::uint16_t last = 0;
        std::optional<std::uint16_t> counted;
        file.for_each_record([&](StudentRecord& record, std::size_t index) {
            last = record.number();
            if (record.has_key(name, extra1, extra2)) {
                count(record);
                file.write_record(index, record);
                counted = record.number();
            }
        });
        if (counted)
            return *counted;
        // The next number would be the "no student" value or wrap to 0.
        if (last >= no_student - 1)
            return no_student;
        auto number = static_cast<std::uint16_t>(last + 1);
        auto record = StudentRecord::make_new(number, name, extra1, extra2, entry, counter);
        if (mark == Mark::latest_play)
            record.mark_latest_play(entry);
        file.write_record(file.record_count(), record);
        return number;
    } catch (RegisterError const&) {
        return no_student;
    }
}

}

std::uint16_t AddStudent(int entry, int counter, std::string_view name, std::string_view extra1,
    std::string_view extra2, std::string const& folder)
{
    return count_in_register(entry, counter, name, extra1, extra2, folder, Mark::nothing);
}

std::uint16_t CountPlay(int entry, std::string_view name, std::string_view extra1, std::string_view extra2,
    std::string const& folder)
{
    return count_in_register(entry, 1, name, extra1, extra2, folder, Mark::latest_play);
}

void ReadStudents(std::string const& folder, StudentSlots& buffer)
{
    auto slots = std::make_unique<StudentSlots>();
    std::size_t filled = 0;
    if (auto file = RegisterFile::open_existing(folder))
        file->for_each_record([&](StudentRecord const& record, std::size_t) {
            if (!record.name().empty() && filled < slots->size())
                (*slots)[filled++] = record;
        });
    exchange_sort(std::span(slots->data(), filled));
    buffer = *slots;
}
