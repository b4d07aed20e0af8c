#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(TempFolder const&) = delete;
    TempFolder& operator=(TempFolder const&) = delete;

    // The folder path with a trailing '/'.
    std::string const& path() const { return m_path; }
    // Without it, as a program names its working folder.
    std::string bare_path() const { return m_path.substr(0, m_path.size() - 1); }
    // Writes a file (creating its folders) and returns its full path.
    std::string write(std::string const& relative, std::string const& content = {}) const;
    std::string make_folder(std::string const& relative) const;

private:
    std::string m_path;
};
