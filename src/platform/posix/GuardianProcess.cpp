#include "platform/posix/GuardianProcess.h"

#include "platform/posix/SpawnParts.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sys/socket.h>
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

// In a session of its own (a Ctrl+C or a hang-up for our terminal is not
// for it), with no signal blocked, holding nothing of ours but its end of
// the socket as its standard input (a dup2 onto itself clears its
// close-on-exec, for a shell started with no standard input).
bool spawn(std::string const& program, int socket)
{
    SpawnFileActions files;
    posix_spawn_file_actions_adddup2(&files.actions, socket, STDIN_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&files.actions, 3);
    SpawnAttributes attributes(POSIX_SPAWN_SETSID);
    char* const argv[] = { const_cast<char*>(program.c_str()), nullptr };
    pid_t pid = -1;
    return posix_spawn(&pid, program.c_str(), &files.actions, &attributes.attributes, argv, environ) == 0;
}

}

// Spawned rather than forked: a fork copies the page tables of every library
// the shell has loaded, on the way to the first frame.
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
    if (!spawn(program, theirs.get()))
        return nullptr;
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
