#include "RunProgram.h"

#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

void run_program(std::vector<std::string> const& argv)
{
    std::vector<char*> args;
    for (auto const& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(argv[0] + " failed");
}
