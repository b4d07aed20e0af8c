#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Folders shared by every user of the machine are only tested honestly by a
// user without special rights. Under root, check runs in a child process with
// the given user and group ids (none of them a real account) and umask;
// otherwise it runs here, as the user the tests run as. True when check does.
inline constexpr uid_t nobody = 65534;
inline constexpr uid_t somebody_else = 65533;

template<class Check>
bool as_ordinary_user(Check check, uid_t uid = nobody, mode_t umask = 077)
{
    if (::geteuid() != 0)
        return check();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::umask(umask);
        bool const dropped = ::setgroups(0, nullptr) == 0 && ::setgid(uid) == 0 && ::setuid(uid) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
