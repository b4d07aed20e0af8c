#include "platform/Cp1252.h"
#include "activities/RegisterFile.h"
#include "activities/StudentRegister.h"

#include <charconv>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int success = 0;
constexpr int failure = 1;
constexpr int bad_usage = 2;

constexpr char const* usage = R"(Usage:
  sprout-register list [--counters] FOLDER
  sprout-register find FOLDER NAME [EXTRA1 [EXTRA2]]
  sprout-register add FOLDER ENTRY COUNTER NAME [EXTRA1 [EXTRA2]]

Looks into the student register "students.dat" of a data folder.

  list  prints the first 100 named students in the shell's order, one line
        each: number, name, extra1, extra2, separated by tabs. Exits 1 with
        the error on standard error when the register cannot be read.
        With --counters each line goes on with one field for every entry
        that has counted anything: ENTRY:C1,C2,C3,C4,C5 (the entry's five
        counters), entries in order. The shell counts the language chosen
        in entry 11 (Afrikaans) or 12 (English), the activities count their
        plays in the entry of their menu slot (1..9).
  find  prints the number of the student with this name and extras, or 65535
        when there is none; exits 0 when found, 1 when not.
  add   counts ENTRY (1..16) with COUNTER (1..5) for the student, adding the
        student when new; prints the student's number and exits 0, or prints
        65535 and exits 1 when the register cannot be written.

Names and extras are given and printed in UTF-8 and stored in Windows-1252;
text that Windows-1252 cannot hold is refused. The register keeps names up
to 35 characters, extra1 up to 40 and extra2 up to 4; longer ones are cut.
Wrong arguments exit 2.
)";

class UsageError {
public:
    explicit UsageError(std::string text) : m_text(std::move(text)) { }
    std::string const& text() const { return m_text; }

private:
    std::string m_text;
};

std::string stored_text(std::string const& utf8, char const* what)
{
    auto text = cp1252::from_utf8(utf8);
    if (!text)
        throw UsageError(std::string("the ") + what + " \"" + utf8 + "\" has characters that Windows-1252 cannot hold");
    return *text;
}

int number_in_range(std::string const& arg, int low, int high, char const* what)
{
    int value = 0;
    auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), value);
    if (ec != std::errc() || end != arg.data() + arg.size() || value < low || value > high)
        throw UsageError(std::string(what) + " must be a number from " + std::to_string(low) + " to "
            + std::to_string(high) + ", not \"" + arg + "\"");
    return value;
}

// NAME [EXTRA1 [EXTRA2]] from position first on.
struct Key {
    std::string name, extra1, extra2;
};

Key key_from(std::vector<std::string> const& args, std::size_t first)
{
    if (args.size() < first + 1 || args.size() > first + 3)
        throw UsageError("wrong number of arguments");
    auto arg = [&](std::size_t i) { return first + i < args.size() ? args[first + i] : std::string(); };
    return { stored_text(arg(0), "name"), stored_text(arg(1), "extra1"), stored_text(arg(2), "extra2") };
}

enum class Counters { hidden, shown };

// Tab, then ENTRY:C1,...,C5 for every entry with a counter that is not 0.
std::string counter_fields(StudentRecord const& record)
{
    std::string fields;
    for (int entry = 1; entry <= StudentRecord::entry_count; ++entry) {
        std::string values;
        bool counted = false;
        for (int counter = 1; counter <= StudentRecord::counter_count; ++counter) {
            if (counter > 1)
                values += ',';
            values += std::to_string(record.counter(entry, counter));
            counted = counted || record.counter(entry, counter) != 0;
        }
        if (counted)
            fields.append(1, '\t').append(std::to_string(entry)).append(1, ':').append(values);
    }
    return fields;
}

int list(std::string const& folder, Counters counters)
{
    StudentSlots slots;
    ReadStudents(folder, slots);
    for (auto const& slot : slots)
        if (!slot.name().empty())
            std::cout << slot.number() << '\t' << cp1252::to_utf8(slot.name()) << '\t'
                      << cp1252::to_utf8(slot.extra1()) << '\t' << cp1252::to_utf8(slot.extra2())
                      << (counters == Counters::shown ? counter_fields(slot) : std::string()) << '\n';
    return success;
}

int report(std::uint16_t number)
{
    std::cout << number << '\n';
    return number == no_student ? failure : success;
}

int run(std::vector<std::string> const& args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << usage;
        return success;
    }
    if (args.size() < 2)
        throw UsageError("a command and a folder are needed");
    std::string const& command = args[0];
    bool const counters = command == "list" && args.size() == 3 && args[1] == "--counters";
    std::string const& folder = args[counters ? 2 : 1];
    if (folder.empty())
        throw UsageError("the folder must not be empty");
    if (command == "list" && (args.size() == 2 || counters))
        return list(folder, counters ? Counters::shown : Counters::hidden);
    if (command == "find") {
        Key key = key_from(args, 2);
        return report(FindStudent(key.name, key.extra1, key.extra2, folder));
    }
    if (command == "add" && args.size() >= 4) {
        int entry = number_in_range(args[2], 1, StudentRecord::entry_count, "ENTRY");
        int counter = number_in_range(args[3], 1, StudentRecord::counter_count, "COUNTER");
        Key key = key_from(args, 4);
        return report(AddStudent(entry, counter, key.name, key.extra1, key.extra2, folder));
    }
    throw UsageError("unknown command or wrong number of arguments");
}

}

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (UsageError const& e) {
        std::cerr << "sprout-register: " << e.text() << "\nTry 'sprout-register --help'.\n";
        return bad_usage;
    } catch (RegisterError const& e) {
        std::cerr << "sprout-register: " << e.what() << '\n';
        return failure;
    }
}
