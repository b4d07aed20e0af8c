#include "services/TSysInfo.h"

#include "platform/Environment.h"

std::vector<std::string> const& TSysInfo::Environment()
{
    m_environment = platform::environment::entries();
    return m_environment;
}

std::string TSysInfo::WinPath() const { return platform::environment::windows_folder(); }

std::string TSysInfo::WinSysPath() const { return platform::environment::system_folder(); }
