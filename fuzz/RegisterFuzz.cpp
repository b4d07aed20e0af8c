// Feeds arbitrary register files to the three register operations and to the
// progress report's reading. None may crash or hang, a file they cannot use
// must stay as it was, and what they report must agree with each other.
#include "activities/RegisterFile.h"
#include "activities/StudentRegister.h"
#include "platform/Cp1252.h"
#include "ProgressReport.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// One folder for the whole run, removed when the fuzzer exits.
class FuzzFolder {
public:
    FuzzFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sprout-fuzz-XXXXXX").string();
        check(::mkdtemp(pattern.data()) != nullptr);
        m_path = pattern + "/";
    }
    ~FuzzFolder() { std::filesystem::remove_all(m_path); }
    std::string const& path() const { return m_path; }

private:
    std::string m_path;
};

std::string register_contents(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// However long the stored length bytes say, no text may leave its field.
void check_texts(StudentRecord const& record)
{
    check(record.name().size() <= StudentRecord::name_capacity);
    check(record.extra1().size() <= StudentRecord::extra1_capacity);
    check(record.extra2().size() <= StudentRecord::extra2_capacity);
}

void check_slots(StudentSlots const& slots)
{
    std::string previous;
    bool empty_seen = false;
    for (auto const& slot : slots) {
        check_texts(slot);
        if (slot.name().empty()) {
            check(slot.number() == 0);
            empty_seen = true;
            continue;
        }
        check(!empty_seen);
        std::string key = std::string(slot.extra1()).append(slot.name());
        check(previous <= key);
        previous = std::move(key);
    }
}

}

// The first byte picks the entry and counter, out of range too; the rest is
// the register file.
extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static FuzzFolder folder;
    if (size == 0)
        return 0;
    int const entry = data[0] & 0x1F;
    int const counter = data[0] >> 5;
    std::string const image(reinterpret_cast<char const*>(data + 1), size - 1);
    std::string const path = folder.path() + "students.dat";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << image;
    bool const whole = image.size() % StudentRecord::size == 0;

    // Look up the first record's own key, so matches happen.
    StudentRecord first;
    if (image.size() >= StudentRecord::size)
        std::memcpy(static_cast<void*>(&first), image.data(), StudentRecord::size);
    check_texts(first);
    std::string const name(first.name()), extra1(first.extra1()), extra2(first.extra2());

    std::uint16_t const found = FindStudent(name, extra1, extra2, folder.path());
    check(whole || found == no_student);

    auto slots = std::make_unique<StudentSlots>();
    try {
        ReadStudents(folder.path(), *slots);
        check(whole);
        check_slots(*slots);
    } catch (RegisterError const&) {
        check(!whole);
    }

    // The report sees what the register sees, and never a negative play.
    ProgressReport const report
        = ProgressReport::read(folder.path(), cp1252::to_utf8(name), cp1252::to_utf8(extra1), cp1252::to_utf8(extra2));
    check(whole ? report.state == ProgressReport::State::ready || report.state == ProgressReport::State::empty
                : report.state == ProgressReport::State::damaged);
    check(report.students.size() <= image.size() / StudentRecord::size);
    check(report.current.has_value() == (whole && !name.empty()));
    for (auto const& row : report.students) {
        check(row.total >= 0);
        for (auto plays : row.plays)
            check(plays >= 0 && plays <= row.total);
    }

    std::uint16_t const added = AddStudent(entry, counter, name, extra1, extra2, folder.path());
    std::string const after = register_contents(path);
    check(after.size() % StudentRecord::size == 0 || after == image);
    if (!whole || !valid_entry_and_counter(entry, counter))
        check(added == no_student && after == image);
    else if (found != no_student)
        check(added == found && after.size() == image.size());
    if (added != no_student)
        check(FindStudent(name, extra1, extra2, folder.path()) == added);
    return 0;
}
