#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace platform {

// A program started the way the desktop shell starts one: an "open" runs it
// with its parameter string split by the platform's C runtime rules,
// "explore" opens the folder of the file, "print" has no counterpart here.
// Every program gets the environment of started programs (Environment.h).
// Move-only; every child is reaped, by a waiting thread if the handle goes
// before the program has ended.
class Process {
public:
    enum class Verb { open, print, explore };
    struct Request {
        Verb verb { Verb::open };
        std::string file;
        std::string parameters;
        // Empty: the caller's own working folder.
        std::string folder;
    };
    // Either a started process or the shell's code for the refusal.
    struct Started;
    static Started start(Request const&);

    Process(Process&&) noexcept;
    Process& operator=(Process&&) noexcept;
    ~Process();

    pid_t pid() const { return m_pid; }
    // Reaps without waiting. False once the program has ended or cannot be
    // asked about any more.
    bool running();
    // Blocks until the program has ended and reaps it.
    void wait();

private:
    explicit Process(pid_t pid) : m_pid(pid) { }
    void release();

    pid_t m_pid { -1 };
    bool m_ended { false };
};

// `refused` is 0 for a start, else 2 file not found, 3 path not found,
// 5 access denied, 8 out of memory, 26 sharing violation, 31 no association.
struct Process::Started {
    std::optional<Process> process;
    int refused { 0 };
};

}
