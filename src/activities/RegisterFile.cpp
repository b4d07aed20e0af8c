#include "activities/RegisterFile.h"

#include "platform/Clock.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

using Reason = RegisterError::Reason;

RegisterError failure(std::string const& path, char const* what, int err = 0, Reason reason = Reason::unreachable)
{
    std::string text = "The student register " + path + " " + what;
    if (err != 0)
        text += std::string(": ") + std::strerror(err);
    return RegisterError(text + ".", reason);
}

std::string path_in(std::string const& folder)
{
    if (folder.empty())
        throw RegisterError("The student register needs a data folder, and none was given.");
    return folder.back() == '/' ? folder + "students.dat" : folder + "/students.dat";
}

constexpr mode_t shared_mode = 0666;
constexpr platform::Millis lock_wait = 2000;
constexpr platform::Millis lock_poll = 5;

}

std::optional<RegisterFile> RegisterFile::open_existing(std::string const& folder)
{
    return open(folder, 0, Lock::shared);
}

RegisterFile RegisterFile::open_for_update(std::string const& folder)
{
    if (auto made = open(folder, O_CREAT | O_EXCL, Lock::exclusive))
        return std::move(*made);
    if (auto found = open(folder, 0, Lock::exclusive))
        return std::move(*found);
    throw failure(path_in(folder), "vanished while being opened");
}

// Nothing when the register is missing (flags without O_CREAT) or, with
// O_EXCL, already there.
std::optional<RegisterFile> RegisterFile::open(std::string const& folder, int flags, Lock lock)
{
    std::string path = path_in(folder);
    // O_NOFOLLOW: a link planted in a shared folder must not redirect a write.
    // O_NONBLOCK: a FIFO or device planted there must not hang the open.
    int fd = platform::files::open(path, O_RDWR | O_NOFOLLOW | O_NONBLOCK | flags, shared_mode);
    if (fd < 0) {
        if (!(flags & O_CREAT) && (errno == ENOENT || errno == ENOTDIR))
            return std::nullopt;
        if ((flags & O_EXCL) && errno == EEXIST)
            return std::nullopt;
        throw failure(path, errno == ELOOP ? "is a link and is refused" : "cannot be opened", errno);
    }
    RegisterFile file(std::move(path), fd);
    // Every child of the machine uses the one register, whoever made it and
    // whatever the umask; only a file made here is ours to change.
    if ((flags & O_EXCL) && ::fchmod(fd, shared_mode) < 0)
        throw failure(file.m_path, "cannot be shared", errno);
    file.lock(lock);
    file.measure();
    return file;
}

RegisterFile::RegisterFile(RegisterFile&& other) noexcept
    : m_path(std::move(other.m_path))
    , m_fd(std::exchange(other.m_fd, -1))
    , m_count(other.m_count)
{
}

RegisterFile::~RegisterFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

// Polled rather than waited for with F_SETLKW: a shell stopped while holding
// the lock of a shared register must not freeze every other shell.
void RegisterFile::lock(Lock lock)
{
    struct flock range {};
    range.l_type = lock == Lock::exclusive ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 0; // the whole file, however long it grows
    platform::Clock& clock = platform::Clock::current();
    platform::Millis const deadline = clock.now() + lock_wait;
    std::unique_ptr<platform::Signal> pause;
    while (::fcntl(m_fd, F_SETLK, &range) < 0) {
        if (errno == EINTR)
            continue;
        if (errno != EACCES && errno != EAGAIN)
            throw failure(m_path, "cannot be locked", errno);
        platform::Millis const now = clock.now();
        if (now >= deadline)
            throw failure(m_path, "is locked by another program", 0, Reason::locked);
        if (!pause)
            pause = clock.make_signal();
        pause->wait_until(std::min(now + lock_poll, deadline));
    }
}

// Runs under the lock, so the length cannot change before the records are read.
void RegisterFile::measure()
{
    struct stat st;
    if (::fstat(m_fd, &st) < 0)
        throw failure(m_path, "cannot be examined", errno);
    if (!S_ISREG(st.st_mode))
        throw failure(m_path, "is not a regular file");
    if (st.st_size % StudentRecord::size != 0)
        throw failure(m_path, "is not a whole number of records long", 0, Reason::damaged);
    m_count = static_cast<std::size_t>(st.st_size) / StudentRecord::size;
}

void RegisterFile::read_records(std::size_t first, std::span<StudentRecord> records)
{
    auto* bytes = reinterpret_cast<char*>(records.data());
    std::size_t left = records.size_bytes();
    off_t offset = static_cast<off_t>(first * StudentRecord::size);
    while (left > 0) {
        ssize_t n = ::pread(m_fd, bytes, left, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw failure(m_path, "cannot be read", errno);
        if (n == 0)
            throw failure(m_path, "was cut short while being read", 0, Reason::damaged);
        bytes += n;
        left -= static_cast<std::size_t>(n);
        offset += n;
    }
}

void RegisterFile::write_record(std::size_t index, StudentRecord const& record)
{
    off_t offset = static_cast<off_t>(index * StudentRecord::size);
    ssize_t n;
    do
        n = ::pwrite(m_fd, record.data(), StudentRecord::size, offset);
    while (n < 0 && errno == EINTR);
    if (n == static_cast<ssize_t>(StudentRecord::size)) {
        m_count = std::max(m_count, index + 1);
        return;
    }
    int err = n < 0 ? errno : ENOSPC;
    // A short append (a full disk) would leave a partial record that makes
    // every later operation fail; take it back.
    if (index == m_count && n > 0 && ::ftruncate(m_fd, offset) < 0)
        err = errno;
    throw failure(m_path, "cannot be written", err);
}
