#pragma once

#include "framework/Trace.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Points the trace at a file for one test and reads its lines back.
class TraceLog {
public:
    struct Line {
        long long time;
        std::string event;
        std::vector<std::string> fields;
    };

    explicit TraceLog(std::string path) : m_path(std::move(path))
    {
        ::setenv("SPROUT_TRACE", m_path.c_str(), 1);
        trace::reopen();
    }
    ~TraceLog()
    {
        ::unsetenv("SPROUT_TRACE");
        trace::reopen();
    }
    TraceLog(TraceLog const&) = delete;
    TraceLog& operator=(TraceLog const&) = delete;

    std::vector<Line> lines(std::string const& event) const
    {
        std::vector<Line> found;
        std::ifstream in(m_path);
        for (std::string text; std::getline(in, text);) {
            std::istringstream parts(text);
            Line line;
            std::string time;
            std::getline(parts, time, '\t');
            std::getline(parts, line.event, '\t');
            for (std::string field; std::getline(parts, field, '\t');)
                line.fields.push_back(field);
            if (line.event == event) {
                line.time = std::stoll(time);
                found.push_back(std::move(line));
            }
        }
        return found;
    }
    std::size_t count(std::string const& event) const { return lines(event).size(); }

private:
    std::string m_path;
};
