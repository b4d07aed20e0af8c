#include "ProgressReport.h"

#include "activities/RegisterFile.h"
#include "activities/StudentRegister.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <string_view>

namespace {

StudentRow row_of(StudentRecord const& record)
{
    StudentRow row;
    row.name = cp1252::to_utf8(record.name());
    std::uint32_t latest = 0;
    for (int slot : activity_catalogue::activity_slots) {
        // A damaged record may hold anything; a negative count is no play.
        row.plays[slot] = std::max<std::int64_t>(record.counter(slot, 1), 0);
        row.total += row.plays[slot];
        if (row.plays[slot] > 0 && record.play_order(slot) > latest) {
            latest = record.play_order(slot);
            row.last_activity = slot;
        }
    }
    row.afrikaans = record.counter(afrikaans_entry, 1) > 0;
    row.english = record.counter(english_entry, 1) > 0;
    return row;
}

ProgressReport::State state_of(RegisterError const& e)
{
    switch (e.reason()) {
    case RegisterError::Reason::locked:
        return ProgressReport::State::locked;
    case RegisterError::Reason::damaged:
        return ProgressReport::State::damaged;
    case RegisterError::Reason::unreachable:
        break;
    }
    return ProgressReport::State::unreadable;
}

// The three texts of a key as one, the way StudentRecord compares them: each
// cut to its field and led by its length, so texts holding NUL bytes cannot
// make two keys one.
std::string key_text(std::string_view name, std::string_view extra1, std::string_view extra2)
{
    std::string text;
    auto add = [&](std::string_view part, std::size_t capacity) {
        part = part.substr(0, capacity);
        text.append(1, char(part.size())).append(part);
    };
    add(name, StudentRecord::name_capacity);
    add(extra1, StudentRecord::extra1_capacity);
    add(extra2, StudentRecord::extra2_capacity);
    return text;
}

std::string key_text(StudentRecord const& record)
{
    return key_text(record.name(), record.extra1(), record.extra2());
}

std::optional<std::string> stored_key(std::string const& name, std::string const& extra1, std::string const& extra2)
{
    auto n = cp1252::from_utf8(name), e1 = cp1252::from_utf8(extra1), e2 = cp1252::from_utf8(extra2);
    if (!n || !e1 || !e2)
        return std::nullopt;
    return key_text(*n, *e1, *e2);
}

}

ProgressReport ProgressReport::read(std::string const& folder, std::string const& name, std::string const& extra1,
    std::string const& extra2)
{
    ProgressReport report;
    std::vector<StudentRecord> records;
    std::map<std::string, std::size_t> by_key;
    try {
        auto file = RegisterFile::open_existing(folder);
        if (!file)
            return report;
        // The same key counted in several records (an old register) counts
        // alike in each: the last one stands for the student, as look-ups do.
        file->for_each_record([&](StudentRecord const& record, std::size_t) {
            if (record.name().empty())
                return;
            auto [at, added] = by_key.try_emplace(key_text(record), records.size());
            if (added)
                records.push_back(record);
            else
                records[at->second] = record;
        });
    } catch (RegisterError const& e) {
        report.state = state_of(e);
        return report;
    }
    auto const current_key = stored_key(name, extra1, extra2);
    std::optional<std::size_t> current;
    if (auto found = current_key ? by_key.find(*current_key) : by_key.end(); found != by_key.end())
        current = found->second;
    for (StudentRecord const& record : records)
        report.students.push_back(row_of(record));
    std::vector<std::size_t> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return cp1252::compare_text(report.students[a].name, report.students[b].name) < 0;
    });
    std::vector<StudentRow> sorted;
    sorted.reserve(order.size());
    for (std::size_t i : order) {
        if (current && i == *current)
            report.current = sorted.size();
        sorted.push_back(std::move(report.students[i]));
    }
    report.students = std::move(sorted);
    report.state = report.students.empty() ? State::empty : State::ready;
    return report;
}

std::int64_t ProgressReport::most_plays() const
{
    if (!current)
        return 0;
    auto const& plays = students[*current].plays;
    return *std::max_element(plays.begin(), plays.end());
}

int bar_length(std::int64_t plays, std::int64_t most, int room, int unit)
{
    if (plays <= 0 || most <= 0 || room <= 0)
        return 0;
    if (most * unit <= room)
        return static_cast<int>(plays * unit);
    return static_cast<int>(std::min(plays, most) * room / most);
}
