#pragma once

#include <string>
#include <vector>

// The process environment and the system folders, as the shell's system
// information component reports them.
namespace platform::environment {

// Every entry NAME=value in order, unchanged. When no entry is named
// ALLUSERSPROFILE, one is appended: the installed all-users folder when the
// user may write in its documents/ (or, while it has none, in the folder
// itself), otherwise the per-user folder
// ($XDG_DATA_HOME/pipkin-sprout, default ~/.local/share/pipkin-sprout), made
// whole when missing. A per-user folder that cannot be made is named all the
// same, and reported once on standard error.
std::vector<std::string> entries();

// Replaces the installed all-users folder (/var/lib/pipkin-sprout), so tests
// need no root; returns the folder used before. Not for use while the shell
// runs.
std::string use_installed_profile(std::string folder);

// The user's cache folder for the shell ($XDG_CACHE_HOME/pipkin-sprout,
// default ~/.cache/pipkin-sprout); it may not exist yet.
std::string cache_folder();

// libX11 parses the compose table (half a megabyte of text in a UTF-8
// locale) whenever an input method opens, unless it may keep the parsed
// table in a cache folder; it never keeps one for root. Names a compose
// folder under cache_folder() in XCOMPOSECACHE, made when missing, unless
// XCOMPOSECACHE is set already or the program runs as root. Call before any
// thread starts: it changes the environment.
void use_compose_cache();

// The environment of the programs the shell starts is its own, but for the
// variables set here, which they get in place of the shell's values (or in
// addition, where the shell has none). The shell's own environment never
// changes.
void set_for_programs(std::string const& name, std::string const& value);
// Started programs get the shell's own value of `name` again.
void drop_for_programs(std::string const& name);
// Every entry NAME=value of a program started now.
std::vector<std::string> programs_environment();

// Where the system's own programs live.
std::string windows_folder();
std::string system_folder();

}
