// One data folder, many writers at once: eight register tools adding names
// and two shells whose children type theirs, while a ninth writer is killed
// in the middle of its work. Nothing may be lost, doubled or torn.
#include "ChildWalk.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::size_t record_size = 468;
constexpr int writers = 8;
constexpr int names_per_writer = 25;

std::string writer_name(int writer, int i) { return std::string("w").append(std::to_string(writer)).append("n").append(std::to_string(i)); }

// Adds each of the writer's names twice: the second time it must be found,
// not added again.
pid_t start_writer(std::string const& folder, int writer)
{
    pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO); // the tool prints each number
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < names_per_writer; ++i) {
            pid_t tool = ::fork();
            if (tool == 0) {
                std::string const name = writer_name(writer, i);
                ::execl(SPROUT_REGISTER_TOOL, SPROUT_REGISTER_TOOL, "add", folder.c_str(), "11", "1", name.c_str(),
                    static_cast<char*>(nullptr));
                ::_exit(127);
            }
            int status = 0;
            if (::waitpid(tool, &status, 0) != tool || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
                ::_exit(1);
        }
    ::_exit(0);
}

// A writer that adds names until it is killed, in its own process group so
// the tool it is running dies with it.
pid_t start_endless_writer(std::string const& folder)
{
    pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::setpgid(0, 0);
    std::string const command = "i=0; while :; do i=$((i+1)); '" SPROUT_REGISTER_TOOL "' add '" + folder
        + "' 11 1 killed$i >/dev/null || exit 1; done";
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
}

int exit_status(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Each child types three names, one per round through the name screen.
void type_names(Child& child, std::string const& stem)
{
    ASSERT_TRUE(child.wait("visible\tafrbut\t1", 1, 30000));
    for (int round = 1; round <= 3; ++round) {
        child.click(click_target::engbut);
        ASSERT_TRUE(child.wait("focus\tnameedit", std::size_t(round), 30000));
        child.key("--repeat 8 BackSpace"); // the last round's name is still there
        child.type(stem + char('a' + round - 1));
        child.click(click_target::okbut);
        ASSERT_TRUE(child.wait("state\tmenuactive\t1", std::size_t(round), 30000));
        child.click(click_target::backbut);
        ASSERT_TRUE(child.wait("visible\tafrbut\t1", std::size_t(round + 1), 30000));
    }
}

}

TEST(WritersAtOnce, EveryNameOnceNumbersDistinctAndNoRecordTorn)
{
    TempFolder data;
    std::string const folder = data.bare_path() + "/documents/";
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    Child first, second;
    first.start_in(SPROUT_DEMO_PACKAGE, data.bare_path());
    second.start_in(SPROUT_DEMO_PACKAGE, data.bare_path());

    pid_t endless = start_endless_writer(folder);
    std::vector<pid_t> tools;
    for (int w = 0; w < writers; ++w)
        tools.push_back(start_writer(folder, w));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    ::kill(-endless, SIGKILL);
    EXPECT_EQ(exit_status(endless), -1);

    std::thread other([&] { type_names(second, "lee"); });
    type_names(first, "kim");
    other.join();
    for (pid_t pid : tools)
        EXPECT_EQ(exit_status(pid), 0);
    first.shell->signal(SIGTERM);
    second.shell->signal(SIGTERM);
    EXPECT_EQ(first.shell->wait_exit(), 0);
    EXPECT_EQ(second.shell->wait_exit(), 0);

    auto const bytes = read_file(folder + "students.dat");
    ASSERT_EQ(bytes.size() % record_size, 0u) << "a torn record";
    std::map<std::string, int> seen;
    std::set<int> numbers;
    for (std::size_t at = 0; at < bytes.size(); at += record_size) {
        numbers.insert(bytes[at] | bytes[at + 1] << 8);
        ++seen[std::string(bytes.begin() + long(at) + 3, bytes.begin() + long(at) + 3 + bytes[at + 2])];
    }
    EXPECT_EQ(numbers.size(), bytes.size() / record_size) << "two students share a number";
    for (auto const& [name, times] : seen)
        EXPECT_EQ(times, 1) << name;
    for (int w = 0; w < writers; ++w)
        for (int i = 0; i < names_per_writer; ++i)
            EXPECT_TRUE(seen.count(writer_name(w, i))) << writer_name(w, i);
    for (std::string stem : { "kim", "lee" })
        for (char round : { 'a', 'b', 'c' })
            EXPECT_TRUE(seen.count(stem + round)) << stem + round;
}
