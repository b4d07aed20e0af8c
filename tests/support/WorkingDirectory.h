#pragma once

#include <filesystem>
#include <string>

// Makes a folder the current directory for the object's lifetime.
class WorkingDirectory {
public:
    explicit WorkingDirectory(std::string const& path) : m_saved(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() { std::filesystem::current_path(m_saved); }
    WorkingDirectory(WorkingDirectory const&) = delete;
    WorkingDirectory& operator=(WorkingDirectory const&) = delete;

private:
    std::filesystem::path m_saved;
};
