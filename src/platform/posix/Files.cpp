#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform::files {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool same_ignoring_case(std::string const& a, std::string const& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

bool exists(std::string const& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> entries(std::string const& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return names;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> case_variant(std::string const& folder, std::string const& name)
{
    for (auto const& entry : entries(folder))
        if (same_ignoring_case(entry, name))
            return entry;
    return std::nullopt;
}

}

std::string resolve(std::string const& path)
{
    std::string resolved;
    std::size_t pos = 0;
    if (!path.empty() && path[0] == '/') {
        resolved.push_back('/');
        pos = 1;
    }
    bool matching = true;
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        std::string component = path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        if (!component.empty() && component != "." && component != ".." && matching) {
            std::string candidate = resolved + component;
            if (!exists(candidate)) {
                auto variant = case_variant(resolved, component);
                if (variant)
                    component = *variant;
                else
                    matching = false;
            }
        }
        resolved += component;
        if (slash == std::string::npos)
            break;
        resolved += '/';
        pos = slash + 1;
    }
    return resolved;
}

bool file_exists(std::string const& path)
{
    struct stat st;
    return !path.empty() && ::stat(resolve(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool folder_exists(std::string const& path)
{
    struct stat st;
    return !path.empty() && ::stat(resolve(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::vector<std::uint8_t>> read_all(std::string const& path)
{
    // Not blocking, so a pipe planted in place of a file cannot stall the
    // open; only a regular file of sane size is read, so a link to a device
    // cannot be read forever.
    FileDescriptor file = files::open(path, Open::read | Open::no_block);
    auto found = file ? status(file) : std::nullopt;
    if (!found || !found->regular || found->size > largest_file)
        return std::nullopt;
    std::vector<std::uint8_t> data(std::size_t(found->size));
    std::size_t got = 0;
    for (;;) {
        // One byte more than the size, to see a file that grew meanwhile.
        if (got == data.size())
            data.resize(std::min<std::size_t>(largest_file + 1, data.size() + 65536));
        std::size_t const asked = data.size() - got;
        auto n = file.read_fully(std::as_writable_bytes(std::span(data).subspan(got)));
        if (!n || got + *n > largest_file)
            return std::nullopt;
        got += *n;
        if (*n < asked)
            break;
    }
    data.resize(got);
    return data;
}

FileDescriptor open(std::string const& path, Open how, unsigned mode)
{
    int flags = O_CLOEXEC;
    flags |= (how & Open::read) && (how & Open::write) ? O_RDWR : (how & Open::write) ? O_WRONLY : O_RDONLY;
    for (auto [bit, flag] : { std::pair { Open::create, O_CREAT }, { Open::exclusive, O_EXCL },
             { Open::append, O_APPEND }, { Open::no_follow, O_NOFOLLOW }, { Open::no_block, O_NONBLOCK } })
        if (how & bit)
            flags |= flag;
    return FileDescriptor(::open(resolve(path).c_str(), flags, mode_t(mode)));
}

std::optional<FileStatus> status(FileDescriptor const& file)
{
    struct stat st;
    if (::fstat(file.get(), &st) != 0)
        return std::nullopt;
    return FileStatus { S_ISREG(st.st_mode), std::uint64_t(st.st_size) };
}

bool set_mode(FileDescriptor const& file, unsigned mode) { return ::fchmod(file.get(), mode_t(mode)) == 0; }

bool truncate(FileDescriptor const& file, std::uint64_t size) { return ::ftruncate(file.get(), off_t(size)) == 0; }

Locking try_lock(FileDescriptor const& file, Lock lock)
{
    struct flock range {};
    range.l_type = lock == Lock::exclusive ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 0; // the whole file, however long it grows
    while (::fcntl(file.get(), F_SETLK, &range) < 0) {
        if (errno == EINTR)
            continue;
        return errno == EACCES || errno == EAGAIN ? Locking::held_elsewhere : Locking::failed;
    }
    return Locking::taken;
}

bool matches_pattern(std::string const& name, std::string const& pattern)
{
    // Iterative wildcard match with one backtrack point for the last '*'.
    std::size_t n = 0, p = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

namespace {

std::string resolved_folder(std::string const& folder)
{
    std::string resolved = resolve(folder);
    if (!resolved.empty() && resolved.back() != '/')
        resolved += '/';
    return resolved;
}

}

std::vector<std::string> list(std::string const& folder, std::string const& pattern)
{
    std::string resolved = resolved_folder(folder);
    std::vector<std::string> names;
    for (auto const& entry : entries(resolved)) {
        struct stat st;
        if (matches_pattern(entry, pattern) && ::stat((resolved + entry).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(entry);
    }
    return names;
}

std::vector<std::string> list_entries(std::string const& folder, std::string const& pattern)
{
    std::vector<std::string> names;
    for (auto const& entry : entries(resolved_folder(folder)))
        if (matches_pattern(entry, pattern))
            names.push_back(entry);
    return names;
}

bool remove(std::string const& path) { return ::unlink(resolve(path).c_str()) == 0; }

bool make_folder(std::string const& path) { return ::mkdir(resolve(path).c_str(), 0777) == 0; }

int make_folders(std::string const& path)
{
    if (path.empty())
        return ENOENT;
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        std::string const level = path.substr(0, end);
        if (!make_folder(level) && errno != EEXIST)
            return errno;
        if (end == std::string::npos || end + 1 == path.size())
            break;
    }
    // The last level may exist as something other than a folder.
    return folder_exists(path) ? 0 : ENOTDIR;
}

std::string current_directory()
{
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string with_slash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

}
