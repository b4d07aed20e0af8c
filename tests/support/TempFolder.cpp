#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sprout-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::write(std::string const& relative, std::string const& content) const
{
    std::filesystem::path full = m_path + relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.string();
}

std::string TempFolder::make_folder(std::string const& relative) const
{
    std::filesystem::create_directories(m_path + relative);
    return m_path + relative;
}
