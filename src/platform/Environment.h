#pragma once

#include <string>
#include <vector>

// The process environment and the system folders, as the shell's system
// information component reports them.
namespace platform::environment {

// Every entry NAME=value in order, unchanged. When no entry is named
// ALLUSERSPROFILE, one is appended that points at the per-user data folder
// ($XDG_DATA_HOME/pipkin-sprout, default ~/.local/share/pipkin-sprout), which
// is created when missing.
std::vector<std::string> entries();

// Where the system's own programs live.
std::string windows_folder();
std::string system_folder();

}
