#include "services/TSysInfo.h"

#include "platform/Environment.h"

std::vector<std::string> const& TSysInfo::Environment()
{
    m_environment = platform::environment::entries();
    return m_environment;
}

std::string TSysInfo::WinPath() const
{
    return m_folders ? m_folders->windows : platform::environment::windows_folder();
}

std::string TSysInfo::WinSysPath() const
{
    return m_folders ? m_folders->system : platform::environment::system_folder();
}

void TSysInfo::set_folders(std::string windows, std::string system)
{
    m_folders = Folders { std::move(windows), std::move(system) };
}
