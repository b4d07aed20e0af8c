#include "ProgressReport.h"
#include "activities/RegisterImage.h"
#include "activities/StudentRegister.h"
#include "platform/fake/VirtualClock.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace register_image;

namespace {

ProgressReport read(TempFolder const& t, std::string const& name = "anna")
{
    return ProgressReport::read(t.path(), name, "", "");
}

std::vector<std::string> names_of(ProgressReport const& report)
{
    std::vector<std::string> names;
    for (auto const& row : report.students)
        names.push_back(row.name);
    return names;
}

}

TEST(ProgressReport, RegistersWithNobodyToShow)
{
    TempFolder t;
    EXPECT_EQ(read(t).state, ProgressReport::State::missing);
    t.write("students.dat");
    EXPECT_EQ(read(t).state, ProgressReport::State::empty);
    // Records without a name are no students.
    t.write("students.dat", added(1, "") + added(2, ""));
    ProgressReport report = read(t);
    EXPECT_EQ(report.state, ProgressReport::State::empty);
    EXPECT_TRUE(report.students.empty());
    EXPECT_FALSE(report.current);
    EXPECT_EQ(report.most_plays(), 0);
}

TEST(ProgressReport, OneStudentWithTheirPlaysLanguageAndLastActivity)
{
    TempFolder t;
    ASSERT_EQ(AddStudent(english_entry, 1, "anna", "", "", t.path()), 1);
    for (int slot : { 4, 4, 1, 4, 5, 1 })
        ASSERT_EQ(CountPlay(slot, "anna", "", "", t.path()), 1);
    // The report's own slot and the shell's entries are no activities.
    ASSERT_EQ(CountPlay(activity_catalogue::report_slot, "anna", "", "", t.path()), 1);

    ProgressReport report = read(t);
    ASSERT_EQ(report.state, ProgressReport::State::ready);
    ASSERT_EQ(report.students.size(), 1u);
    ASSERT_EQ(report.current, 0u);
    StudentRow const& row = report.students[0];
    EXPECT_EQ(row.name, "anna");
    EXPECT_EQ(row.plays[4], 3);
    EXPECT_EQ(row.plays[1], 2);
    EXPECT_EQ(row.plays[5], 1);
    EXPECT_EQ(row.plays[2], 0);
    EXPECT_EQ(row.total, 6);
    EXPECT_EQ(row.last_activity, 1);
    EXPECT_TRUE(row.english);
    EXPECT_FALSE(row.afrikaans);
    EXPECT_EQ(report.most_plays(), 3);

    // Another student's report finds the register but not them.
    ProgressReport other = read(t, "Anna");
    EXPECT_EQ(other.state, ProgressReport::State::ready);
    EXPECT_FALSE(other.current);
}

TEST(ProgressReport, AStudentAddedByTheShellOnlyHasNoPlays)
{
    TempFolder t;
    t.write("students.dat", added(1, "anna"));
    ProgressReport report = read(t);
    ASSERT_EQ(report.current, 0u);
    EXPECT_EQ(report.students[0].total, 0);
    EXPECT_FALSE(report.students[0].last_activity);
    EXPECT_TRUE(report.students[0].afrikaans);
}

TEST(ProgressReport, EveryOneOf120StudentsInNameOrder)
{
    TempFolder t;
    std::string image;
    for (int i = 120; i >= 1; --i)
        image += counted(record(std::uint16_t(121 - i), "kind " + std::to_string(1000 + i)), 3, 1, i);
    // A name in the register's code page: e with an acute accent.
    image += counted(record(121, "\xe9mile"), 6, 1, 2);
    t.write("students.dat", image);

    ProgressReport report = ProgressReport::read(t.path(), "\xc3\xa9mile", "", "");
    ASSERT_EQ(report.state, ProgressReport::State::ready);
    ASSERT_EQ(report.students.size(), 121u);
    EXPECT_EQ(report.students.front().name, "\xc3\xa9mile");
    EXPECT_EQ(report.current, 0u);
    EXPECT_EQ(report.students[1].name, "kind 1001");
    EXPECT_EQ(report.students[1].plays[3], 1);
    EXPECT_EQ(report.students.back().name, "kind 1120");
    EXPECT_EQ(report.students.back().total, 120);
    EXPECT_EQ(report.most_plays(), 2);
}

TEST(ProgressReport, OneStudentInSeveralRecordsIsOneRow)
{
    TempFolder t;
    t.write("students.dat", counted(added(1, "anna"), 2, 1, 1) + added(2, "bert") + counted(added(3, "anna"), 2, 1, 4));
    ProgressReport report = read(t);
    EXPECT_EQ(names_of(report), (std::vector<std::string> { "anna", "bert" }));
    EXPECT_EQ(report.students[0].plays[2], 4);
}

TEST(ProgressReport, TextsHoldingNulBytesDoNotMakeTwoStudentsOne)
{
    using namespace std::string_literals;
    TempFolder t;
    // Joined without their lengths, both keys would read "a\0\0\0x".
    t.write("students.dat", record(1, "a\0"s, "", "x") + record(2, "a", "\0"s, "x"));
    EXPECT_EQ(ProgressReport::read(t.path(), "a", "", "").students.size(), 2u);
    t.write("students.dat", record(1, "", "\0"s, "x") + record(2, "\0"s, "", "x"));
    EXPECT_FALSE(ProgressReport::read(t.path(), "", "\0"s, "x").current) << "an empty name is nobody's";
}

TEST(ProgressReport, DamagedAndLockedRegistersAreToldApart)
{
    TempFolder t;
    std::string const path = t.write("students.dat", added(1, "anna") + added(2, "bert").substr(0, 100));
    EXPECT_EQ(read(t).state, ProgressReport::State::damaged);

    // Counters a damaged record may hold: no negative plays, no overflow.
    std::string anna = added(1, "anna"), bert = added(2, "bert");
    anna = counted(anna, 1, 1, -5);
    anna = counted(anna, 2, 1, 0x7fffffff);
    bert = counted(bert, 3, 1, 0x7fffffff);
    t.write("students.dat", anna + bert);
    ProgressReport wild = read(t);
    ASSERT_EQ(wild.state, ProgressReport::State::ready);
    EXPECT_EQ(wild.students[0].plays[1], 0);
    EXPECT_EQ(wild.students[0].total, 0x7fffffff);

    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    pid_t holder = ::fork();
    if (holder == 0) {
        int fd = ::open(path.c_str(), O_RDWR);
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        pollfd released { release[0], POLLIN, 0 };
        bool held = ::fcntl(fd, F_SETLK, &whole) == 0 && ::write(ready[1], "x", 1) == 1;
        ::_exit(held && ::poll(&released, 1, 10000) == 1 ? 0 : 1);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    {
        platform::VirtualClock clock;
        platform::Clock::Installed clock_installed(clock);
        EXPECT_EQ(read(t).state, ProgressReport::State::locked);
    }
    ASSERT_EQ(::write(release[1], "x", 1), 1);
    int status = 0;
    ::waitpid(holder, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(read(t).state, ProgressReport::State::ready);
    for (int fd : { ready[0], ready[1], release[0], release[1] })
        ::close(fd);

    TempFolder other;
    other.make_folder("students.dat");
    EXPECT_EQ(read(other).state, ProgressReport::State::unreadable);
}

TEST(ProgressReport, BarsGrowByTheUnitUntilTheLongestWouldNotFit)
{
    EXPECT_EQ(bar_length(3, 3, 380, 24), 72);
    EXPECT_EQ(bar_length(1, 15, 380, 24), 24);
    EXPECT_EQ(bar_length(0, 3, 380, 24), 0);
    EXPECT_EQ(bar_length(-2, 3, 380, 24), 0);
    // Past the room the longest fills it and the others keep their share.
    EXPECT_EQ(bar_length(100, 100, 380, 24), 380);
    EXPECT_EQ(bar_length(50, 100, 380, 24), 190);
    EXPECT_EQ(bar_length(1, 100, 380, 24), 3);
    EXPECT_EQ(bar_length(0x7fffffff, 0x7fffffff, 380, 24), 380);
    EXPECT_EQ(bar_length(5, 0, 380, 24), 0);
}
