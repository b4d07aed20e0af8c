#include "platform/Environment.h"

#include "platform/Files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <pwd.h>
#include <set>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace platform::environment {

namespace {

std::string installed_profile = "/var/lib/pipkin-sprout";

std::mutex programs_mutex;
std::map<std::string, std::string> programs_values;

bool names_all_users_profile(std::string const& entry) { return entry.rfind("ALLUSERSPROFILE=", 0) == 0; }

bool writable_folder(std::string const& folder)
{
    return files::folder_exists(folder) && ::access(files::resolve(folder).c_str(), W_OK | X_OK) == 0;
}

// The package leaves the profile itself to root and makes only documents/
// writable by everyone, so documents/ decides; a profile still without one
// serves a user who may make it there.
bool usable(std::string const& profile)
{
    std::string const documents = profile + "/documents";
    return files::folder_exists(documents) ? writable_folder(documents) : writable_folder(profile);
}

// HOME, or the password database's entry for a process started without it.
std::string home_folder()
{
    if (char const* home = std::getenv("HOME"); home && *home)
        return home;
    passwd const* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

std::string per_user_profile()
{
    char const* xdg = std::getenv("XDG_DATA_HOME");
    std::string const base = xdg && *xdg ? std::string(xdg) : home_folder() + "/.local/share";
    return base + "/pipkin-sprout";
}

// Every read of the environment comes here, so a folder that cannot be made
// would otherwise be reported once per line the shell examines.
void warn_once(std::string const& folder, int err)
{
    static std::mutex mutex;
    static std::string warned;
    std::lock_guard lock(mutex);
    if (std::exchange(warned, folder) != folder)
        std::fprintf(stderr, "pipkin-sprout: cannot make the data folder %s: %s\n", folder.c_str(),
            std::strerror(err));
}

std::string all_users_profile()
{
    if (usable(installed_profile))
        return installed_profile;
    std::string folder = per_user_profile();
    if (int err = files::make_folders(folder))
        warn_once(folder, err);
    return folder;
}

}

std::vector<std::string> entries()
{
    std::vector<std::string> list;
    bool has_profile = false;
    for (char** e = environ; e && *e; ++e) {
        list.emplace_back(*e);
        has_profile = has_profile || names_all_users_profile(list.back());
    }
    if (!has_profile)
        list.push_back("ALLUSERSPROFILE=" + all_users_profile());
    return list;
}

std::string cache_folder()
{
    char const* xdg = std::getenv("XDG_CACHE_HOME");
    std::string const base = xdg && *xdg ? std::string(xdg) : home_folder() + "/.cache";
    return base + "/pipkin-sprout";
}

void use_compose_cache()
{
    if (std::getenv("XCOMPOSECACHE") || ::geteuid() == 0)
        return;
    // Only a speed-up: without the folder the table is parsed as before.
    std::string const folder = cache_folder() + "/compose";
    if (files::make_folders(folder) == 0)
        ::setenv("XCOMPOSECACHE", folder.c_str(), 0);
}

void set_for_programs(std::string const& name, std::string const& value)
{
    std::lock_guard lock(programs_mutex);
    programs_values[name] = value;
}

void drop_for_programs(std::string const& name)
{
    std::lock_guard lock(programs_mutex);
    programs_values.erase(name);
}

std::vector<std::string> programs_environment()
{
    std::lock_guard lock(programs_mutex);
    std::vector<std::string> list;
    std::set<std::string> placed;
    for (char** e = environ; e && *e; ++e) {
        std::string_view const entry = *e;
        std::string const name(entry.substr(0, entry.find('=')));
        auto given = programs_values.find(name);
        if (given == programs_values.end())
            list.emplace_back(entry);
        else if (placed.insert(name).second)
            list.push_back(name + "=" + given->second);
    }
    for (auto const& [name, value] : programs_values)
        if (!placed.count(name))
            list.push_back(name + "=" + value);
    return list;
}

std::string use_installed_profile(std::string folder) { return std::exchange(installed_profile, std::move(folder)); }

std::string windows_folder() { return "/usr/local/bin"; }

std::string system_folder() { return "/usr/bin"; }

}
