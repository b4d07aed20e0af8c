#pragma once

#include "platform/Environment.h"

#include <cstdlib>
#include <unistd.h>
#include <string>
#include <utility>
#include <vector>

// Replaces the process environment for one test and puts it back after.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::vector<std::string> const& entries)
    {
        for (char** e = environ; *e; ++e)
            m_saved.emplace_back(*e);
        replace(entries);
    }
    ~ScopedEnvironment() { replace(m_saved); }
    ScopedEnvironment(ScopedEnvironment const&) = delete;
    ScopedEnvironment& operator=(ScopedEnvironment const&) = delete;

private:
    static void replace(std::vector<std::string> const& entries)
    {
        clearenv();
        for (auto const& entry : entries) {
            auto eq = entry.find('=');
            setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
        }
    }

    std::vector<std::string> m_saved;
};

// Points the installed all-users folder elsewhere for one test, so the
// machine's own /var/lib folder never decides a result.
class ScopedInstalledProfile {
public:
    explicit ScopedInstalledProfile(std::string folder)
        : m_saved(platform::environment::use_installed_profile(std::move(folder)))
    {
    }
    ~ScopedInstalledProfile() { platform::environment::use_installed_profile(m_saved); }
    ScopedInstalledProfile(ScopedInstalledProfile const&) = delete;
    ScopedInstalledProfile& operator=(ScopedInstalledProfile const&) = delete;

private:
    std::string m_saved;
};
