#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    int fd = files::open(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || std::uint64_t(st.st_size) > largest_file) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(std::size_t(st.st_size));
    std::size_t got = 0;
    for (;;) {
        // One byte more than the size, to see a file that grew meanwhile.
        if (got == data.size())
            data.resize(std::min<std::size_t>(largest_file + 1, data.size() + 65536));
        ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || got + std::size_t(n) > largest_file) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    ::close(fd);
    data.resize(got);
    return data;
}

int open(std::string const& path, int flags, int mode)
{
    return ::open(resolve(path).c_str(), flags | O_CLOEXEC, mode);
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
