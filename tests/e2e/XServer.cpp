#include "XServer.h"

#include "support/Xvfb.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

XServer::XServer(std::string const& screen)
{
    StartedXvfb started = start_xvfb(screen);
    m_pid = started.pid;
    m_display = started.display;
}

XServer::~XServer()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
}

std::string XServer::run(std::string const& command) const
{
    std::string full = "DISPLAY=" + m_display + " " + command;
    FILE* p = ::popen(full.c_str(), "r");
    if (!p)
        return {};
    std::string out;
    std::array<char, 4096> chunk;
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), p))
        out.append(chunk.data(), n);
    ::pclose(p);
    return out;
}

namespace {

std::string name_of(std::string const& entry) { return entry.substr(0, entry.find('=')); }

// The inherited environment with `overrides` in place of entries of the same
// name; among overrides of one name the last wins.
std::vector<std::string> environment_with(std::vector<std::string> const& overrides)
{
    std::map<std::string, std::string> replaced;
    for (auto const& o : overrides)
        replaced[name_of(o)] = o;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!replaced.count(name_of(*e)))
            env.emplace_back(*e);
    for (auto const& [name, entry] : replaced)
        env.push_back(entry);
    return env;
}

}

ShellProcess::ShellProcess(XServer const& x, std::string const& folder, std::vector<std::string> extra_env,
    std::string const& trace_folder, std::string const& program)
    : m_trace_path((trace_folder.empty() ? folder : trace_folder) + "/trace.txt")
{
    std::vector<std::string> overrides = { "DISPLAY=" + x.display(), "SPROUT_TRACE=" + m_trace_path,
        "SDL_AUDIODRIVER=dummy" };
    overrides.insert(overrides.end(), extra_env.begin(), extra_env.end());
    std::vector<std::string> env = environment_with(overrides);
    m_pid = ::fork();
    if (m_pid == 0) {
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        if (::chdir(folder.c_str()) != 0)
            ::_exit(126);
        ::execle(program.c_str(), program.c_str(), static_cast<char*>(nullptr), envp.data());
        ::_exit(127);
    }
}

ShellProcess::~ShellProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

std::string ShellProcess::trace() const
{
    std::ifstream in(m_trace_path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool ShellProcess::wait_for_trace(std::string const& text, int timeout_ms) const
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < end) {
        if (trace().find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::size_t ShellProcess::count(std::string const& text) const
{
    std::istringstream lines(trace());
    std::size_t n = 0;
    for (std::string line; std::getline(lines, line);)
        n += line.find(text) != std::string::npos;
    return n;
}

bool ShellProcess::wait_for_count(std::string const& text, std::size_t n, int timeout_ms) const
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < end) {
        if (count(text) >= n)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void ShellProcess::signal(int sig) const { ::kill(m_pid, sig); }

std::vector<int> ShellProcess::guardians() const
{
    std::string const wanted = "SPROUT_TRACE=" + m_trace_path + '\0';
    std::vector<int> found;
    for (auto const& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream comm(entry.path() / "comm"), environ(entry.path() / "environ");
        std::string name, env((std::istreambuf_iterator<char>(environ)), {});
        std::getline(comm, name);
        if ((name == "sprout-guardian" || name == "sprout-restore") && env.find(wanted) != std::string::npos)
            found.push_back(std::stoi(entry.path().filename()));
    }
    return found;
}

int ShellProcess::wait_exit(int timeout_ms)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}
