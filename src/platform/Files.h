#pragma once

#include "platform/FileDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Files and folders as the shell sees them: names match without regard to
// ASCII case, like the desktop platform the shell was designed on. Every file
// operation of the program goes through these functions.
namespace platform::files {

// The path as it exists on disk: each component that does not exist exactly
// is matched against its folder's entries ignoring ASCII case (an exact match
// wins; among case variants the first in byte order). Components that match
// nothing are kept as asked, so new files take the spelling asked for.
std::string resolve(std::string const& path);

// True only for an existing file, not a folder.
bool file_exists(std::string const& path);
bool folder_exists(std::string const& path);

// The largest file the shell reads whole: far more than any picture, sound
// or tune of a package needs.
inline constexpr std::size_t largest_file = std::size_t(64) << 20;

// The whole of a regular file; nothing for anything else (a folder, a
// device, a pipe), for a file larger than `largest_file` and on errors.
std::optional<std::vector<std::uint8_t>> read_all(std::string const& path);

// How open() opens a file; combine with |. Every descriptor is closed on exec.
enum class Open : unsigned {
    read = 1,
    write = 2,
    read_write = read | write,
    create = 4,
    // With create: fails with EEXIST when the file is there already.
    exclusive = 8,
    append = 16,
    // Fails with ELOOP when the last component is a link.
    no_follow = 32,
    // A pipe or device put in place of a file stalls neither the open nor reads.
    no_block = 64,
};
constexpr Open operator|(Open a, Open b) { return Open(unsigned(a) | unsigned(b)); }
constexpr bool operator&(Open a, Open b) { return (unsigned(a) & unsigned(b)) != 0; }

// Opens after resolving; a closed descriptor and errno on failure. A file
// made here gets `mode` less the umask.
FileDescriptor open(std::string const& path, Open how, unsigned mode = 0666);

// What an open file is; nothing (errno says why) when it cannot be examined.
struct FileStatus {
    bool regular { false };
    std::uint64_t size { 0 };
};
std::optional<FileStatus> status(FileDescriptor const&);

// Sets the file's permission bits whatever the umask; false and errno on failure.
bool set_mode(FileDescriptor const&, unsigned mode);

// Cuts the file (or extends it with zeros) to `size`; false and errno on failure.
bool truncate(FileDescriptor const&, std::uint64_t size);

// A lock on the whole file, however long it grows, shared between processes
// and given up when the descriptor closes.
enum class Lock { shared, exclusive };
enum class Locking { taken, held_elsewhere, failed };
// Takes the lock if nobody holds one in its way, without waiting; errno
// says why when it failed.
Locking try_lock(FileDescriptor const&, Lock);

// File names (not paths) in a folder that match a pattern with '*' and '?',
// compared without case, in byte order.
std::vector<std::string> list(std::string const& folder, std::string const& pattern);
// The same for every entry, whatever it is (folders, links, hidden names).
std::vector<std::string> list_entries(std::string const& folder, std::string const& pattern);

bool remove(std::string const& path);

// Creates one folder level; false when it exists already or cannot be made.
bool make_folder(std::string const& path);

// Creates the folder and every missing folder above it, as mkdir -p does.
// 0 when the folder exists afterwards, otherwise the errno of the step that
// failed.
int make_folders(std::string const& path);

std::string current_directory();

// A folder as the shell writes folder strings: ending with '/', so names join
// by plain concatenation. An empty folder stays empty.
std::string with_slash(std::string folder);

bool matches_pattern(std::string const& name, std::string const& pattern);

}
