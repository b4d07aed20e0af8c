#pragma once

#include "framework/Trace.h"

#include <cstdlib>
#include <string>

// The trace goes to a file of the test's for the object's lifetime, as
// SPROUT_TRACE sends the program's.
class ScopedTrace {
public:
    explicit ScopedTrace(std::string path) : m_path(std::move(path))
    {
        setenv("SPROUT_TRACE", m_path.c_str(), 1);
        trace::reopen();
    }
    ~ScopedTrace()
    {
        unsetenv("SPROUT_TRACE");
        trace::reopen();
    }
    ScopedTrace(ScopedTrace const&) = delete;
    ScopedTrace& operator=(ScopedTrace const&) = delete;

    std::string const& path() const { return m_path; }

private:
    std::string m_path;
};
