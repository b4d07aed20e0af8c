#include "platform/Process.h"

#include "platform/CommandLine.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/posix/SpawnParts.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr int file_not_found = 2;
constexpr int path_not_found = 3;
constexpr int access_denied = 5;
constexpr int out_of_memory = 8;
constexpr int sharing_violation = 26;
constexpr int no_association = 31;

int shell_code(int error)
{
    switch (error) {
    case ENOENT:
        return file_not_found;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return path_not_found;
    case EACCES:
    case EPERM:
    case EISDIR:
        return access_denied;
    case ENOMEM:
    case E2BIG:
    case EAGAIN:
        return out_of_memory;
    case ETXTBSY:
        return sharing_violation;
    default:
        // Whatever else exec refuses is still a refusal, never a start.
        return no_association;
    }
}

std::string absolute(std::string path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    std::string folder = files::current_directory();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + path;
}

std::optional<std::string> find_on_path(std::string const& name)
{
    char const* path = std::getenv("PATH");
    if (!path)
        return std::nullopt;
    std::string_view rest = path;
    while (!rest.empty()) {
        auto colon = rest.find(':');
        std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view {} : rest.substr(colon + 1);
        // Only absolute entries: a start must not depend on our working folder.
        if (folder.empty() || folder.front() != '/')
            continue;
        std::string candidate = std::string(folder) + "/" + name;
        struct stat info { };
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

bool is_old_platform_program(std::string const& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    char magic[2] {};
    return file && file.read_fully(std::as_writable_bytes(std::span(magic)), 0) == sizeof magic && magic[0] == 'M'
        && magic[1] == 'Z';
}

// The strings as the C array exec takes, ending with a null pointer.
std::vector<char*> null_ended(std::vector<std::string> const& strings)
{
    std::vector<char*> pointers;
    for (auto const& s : strings)
        pointers.push_back(const_cast<char*>(s.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

struct Spawned {
    pid_t pid { -1 };
    int refused { 0 };
};

// argv[0] is the program itself, an absolute path.
Spawned spawn(std::vector<std::string> const& argv, std::string const& folder)
{
    SpawnFileActions files;
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&files.actions, folder.c_str());
    // Descriptors a library opened without close-on-exec stay ours too.
    posix_spawn_file_actions_addclosefrom_np(&files.actions, 3);
    SpawnAttributes attributes(POSIX_SPAWN_SETSIGDEF);

    auto const variables = environment::programs_environment();
    pid_t pid = -1;
    int error = posix_spawn(&pid, argv.front().c_str(), &files.actions, &attributes.attributes,
        null_ended(argv).data(), null_ended(variables).data());
    if (error != 0)
        return { -1, shell_code(error) };
    return { pid, 0 };
}

// The folder part of a file name, with its trailing separator.
std::string folder_of(std::string const& file)
{
    auto slash = file.rfind('/');
    return slash == std::string::npos ? files::current_directory() : file.substr(0, slash + 1);
}

Spawned open_program(Process::Request const& request)
{
    std::string program = files::resolve(absolute(request.file));
    std::string folder;
    if (!request.folder.empty()) {
        folder = files::resolve(absolute(request.folder));
        if (!files::folder_exists(folder))
            return { -1, path_not_found };
    }
    std::vector<std::string> argv { program };
    if (is_old_platform_program(program))
        if (auto wine = find_on_path("wine"))
            argv = { *wine, program };
    for (auto& argument : command_line::split(request.parameters))
        argv.push_back(std::move(argument));
    return spawn(argv, folder);
}

Spawned explore(Process::Request const& request)
{
    auto opener = find_on_path("xdg-open");
    if (!opener)
        return { -1, no_association };
    return spawn({ *opener, files::resolve(absolute(folder_of(request.file))) }, {});
}

}

Process::Started Process::start(Request const& request)
{
    Spawned spawned;
    switch (request.verb) {
    case Verb::open:
        spawned = open_program(request);
        break;
    case Verb::explore:
        spawned = explore(request);
        break;
    case Verb::print:
        // No print association exists for programs on this platform.
        return { std::nullopt, no_association };
    }
    if (spawned.refused)
        return { std::nullopt, spawned.refused };
    return { Process(spawned.pid), 0 };
}

Process::Process(Process&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1))
    , m_ended(other.m_ended)
{
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        release();
        m_pid = std::exchange(other.m_pid, -1);
        m_ended = other.m_ended;
    }
    return *this;
}

Process::~Process() { release(); }

void Process::release()
{
    if (m_pid <= 0 || m_ended)
        return;
    // Nobody watches it any more: a thread waits so the end leaves no zombie.
    std::thread([pid = m_pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
    }).detach();
    m_pid = -1;
}

bool Process::running()
{
    if (m_ended)
        return false;
    pid_t result;
    while ((result = ::waitpid(m_pid, nullptr, WNOHANG)) < 0 && errno == EINTR) { }
    // Ended, or no longer a child of ours to ask about.
    m_ended = result != 0;
    return !m_ended;
}

void Process::wait()
{
    if (m_ended)
        return;
    while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
    m_ended = true;
}

}
