#pragma once

#include "framework/TComponent.h"

#include <string>
#include <vector>

// The system information component: the environment lines and the system
// folders.
class TSysInfo : public TComponent {
public:
    explicit TSysInfo(TComponent* owner) : TComponent(owner) { }

    // Refilled at every read; the reference stays valid, the items only until
    // the next read.
    std::vector<std::string> const& Environment();
    std::string WinPath() const;
    std::string WinSysPath() const;

private:
    std::vector<std::string> m_environment;
};
