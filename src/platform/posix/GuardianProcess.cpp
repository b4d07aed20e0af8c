#include "platform/posix/GuardianProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

// The folder of our own program file, with its trailing separator.
std::string own_folder()
{
    char path[4096];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string exe(path, std::size_t(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

char const* name_of(Guardian::Hold hold)
{
    switch (hold) {
    case Guardian::Hold::display:
        return "display";
    case Guardian::Hold::panel:
        return "panel";
    case Guardian::Hold::pointer:
        return "pointer";
    }
    return "";
}

// In the first child: a grandchild runs the guardian, and this child ends at
// once so that the guardian is nobody's child of ours. Only calls that are
// safe between fork and exec.
[[noreturn]] void run_guardian(char const* program, int socket)
{
    if (::fork() != 0)
        ::_exit(0);
    ::setsid();
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // With our standard input closed the socket may already be there, where
    // dup2 would leave it close-on-exec.
    if (socket == STDIN_FILENO ? ::fcntl(socket, F_SETFD, 0) < 0 : ::dup2(socket, STDIN_FILENO) < 0)
        ::_exit(127);
    ::close_range(3, ~0u, 0);
    char* const argv[] = { const_cast<char*>(program), nullptr };
    ::execv(program, argv);
    ::_exit(127);
}

}

std::unique_ptr<GuardianProcess> GuardianProcess::start()
{
    std::string const program = own_folder() + "sprout-guardian";
    if (::access(program.c_str(), X_OK) != 0) {
        std::cerr << "pipkin-sprout: no guardian at " << program << ": " << std::strerror(errno)
                  << "; a crash would leave the desktop changed\n";
        return nullptr;
    }
    // Message boundaries for free, and a send to a guardian that is gone
    // fails without a SIGPIPE.
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    FileDescriptor ours(ends[0]);
    FileDescriptor theirs(ends[1]);
    pid_t child = ::fork();
    if (child == 0)
        run_guardian(program.c_str(), theirs.get());
    if (child < 0)
        return nullptr;
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) { }
    return std::unique_ptr<GuardianProcess>(new GuardianProcess(std::move(ours)));
}

void GuardianProcess::taken(Hold hold, std::string const& how_to_give_back) { tell(hold, how_to_give_back); }

void GuardianProcess::given_back(Hold hold) { tell(hold, {}); }

// One message a hold: "name=how", empty when given back.
void GuardianProcess::tell(Hold hold, std::string const& how)
{
    std::string const message = std::string(name_of(hold)) + "=" + how;
    while (::send(m_socket.get(), message.data(), message.size(), MSG_NOSIGNAL) < 0 && errno == EINTR) { }
}

}
