#include "ActivityStart.h"
#include "PlayCount.h"
#include "activities/RegisterImage.h"
#include "activities/StudentRegister.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace register_image;

namespace {

// The arguments the shell's starter gives a program of the package: its
// path, then the seven fields split at blanks.
ActivityStart started(std::string const& program, std::vector<std::string> args)
{
    std::vector<char const*> argv { program.c_str() };
    for (auto const& a : args)
        argv.push_back(a.c_str());
    return ActivityStart::from_arguments(int(argv.size()), argv.data());
}

ActivityStart run_of(std::string const& program, std::string const& name, std::string const& folder)
{
    return started("/pkg/" + program, { "*/pkg/#", "*" + name + "#", "*#", "*#", "*TRUE#", "*ENG#", "*" + folder + "#" });
}

std::int32_t plays(std::string const& folder, int slot, std::string const& name)
{
    StudentSlots slots;
    ReadStudents(folder, slots);
    for (auto const& s : slots)
        if (s.name() == name)
            return s.counter(slot, 1);
    return -1;
}

}

TEST(ActivityStart, ReadsTheSevenFieldsAndTheSlotOfItsPlace)
{
    auto start = started("/opt/Pkg/Thinking1/PUZZLE.EXE",
        { "*/opt/Pkg/#", "*anna", "marie#", "*#", "*#", "*TRUE#", "*AFR#", "*/data/#" });
    EXPECT_EQ(start.installdir(), "/opt/Pkg/");
    EXPECT_EQ(start.student(), "anna marie");
    EXPECT_EQ(start.extra1(), "");
    EXPECT_TRUE(start.afrikaans());
    EXPECT_EQ(start.datafolder(), "/data/");
    EXPECT_EQ(start.slot, 2);

    EXPECT_EQ(run_of("perception_2/perception_2.exe", "x", "/d/").slot, 8);
    EXPECT_FALSE(run_of("perception_2/perception.exe", "x", "/d/").slot);
    EXPECT_FALSE(started("maths.exe", {}).slot);
    EXPECT_FALSE(run_of("maths/maths.exe", "x", "/d/").afrikaans());
    // Started with nothing, the fields are empty rather than missing.
    EXPECT_EQ(started("/pkg/maths/maths.exe", {}).datafolder(), "");
}

TEST(ActivityStart, OneRunCountsOnePlayInItsSlotsEntry)
{
    TempFolder t;
    std::string const file = t.write("students.dat", added(1, "anna") + added(2, "bert"));
    EXPECT_EQ(count_play(run_of("maths/maths.exe", "anna", t.path())), PlayCount::counted);
    EXPECT_EQ(plays(t.path(), 4, "anna"), 1);
    EXPECT_EQ(plays(t.path(), 4, "bert"), 0);
    // Exactly what AddStudent makes of it, but for the latest-play mark in
    // the entry's spare bytes.
    std::string expected = counted(added(1, "anna"), 4, 1, 1);
    expected[84 + 24 * 3 + 1] = 1;
    EXPECT_EQ(contents(file).substr(0, 468), expected);

    EXPECT_EQ(count_play(run_of("maths/maths.exe", "anna", t.path())), PlayCount::counted);
    EXPECT_EQ(plays(t.path(), 4, "anna"), 2);

    // A child the register has not met yet is added, numbered after the last.
    EXPECT_EQ(count_play(run_of("memory/memory.exe", "cleo", t.path())), PlayCount::counted);
    EXPECT_EQ(FindStudent("cleo", "", "", t.path()), 3);
    EXPECT_EQ(plays(t.path(), 5, "cleo"), 1);
}

TEST(ActivityStart, ARunThatCannotBeCountedSaysSoAndWritesNothing)
{
    TempFolder t;
    std::string const damaged = t.write("students.dat", added(1, "anna").substr(0, 300));
    EXPECT_EQ(count_play(run_of("maths/maths.exe", "anna", t.path())), PlayCount::failed);
    EXPECT_EQ(contents(damaged).size(), 300u);

    TempFolder empty;
    EXPECT_EQ(count_play(run_of("maths/maths.exe", "anna", "")), PlayCount::failed);
    EXPECT_EQ(count_play(run_of("maths/maths.exe", "", empty.path())), PlayCount::failed);
    // Text the register's code page cannot hold.
    EXPECT_EQ(count_play(run_of("maths/maths.exe", "\xe4\xbd\xa0", empty.path())), PlayCount::failed);
    EXPECT_EQ(count_play(run_of("tools/other.exe", "anna", empty.path())), PlayCount::no_slot);
    EXPECT_EQ(count_play(run_of("maths/maths.exe", "anna", empty.path() + "missing/")), PlayCount::failed);
    EXPECT_FALSE(std::filesystem::exists(empty.path() + "students.dat"));
}

TEST(ActivityStart, TwoActivitiesAndTheShellWritingAtOnceLoseNothing)
{
    TempFolder t;
    ASSERT_EQ(AddStudent(11, 1, "anna", "", "", t.path()), 1);
    constexpr int runs = 150;
    auto in_child = [](auto body) {
        pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(body() ? 0 : 1);
        return pid;
    };
    std::vector<pid_t> children;
    for (std::string program : { "maths/maths.exe", "memory/memory.exe" })
        children.push_back(in_child([&] {
            for (int i = 0; i < runs; ++i)
                if (count_play(run_of(program, "anna", t.path())) != PlayCount::counted)
                    return false;
            return true;
        }));
    // The shell meanwhile registers new children at the name screen.
    children.push_back(in_child([&] {
        for (int i = 0; i < runs; ++i)
            if (AddStudent(12, 1, "child" + std::to_string(i), "", "", t.path()) == no_student)
                return false;
        return true;
    }));
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(plays(t.path(), 4, "anna"), runs);
    EXPECT_EQ(plays(t.path(), 5, "anna"), runs);
    EXPECT_EQ(contents(t.path() + "students.dat").size(), (1 + runs) * 468u);
    EXPECT_EQ(FindStudent("child" + std::to_string(runs - 1), "", "", t.path()), runs + 1);
}
