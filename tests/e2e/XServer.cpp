#include "XServer.h"

#include <X11/Xlib.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

XServer::XServer(std::string const& screen)
{
    // A server that lost a race for its display number dies after naming it;
    // only one that answers counts.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (start(screen))
            return;
        stop();
    }
    throw std::runtime_error("Xvfb did not start");
}

bool XServer::start(std::string const& screen)
{
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset", "-nolisten",
            "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char buffer[32] = {};
    ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
    ::close(fds[0]);
    if (n <= 0)
        return false;
    m_display.assign(1, ':');
    m_display.append(buffer, std::size_t(n - (buffer[n - 1] == '\n' ? 1 : 0)));
    ::Display* probe = XOpenDisplay(m_display.c_str());
    if (!probe)
        return false;
    XCloseDisplay(probe);
    return true;
}

void XServer::stop()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
}

XServer::~XServer() { stop(); }

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

ShellProcess::ShellProcess(XServer const& x, std::string const& folder, std::vector<std::string> extra_env)
    : m_trace_path(folder + "/trace.txt")
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back("DISPLAY=" + x.display());
    env.push_back("SPROUT_TRACE=" + m_trace_path);
    env.push_back("SDL_AUDIODRIVER=dummy");
    for (auto& e : extra_env)
        env.push_back(e);
    m_pid = ::fork();
    if (m_pid == 0) {
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        if (::chdir(folder.c_str()) != 0)
            ::_exit(126);
        ::execle(SPROUT_BINARY, SPROUT_BINARY, static_cast<char*>(nullptr), envp.data());
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

void ShellProcess::signal(int sig) const { ::kill(m_pid, sig); }

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
