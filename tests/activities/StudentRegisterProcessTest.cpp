#include "activities/RegisterFile.h"
#include "activities/RegisterImage.h"
#include "activities/StudentRegister.h"
#include "platform/fake/VirtualClock.h"
#include "support/OrdinaryUser.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace register_image;

namespace {

// Runs body in a child process; its result is the child's exit status.
template<class Body>
pid_t run_child(Body body)
{
    pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    return pid;
}

int exit_status(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string number_name(int writer, int i)
{
    return std::to_string(writer).append("-").append(std::to_string(i));
}

}

TEST(StudentRegisterProcesses, ConcurrentWritersNeverShareANumberOrLoseARecord)
{
    TempFolder t;
    std::vector<pid_t> writers;
    for (int w = 0; w < 4; ++w)
        writers.push_back(run_child([&] {
            for (int i = 0; i < 200; ++i)
                if (AddStudent(11, 1, number_name(w, i), "", "", t.path()) == no_student)
                    return false;
            return true;
        }));
    for (pid_t pid : writers)
        EXPECT_EQ(exit_status(pid), 0);

    std::string const file = contents(t.path() + "students.dat");
    ASSERT_EQ(file.size(), 800u * 468);
    std::set<std::string> names;
    for (int n = 0; n < 800; ++n) {
        char const* r = file.data() + 468 * n;
        EXPECT_EQ(static_cast<unsigned char>(r[0]) | static_cast<unsigned char>(r[1]) << 8, n + 1);
        names.insert(std::string(r + 3, static_cast<unsigned char>(r[2])));
    }
    for (int w = 0; w < 4; ++w)
        for (int i = 0; i < 200; ++i)
            EXPECT_TRUE(names.count(number_name(w, i))) << number_name(w, i);
}

TEST(StudentRegisterProcesses, OperationsWaitForAnotherProcessesLock)
{
    TempFolder t;
    std::string const path = t.path() + "students.dat";
    t.write("students.dat");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    // Another shell in the middle of its add: it holds the lock, then appends.
    pid_t holder = run_child([&] {
        int fd = ::open(path.c_str(), O_RDWR);
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        if (::fcntl(fd, F_SETLKW, &whole) < 0 || ::write(ready[1], "x", 1) != 1)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        std::string const r = added(1, "anna");
        return ::write(fd, r.data(), r.size()) == static_cast<ssize_t>(r.size());
    });
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(FindStudent("anna", "", "", t.path()), 1);
    EXPECT_EQ(AddStudent(11, 1, "bert", "", "", t.path()), 2);
    EXPECT_EQ(exit_status(holder), 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(StudentRegisterProcesses, ALockHeldPastTwoSecondsFailsTheOperation)
{
    TempFolder t;
    std::string const path = t.write("students.dat", added(1, "anna"));
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    // A shell stopped while it holds the lock; it lets go after 10 s at most,
    // so a register that waited without bound could not hang the test.
    pid_t holder = run_child([&] {
        int fd = ::open(path.c_str(), O_RDWR);
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        pollfd released { release[0], POLLIN, 0 };
        return ::fcntl(fd, F_SETLK, &whole) == 0 && ::write(ready[1], "x", 1) == 1 && ::poll(&released, 1, 10000) == 1;
    });
    ::close(ready[1]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);

    auto const start = std::chrono::steady_clock::now();
    EXPECT_EQ(FindStudent("anna", "", "", t.path()), no_student);
    auto const waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(1900));
    EXPECT_LT(waited, std::chrono::milliseconds(4000));

    // The other operations give up after the same wait of the process clock.
    {
        platform::VirtualClock clock;
        platform::Clock::Installed clock_installed(clock);
        EXPECT_EQ(AddStudent(11, 1, "bert", "", "", t.path()), no_student);
        EXPECT_GE(clock.now(), 2000);
        StudentSlots slots;
        EXPECT_THROW(ReadStudents(t.path(), slots), RegisterError);
        EXPECT_GE(clock.now(), 4000);
    }

    ASSERT_EQ(::write(release[1], "x", 1), 1);
    EXPECT_EQ(exit_status(holder), 0);
    EXPECT_EQ(contents(path), added(1, "anna"));
    EXPECT_EQ(AddStudent(11, 1, "bert", "", "", t.path()), 2);
    for (int fd : { ready[0], release[0], release[1] })
        ::close(fd);
}

TEST(StudentRegisterProcesses, WriterKilledMidRunLeavesWholeReadableRecords)
{
    TempFolder t;
    std::string const path = t.path() + "students.dat";
    pid_t writer = run_child([&] {
        for (int i = 0;; ++i)
            AddStudent(11, 1, number_name(0, i), "", "", t.path());
        return true;
    });
    struct stat st {};
    while (::stat(path.c_str(), &st) != 0 || st.st_size < 100 * 468)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(writer, SIGKILL);
    EXPECT_EQ(exit_status(writer), -1);

    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size % 468, 0);
    StudentSlots slots;
    EXPECT_NO_THROW(ReadStudents(t.path(), slots));
    auto const records = static_cast<std::uint16_t>(st.st_size / 468);
    EXPECT_EQ(FindStudent(number_name(0, records - 1), "", "", t.path()), records);
    EXPECT_EQ(AddStudent(11, 1, "after", "", "", t.path()), records + 1);
}

TEST(StudentRegisterProcesses, LinkPlantedAsTheRegisterIsRefused)
{
    TempFolder t;
    std::string const target = t.write("elsewhere/students.dat", added(1, "anna"));
    t.make_folder("shared");
    ASSERT_EQ(::symlink(target.c_str(), (t.path() + "shared/students.dat").c_str()), 0);
    EXPECT_EQ(FindStudent("anna", "", "", t.path() + "shared"), no_student);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path() + "shared"), no_student);
    EXPECT_EQ(AddStudent(11, 1, "bert", "", "", t.path() + "shared"), no_student);
    StudentSlots slots;
    EXPECT_THROW(ReadStudents(t.path() + "shared", slots), RegisterError);
    EXPECT_EQ(contents(target), added(1, "anna"));

    // A dangling link must not create its target either.
    std::string const missing = t.path() + "elsewhere/new.dat";
    t.make_folder("dangling");
    ASSERT_EQ(::symlink(missing.c_str(), (t.path() + "dangling/students.dat").c_str()), 0);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path() + "dangling"), no_student);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(StudentRegisterProcesses, NewRegisterIsSharedWhateverTheUmaskButAnOldOneKeepsItsMode)
{
    TempFolder t;
    t.make_folder("group");
    t.make_folder("private");
    std::string const old_register = t.write("old/students.dat");
    ::chmod(old_register.c_str(), 0600);
    mode_t const old = ::umask(027);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path() + "group"), 1);
    ::umask(077);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path() + "private"), 1);
    EXPECT_EQ(AddStudent(11, 1, "anna", "", "", t.path() + "old"), 1);
    ::umask(old);
    auto mode = [](std::string const& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    EXPECT_EQ(mode(t.path() + "group/students.dat"), 0666u);
    EXPECT_EQ(mode(t.path() + "private/students.dat"), 0666u);
    EXPECT_EQ(mode(old_register), 0600u);
}

// The installed data folder: writable by everyone and sticky, like /tmp.
// Children logged in as different users, each with a private umask, share
// one register; a link that one of them plants is refused by the others.
TEST(StudentRegisterProcesses, UsersOfAStickySharedFolderShareOneRegister)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as several users";
    TempFolder t;
    ::chmod(t.path().c_str(), 0755);
    std::string const shared = t.make_folder("documents");
    ::chmod(shared.c_str(), 01777);
    EXPECT_TRUE(as_ordinary_user([&] { return AddStudent(11, 1, "anna", "", "", shared) == 1; }, nobody));
    EXPECT_TRUE(as_ordinary_user(
        [&] {
            StudentSlots slots;
            ReadStudents(shared, slots);
            return FindStudent("anna", "", "", shared) == 1 && AddStudent(12, 1, "bert", "", "", shared) == 2
                && slots[0].number() == 1;
        },
        somebody_else));
    struct stat st {};
    ASSERT_EQ(::stat((shared + "/students.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_EQ(st.st_uid, nobody);
    EXPECT_EQ(st.st_size, 2 * 468);

    std::string const elsewhere = t.make_folder("elsewhere");
    ::chmod(elsewhere.c_str(), 0777);
    std::string const planted = t.make_folder("planted");
    ::chmod(planted.c_str(), 01777);
    EXPECT_TRUE(as_ordinary_user(
        [&] { return ::symlink((elsewhere + "/x.dat").c_str(), (planted + "/students.dat").c_str()) == 0; },
        somebody_else));
    EXPECT_TRUE(as_ordinary_user([&] { return AddStudent(11, 1, "anna", "", "", planted) == no_student; }, nobody));
    EXPECT_FALSE(std::filesystem::exists(elsewhere + "/x.dat"));
}
