#include "services/TStarter.h"

#include "framework/Trace.h"
#include "platform/CommandLine.h"

#include <ctime>

namespace {

constexpr std::uint32_t finish_check_interval = 500;
constexpr std::uint32_t timed_check_interval = 1000;

platform::Process::Verb verb(TStarterOperation operation)
{
    switch (operation) {
    case TStarterOperation::smPrint:
        return platform::Process::Verb::print;
    case TStarterOperation::smExplore:
        return platform::Process::Verb::explore;
    case TStarterOperation::smOpen:
        break;
    }
    return platform::Process::Verb::open;
}

bool is_refusal(int code) { return code == 2 || code == 3 || code == 5 || code == 8 || (code >= 26 && code <= 32); }

TStarter::TDateTime local_now()
{
    using namespace std::chrono;
    std::time_t t = std::time(nullptr);
    std::tm tm {};
    localtime_r(&t, &tm);
    return local_days { year { tm.tm_year + 1900 } / (tm.tm_mon + 1) / tm.tm_mday }
        + hours { tm.tm_hour } + minutes { tm.tm_min } + seconds { tm.tm_sec };
}

// The trace takes a fixed list of fields; tab-joined text gives the same line.
void trace_start(std::string const& program, std::string const& parameters)
{
    std::string fields = program;
    for (auto const& argument : platform::command_line::split(parameters))
        fields += '\t' + argument;
    trace::event("start", { fields });
}

}

TStarter::TStarter(TComponent* owner)
    : TComponent(owner)
    , m_timed_check(TimerPool::instance().add(timed_check_interval, [this] { timed_start_check(); }))
{
}

TStarter::~TStarter()
{
    TimerPool::instance().remove(m_timed_check);
    remove_finish_check();
}

void TStarter::SetString(int index, std::string const& value)
{
    if (index < 0 || index > 2 || m_strings[index] == value)
        return;
    m_strings[index] = value;
}

void TStarter::SetAutoStart(bool v)
{
    m_auto_start = v;
    auto& pool = TimerPool::instance();
    pool.set_interval(m_timed_check, timed_check_interval);
    // Only seconds that pass from now on can fire the start.
    m_checked_until = local_now();
    pool.set_enabled(m_timed_check, v);
}

void TStarter::Start()
{
    if (OnBeforeStart)
        OnBeforeStart(this);
    auto started = platform::Process::start({ verb(StartOperation), Command(), Parameters(), DefaultDir() });
    if (is_refusal(started.refused)) {
        m_error = started.refused;
        if (OnError)
            OnError(nullptr);
    } else {
        // A program still watched from an earlier start goes on unwatched.
        m_process = std::move(started.process);
        m_watched = Command();
        trace_start(Command(), Parameters());
        if (OnFinished) {
            auto& pool = TimerPool::instance();
            if (!m_finish_check) {
                try {
                    m_finish_check = pool.add(finish_check_interval, [this] { finish_check(); });
                } catch (...) {
                    m_process.reset();
                    throw;
                }
            }
            pool.set_enabled(*m_finish_check, true);
        }
        if (Wait && m_process)
            m_process->wait();
        // Unwatched, the handle goes now; the process layer still reaps it.
        if (!m_finish_check)
            m_process.reset();
    }
    if (OnAfterStart)
        OnAfterStart(this);
}

void TStarter::finish_check()
{
    if (m_process && m_process->running())
        return;
    remove_finish_check();
    m_process.reset();
    trace::event("finished", { m_watched });
    if (OnFinished)
        OnFinished(this);
}

void TStarter::remove_finish_check()
{
    if (m_finish_check)
        TimerPool::instance().remove(*m_finish_check);
    m_finish_check.reset();
}

void TStarter::timed_start_check()
{
    TDateTime now = local_now();
    // A late pool tick may skip a second; the start fires for it all the same.
    bool due = m_checked_until < StartTime && StartTime <= now;
    m_checked_until = now;
    if (due)
        Start();
}
