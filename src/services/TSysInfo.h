#pragma once

#include "framework/TComponent.h"

#include <optional>
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

    // Reports these two folders instead of the platform's, so a test can lay
    // out system folders of its own.
    void set_folders(std::string windows, std::string system);

private:
    struct Folders {
        std::string windows;
        std::string system;
    };
    std::vector<std::string> m_environment;
    std::optional<Folders> m_folders;
};
