#include "activities/RegisterFile.h"
#include "activities/RegisterImage.h"
#include "activities/StudentRegister.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
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

TEST(StudentRegisterProcesses, NewRegisterIsSharedAsFarAsTheUmaskAllows)
{
    TempFolder t;
    t.make_folder("open");
    t.make_folder("group");
    mode_t const old = ::umask(0);
    AddStudent(11, 1, "anna", "", "", t.path() + "open");
    ::umask(027);
    AddStudent(11, 1, "anna", "", "", t.path() + "group");
    ::umask(old);
    struct stat st {};
    ASSERT_EQ(::stat((t.path() + "open/students.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u);
    ASSERT_EQ(::stat((t.path() + "group/students.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
