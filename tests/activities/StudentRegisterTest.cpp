#include "activities/RegisterFile.h"
#include "activities/RegisterImage.h"
#include "activities/StudentRegister.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace register_image;

namespace {

std::string name_of(StudentRecord const& slot) { return std::string(slot.name()); }

// The raw bytes of a slot, to compare with a hand-made record.
std::string bytes_of(StudentRecord const& slot)
{
    return std::string(reinterpret_cast<char const*>(slot.data()), StudentRecord::size);
}

// A buffer full of named records, to see whether a failed read touched it.
std::unique_ptr<StudentSlots> filled_buffer()
{
    TempFolder t;
    std::string image;
    for (int i = 1; i <= 100; ++i)
        image += record(static_cast<std::uint16_t>(i), std::to_string(1000 + i));
    t.write("students.dat", image);
    auto slots = std::make_unique<StudentSlots>();
    ReadStudents(t.path(), *slots);
    return slots;
}

}

TEST(StudentRegister, FirstStudentsAreAppendedAndFoundByExactName)
{
    TempFolder t;
    std::string const file = t.path() + "students.dat";
    EXPECT_EQ(FindStudent("anna", "", "", t.path()), no_student);
    EXPECT_FALSE(std::filesystem::exists(file));

    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path()), 1);
    EXPECT_EQ(contents(file), added(1, "anna"));
    EXPECT_EQ(FindStudent("anna", "", "", t.path()), 1);
    EXPECT_EQ(FindStudent("Anna", "", "", t.path()), no_student);
    EXPECT_EQ(FindStudent("anna", "x", "", t.path()), no_student);

    EXPECT_EQ(AddStudent(12, 3, "bert", "b", "c", t.path()), 2);
    EXPECT_EQ(contents(file), added(1, "anna") + counted(record(2, "bert", "b", "c"), 12, 3, 1));
}

TEST(StudentRegister, FolderWithOrWithoutSlashIsTheSameRegister)
{
    TempFolder t;
    std::string bare = t.path().substr(0, t.path().size() - 1);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", bare), 1);
    EXPECT_EQ(FindStudent("anna", "", "", bare + "/"), 1);
    EXPECT_EQ(AddStudent(11, 1, "bert", "", "", t.path()), 2);
    EXPECT_EQ(FindStudent("bert", "", "", bare), 2);
}

TEST(StudentRegister, KnownStudentIsCountedInEveryMatchingRecordAndNothingElseChanges)
{
    TempFolder t;
    // Bytes without meaning must survive a rewrite.
    std::string anna = counted(record(1, "anna"), 12, 3, 7);
    anna[2 + 1 + 4] = 'x';
    anna[84 + 24 * 11 + 1] = '\xAB';
    std::string const image = anna + added(2, "bert") + added(3, "anna");
    t.write("students.dat", image);

    EXPECT_EQ(AddStudent(12, 3, "anna", "", "", t.path()), 3);
    EXPECT_EQ(contents(t.path() + "students.dat"),
        counted(anna, 12, 3, 8) + added(2, "bert") + counted(added(3, "anna"), 12, 3, 1));
    EXPECT_EQ(FindStudent("anna", "", "", t.path()), 3);
}

TEST(StudentRegister, LongTextsAreCutAndStillFindTheirRecord)
{
    TempFolder t;
    std::string const name(40, 'n'), extra1(45, 'e');
    EXPECT_EQ(AddStudent(11, 1, name, extra1, "abcdef", t.path()), 1);
    EXPECT_EQ(contents(t.path() + "students.dat"), added(1, name.substr(0, 35), extra1.substr(0, 40), "abcd"));
    EXPECT_EQ(FindStudent(name, extra1, "abcdef", t.path()), 1);

    // Confirming the same long name again counts it instead of adding a twin.
    EXPECT_EQ(AddStudent(11, 1, name, extra1, "abcdef", t.path()), 1);
    EXPECT_EQ(contents(t.path() + "students.dat"),
        counted(record(1, name.substr(0, 35), extra1.substr(0, 40), "abcd"), 11, 1, 2));
}

TEST(StudentRegister, LengthByteBeyondItsFieldReadsAsTheWholeField)
{
    TempFolder t;
    std::string r = record(1, std::string(35, 'n'));
    r[2] = '\xFF';
    r[79] = '\x09';
    t.write("students.dat", r);
    EXPECT_EQ(FindStudent(std::string(35, 'n'), "", std::string(4, '\0'), t.path()), 1);
    StudentSlots slots;
    ReadStudents(t.path(), slots);
    EXPECT_EQ(slots[0].name(), std::string(35, 'n'));
}

TEST(StudentRegister, NumbersEndAt65534)
{
    TempFolder t;
    std::string const file = t.path() + "students.dat";
    t.write("students.dat", added(65533, "a"));
    EXPECT_EQ(AddStudent(11, 1, "b", "", "", t.path()), 65534);
    std::string const full = contents(file);
    EXPECT_EQ(AddStudent(11, 1, "c", "", "", t.path()), no_student);
    EXPECT_EQ(contents(file), full);
    // A known student is still counted.
    EXPECT_EQ(AddStudent(11, 1, "a", "", "", t.path()), 65533);
    EXPECT_EQ(contents(file).size(), full.size());
}

TEST(StudentRegister, EntryOrCounterOutOfRangeWritesNothing)
{
    TempFolder t;
    for (auto [entry, counter] : { std::pair(0, 1), std::pair(17, 1), std::pair(1, 0), std::pair(1, 6) })
        EXPECT_EQ(AddStudent(entry, counter, "anna", "", "", t.path()), no_student) << entry << ' ' << counter;
    EXPECT_FALSE(std::filesystem::exists(t.path() + "students.dat"));
    EXPECT_EQ(AddStudent(16, 5, "anna", "", "", t.path()), 1);
}

TEST(StudentRegister, PartialRecordFailsEveryOperationAndIsLeftAlone)
{
    TempFolder t;
    std::string const image = added(1, "anna") + added(2, "bert").substr(0, 100);
    t.write("students.dat", image);
    EXPECT_EQ(FindStudent("anna", "", "", t.path()), no_student);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path()), no_student);
    EXPECT_EQ(AddStudent(11, 1, "carl", "", "", t.path()), no_student);
    EXPECT_EQ(contents(t.path() + "students.dat"), image);

    auto buffer = filled_buffer();
    StudentSlots const before = *buffer;
    EXPECT_THROW(ReadStudents(t.path(), *buffer), RegisterError);
    EXPECT_EQ(std::memcmp(&before, buffer.get(), sizeof before), 0);
}

TEST(StudentRegister, MissingFolderFailsQuietlyAndEmptyFolderIsRefused)
{
    TempFolder t;
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path() + "missing/"), no_student);
    EXPECT_EQ(FindStudent("anna", "", "", ""), no_student);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", ""), no_student);
    StudentSlots slots;
    EXPECT_THROW(ReadStudents("", slots), RegisterError);
}

TEST(ReadStudents, MissingRegisterGivesHundredEmptySlots)
{
    TempFolder t;
    auto buffer = filled_buffer();
    ReadStudents(t.path(), *buffer);
    for (auto const& slot : *buffer) {
        EXPECT_EQ(slot.number(), 0);
        EXPECT_TRUE(slot.name().empty() && slot.extra1().empty() && slot.extra2().empty());
    }
}

TEST(ReadStudents, SkipsUnnamedRecordsAndCopiesTheOthersWhole)
{
    TempFolder t;
    std::string zara = counted(record(1, "zara"), 3, 2, -5);
    zara[467] = '\x7F';
    t.write("students.dat", zara + record(2, "anna") + record(3, ""));
    StudentSlots slots;
    ReadStudents(t.path(), slots);
    EXPECT_EQ(bytes_of(slots[0]), record(2, "anna"));
    EXPECT_EQ(bytes_of(slots[1]), zara);
    for (std::size_t i = 2; i < slots.size(); ++i)
        EXPECT_EQ(slots[i].number(), 0) << i;
}

TEST(ReadStudents, OrdersByExtra1FollowedByNameAsUnsignedBytes)
{
    TempFolder t;
    // Keys: "ba", "ab", "z\xE9", "zz", "abx", "abc".
    t.write("students.dat",
        record(1, "a", "b") + record(2, "b", "a") + record(3, "z\xE9") + record(4, "zz") + record(5, "x", "ab")
            + record(6, "bc", "a"));
    StudentSlots slots;
    ReadStudents(t.path(), slots);
    std::vector<int> order;
    for (int i = 0; i < 6; ++i)
        order.push_back(slots[i].number());
    EXPECT_EQ(order, (std::vector<int> { 2, 6, 5, 1, 4, 3 }));
}

TEST(ReadStudents, EqualKeysEndInTheExchangeSortsOrder)
{
    TempFolder t;
    // The first two differ only in extra2, which is no part of the key.
    t.write("students.dat", record(1, "b", "", "1") + record(2, "b", "", "2") + record(3, "a"));
    StudentSlots slots;
    ReadStudents(t.path(), slots);
    EXPECT_EQ(slots[0].number(), 3);
    EXPECT_EQ(slots[1].number(), 2);
    EXPECT_EQ(slots[2].number(), 1);
}

TEST(ReadStudents, KeepsTheFirstHundredNamedRecordsInFileOrder)
{
    TempFolder t;
    std::string image;
    for (int i = 1; i <= 120; ++i) {
        image += record(static_cast<std::uint16_t>(i), std::to_string(1000 - i));
        if (i == 50)
            image += record(0, "");
    }
    t.write("students.dat", image);
    StudentSlots slots;
    ReadStudents(t.path(), slots);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(slots[k].number(), 100 - k) << name_of(slots[k]);
}
