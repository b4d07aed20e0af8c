#include "activities/RegisterFile.h"

#include "platform/Clock.h"

#include <cerrno>
#include <cstring>
#include <memory>
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

constexpr unsigned shared_mode = 0666;
constexpr platform::Millis lock_wait = 2000;
constexpr platform::Millis lock_poll = 5;

}

std::optional<RegisterFile> RegisterFile::open_existing(std::string const& folder)
{
    return open(folder, Open::read_write, Lock::shared);
}

RegisterFile RegisterFile::open_for_update(std::string const& folder)
{
    if (auto made = open(folder, Open::read_write | Open::create | Open::exclusive, Lock::exclusive))
        return std::move(*made);
    if (auto found = open(folder, Open::read_write, Lock::exclusive))
        return std::move(*found);
    throw failure(path_in(folder), "vanished while being opened");
}

// Nothing when the register is missing (without create) or, with
// exclusive, already there.
std::optional<RegisterFile> RegisterFile::open(std::string const& folder, Open how, Lock lock)
{
    std::string path = path_in(folder);
    // no_follow: a link planted in a shared folder must not redirect a write.
    // no_block: a FIFO or device planted there must not hang the open.
    auto fd = platform::files::open(path, how | Open::no_follow | Open::no_block, shared_mode);
    if (!fd) {
        if (!(how & Open::create) && (errno == ENOENT || errno == ENOTDIR))
            return std::nullopt;
        if ((how & Open::exclusive) && errno == EEXIST)
            return std::nullopt;
        throw failure(path, errno == ELOOP ? "is a link and is refused" : "cannot be opened", errno);
    }
    RegisterFile file(std::move(path), std::move(fd));
    // Every child of the machine uses the one register, whoever made it and
    // whatever the umask; only a file made here is ours to change.
    if ((how & Open::exclusive) && !platform::files::set_mode(file.m_file, shared_mode))
        throw failure(file.m_path, "cannot be shared", errno);
    file.lock(lock);
    file.measure();
    return file;
}

// Polled rather than waited for in the kernel: a shell stopped while holding
// the lock of a shared register must not freeze every other shell.
void RegisterFile::lock(Lock lock)
{
    platform::Clock& clock = platform::Clock::current();
    platform::Millis const deadline = clock.now() + lock_wait;
    std::unique_ptr<platform::Signal> pause;
    for (;;) {
        auto const locking = platform::files::try_lock(m_file, lock);
        if (locking == platform::files::Locking::taken)
            return;
        if (locking == platform::files::Locking::failed)
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
    auto const found = platform::files::status(m_file);
    if (!found)
        throw failure(m_path, "cannot be examined", errno);
    if (!found->regular)
        throw failure(m_path, "is not a regular file");
    if (found->size % StudentRecord::size != 0)
        throw failure(m_path, "is not a whole number of records long", 0, Reason::damaged);
    m_count = static_cast<std::size_t>(found->size) / StudentRecord::size;
}

void RegisterFile::read_records(std::size_t first, std::span<StudentRecord> records)
{
    auto const got = m_file.read_fully(std::as_writable_bytes(records), first * StudentRecord::size);
    if (!got)
        throw failure(m_path, "cannot be read", errno);
    if (*got < records.size_bytes())
        throw failure(m_path, "was cut short while being read", 0, Reason::damaged);
}

void RegisterFile::write_record(std::size_t index, StudentRecord const& record)
{
    std::uint64_t const offset = index * StudentRecord::size;
    auto const bytes = std::as_bytes(std::span(record.data(), StudentRecord::size));
    std::size_t const written = m_file.write_fully(bytes, offset);
    if (written == StudentRecord::size) {
        m_count = std::max(m_count, index + 1);
        return;
    }
    int err = errno;
    // A short append (a full disk) would leave a partial record that makes
    // every later operation fail; take it back.
    if (index == m_count && written > 0 && !platform::files::truncate(m_file, offset))
        err = errno;
    throw failure(m_path, "cannot be written", err);
}
