#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A private Xvfb for one test, started with -noreset so modes and pointer
// mapping survive the shell's exit.
class XServer {
public:
    explicit XServer(std::string const& screen = "800x600x24");
    ~XServer();
    XServer(XServer const&) = delete;
    XServer& operator=(XServer const&) = delete;

    std::string const& display() const { return m_display; }
    // Runs a command with DISPLAY set and returns its standard output.
    std::string run(std::string const& command) const;

private:
    pid_t m_pid { -1 };
    std::string m_display;
};

// The shell started in a folder, with its trace in that folder or in
// `trace_folder` (to keep a shared install folder such as the demo package
// untouched). `extra_env` entries replace inherited ones of the same name
// (SDL_AUDIODRIVER is dummy unless replaced). `program` is the shell unless
// another is named, such as the installed launcher.
class ShellProcess {
public:
    ShellProcess(XServer const&, std::string const& install_folder, std::vector<std::string> extra_env = {},
        std::string const& trace_folder = {}, std::string const& program = SPROUT_BINARY);
    ~ShellProcess();

    std::string trace() const;
    // Polls the trace for a line containing `text`; false after the timeout.
    bool wait_for_trace(std::string const& text, int timeout_ms = 10000) const;
    // Lines of the trace that contain `text`.
    std::size_t count(std::string const& text) const;
    // Polls until `count(text)` reaches `n`; false after the timeout.
    bool wait_for_count(std::string const& text, std::size_t n, int timeout_ms = 10000) const;
    void signal(int sig) const;
    // The process ids of the shell's guardian, or of the restore it has
    // become: those whose environment names this shell's trace.
    std::vector<int> guardians() const;
    // The exit status, or -1 when it did not end in time.
    int wait_exit(int timeout_ms = 10000);

private:
    pid_t m_pid { -1 };
    std::string m_trace_path;
};
