#pragma once

#include "activities/StudentRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The register of students, "students.dat" in the shared data folder. Nothing
// is cached: every operation opens the file, does its work under the file's
// lock and closes it. Texts are Windows-1252, as stored (see Cp1252.h); the
// folder may end with '/' or not.

// The number that means "no student" and "failure".
inline constexpr std::uint16_t no_student = 65535;

// The entries that count a student's choices of language at the name screen;
// the others count the plays of the activities, each under its slot.
inline constexpr int afrikaans_entry = 11;
inline constexpr int english_entry = 12;

// What ReadStudents fills: 100 records laid out as in the file.
using StudentSlots = std::array<StudentRecord, 100>;

// The number of the last record whose key (name, extra1, extra2) equals the
// given texts, or no_student, also when the register cannot be read.
std::uint16_t FindStudent(std::string_view name, std::string_view extra1, std::string_view extra2,
    std::string const& folder);

// Counts in entry 1..16, counter 1..5 of every record with the key. When no
// record has it, appends a new record numbered one more than the last one and
// returns that number; otherwise returns the number of the last record
// counted. no_student on any failure, for an entry or counter out of range,
// and for a new student once the numbers have reached 65534; then nothing is
// written.
std::uint16_t AddStudent(int entry, int counter, std::string_view name, std::string_view extra1,
    std::string_view extra2, std::string const& folder);

// Counts a play of the activity of slot `entry` as AddStudent(entry, 1, ...)
// does, and marks that entry as the student's latest play (see
// StudentRecord::play_order), in the same locked update.
std::uint16_t CountPlay(int entry, std::string_view name, std::string_view extra1, std::string_view extra2,
    std::string const& folder);

// Fills the buffer with the first 100 named records of the register in file
// order, then ordered by extra1 followed by name; the other slots are empty,
// with number 0 and empty texts. A missing register gives 100 empty slots.
// Throws RegisterError when the register cannot be read, before the buffer is
// touched.
void ReadStudents(std::string const& folder, StudentSlots& buffer);
