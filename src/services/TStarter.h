#pragma once

#include "framework/Notify.h"
#include "framework/TComponent.h"
#include "platform/Process.h"
#include "services/TimerPool.h"

#include <chrono>
#include <optional>
#include <string>

enum class TStarterOperation { smOpen, smPrint, smExplore };

// How the desktop platform showed a started program's first window. Kept as
// a design setting; programs here choose their own first window.
enum class TStarterOptions {
    soSW_HIDE,
    soSW_MAXIMIZE,
    soSW_MINIMIZE,
    soSW_RESTORE,
    soSW_SHOW,
    soSW_SHOWMAXIMIZED,
    soSW_SHOWMINIMIZED,
    soSW_SHOWMINNOACTIVE,
    soSW_SHOWNA,
    soSW_SHOWNORMAL,
};

// Starts a program (or opens a folder) and reports the attempt, a refusal
// and, through a 500 ms check on the timer pool, the program's end.
// Everything happens on the user-interface thread.
class TStarter : public TComponent {
public:
    using TDateTime = std::chrono::local_seconds;

    explicit TStarter(TComponent* owner);
    ~TStarter() override;

    TStarterOperation StartOperation { TStarterOperation::smOpen };
    TStarterOptions StartOption { TStarterOptions::soSW_SHOW };

    std::string const& Command() const { return m_strings[0]; }
    std::string const& Parameters() const { return m_strings[1]; }
    std::string const& DefaultDir() const { return m_strings[2]; }
    // Index 0 Command, 1 Parameters, 2 DefaultDir.
    void SetString(int index, std::string const& value);
    void SetCommand(std::string const& v) { SetString(0, v); }
    void SetParameters(std::string const& v) { SetString(1, v); }
    void SetDefaultDir(std::string const& v) { SetString(2, v); }

    bool AutoStart() const { return m_auto_start; }
    void SetAutoStart(bool);
    // Local time, to the second.
    TDateTime StartTime { std::chrono::local_days { std::chrono::year { 1990 } / 1 / 1 } };
    bool Wait { false };

    TNotifyEvent OnBeforeStart;
    TNotifyEvent OnAfterStart;
    TNotifyEvent OnError;
    TNotifyEvent OnFinished;

    void Start();

    // The code of the last refused start, 0 before any.
    int error_code() const { return m_error; }
    bool watching() const { return m_finish_check.has_value(); }

private:
    void finish_check();
    void timed_start_check();
    void remove_finish_check();

    std::string m_strings[3];
    bool m_auto_start { false };
    std::optional<platform::Process> m_process;
    std::string m_watched;
    int m_error { 0 };
    std::optional<TimerPool::ItemId> m_finish_check;
    TimerPool::ItemId m_timed_check;
    // The last second the timed start has looked at.
    TDateTime m_checked_until {};
};
