#pragma once

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// What the starter's probe program (tests/services/helpers/starter_probe.c)
// reported about itself, and real-time waits on it with deadlines.
struct ProbeReport {
    std::string started_ns, pid, folder, descriptors, blocked, ignored;
    std::vector<std::string> arguments;

    static std::optional<ProbeReport> read(std::string const& path)
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::nullopt;
        std::vector<std::string> fields;
        for (std::string field; std::getline(in, field, '\0');)
            fields.push_back(field);
        if (fields.size() < 6)
            return std::nullopt;
        return ProbeReport { fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
            { fields.begin() + 6, fields.end() } };
    }

    // Waits in real time for the report to be written.
    static std::optional<ProbeReport> wait_for(std::string const& path, int timeout_ms = 5000)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        for (;;) {
            if (auto report = read(path))
                return report;
            if (std::chrono::steady_clock::now() >= deadline)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // Waits in real time until the program has ended but is not yet reaped,
    // so the next finish check of its starter is the one that notices.
    static bool wait_until_ended(std::string const& pid, int timeout_ms = 5000)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream stat("/proc/" + pid + "/stat");
            std::string line;
            if (!std::getline(stat, line))
                return true;
            auto close = line.rfind(')');
            if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z')
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
};
