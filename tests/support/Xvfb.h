#pragma once

#include <stdexcept>
#include <string>
#include <sys/types.h>
#include <unistd.h>

// Starts a private Xvfb (with -noreset, so modes and pointer mapping outlive
// their clients) and returns its process and display name once it listens.
struct StartedXvfb {
    pid_t pid;
    std::string display;
};

inline StartedXvfb start_xvfb(std::string const& screen = "800x600x24")
{
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset", "-nolisten",
            "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // Xvfb may write the number and its newline separately; closing the pipe
    // before the newline has arrived would kill it.
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    return { pid, ":" + number };
}
