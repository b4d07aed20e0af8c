#include "platform/Environment.h"

#include "platform/Files.h"

#include <cstdlib>
#include <unistd.h>

extern char** environ;

namespace platform::environment {

namespace {

bool names_all_users_profile(std::string const& entry) { return entry.rfind("ALLUSERSPROFILE=", 0) == 0; }

std::string per_user_data_folder()
{
    char const* xdg = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        char const* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/share";
        files::make_folder(std::string(home ? home : "") + "/.local");
        files::make_folder(base);
    }
    std::string folder = base + "/pipkin-sprout";
    files::make_folder(folder);
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
        list.push_back("ALLUSERSPROFILE=" + per_user_data_folder());
    return list;
}

std::string windows_folder() { return "/usr/local/bin"; }

std::string system_folder() { return "/usr/bin"; }

}
