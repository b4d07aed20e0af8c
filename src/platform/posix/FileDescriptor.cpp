#include "platform/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::uint64_t no_offset = ~std::uint64_t(0);

// The loop both directions share: `step` moves at most `left` bytes at
// `done` and answers as read(2) and write(2) do.
template<class Step>
std::size_t move_fully(std::size_t size, Step step)
{
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = step(done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    return done;
}

}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::size_t> FileDescriptor::read_fully(std::span<std::byte> into) const
{
    return read_fully(into, no_offset);
}

std::optional<std::size_t> FileDescriptor::read_fully(std::span<std::byte> into, std::uint64_t offset) const
{
    bool failed = false;
    std::size_t got = move_fully(into.size(), [&](std::size_t done, std::size_t left) {
        ssize_t n = offset == no_offset ? ::read(m_fd, into.data() + done, left)
                                        : ::pread(m_fd, into.data() + done, left, off_t(offset + done));
        failed = n < 0 && errno != EINTR;
        return n;
    });
    if (failed)
        return std::nullopt;
    return got;
}

std::size_t FileDescriptor::write_fully(std::span<std::byte const> bytes) const
{
    return write_fully(bytes, no_offset);
}

std::size_t FileDescriptor::write_fully(std::span<std::byte const> bytes, std::uint64_t offset) const
{
    return move_fully(bytes.size(), [&](std::size_t done, std::size_t left) {
        ssize_t n = offset == no_offset ? ::write(m_fd, bytes.data() + done, left)
                                        : ::pwrite(m_fd, bytes.data() + done, left, off_t(offset + done));
        if (n == 0)
            errno = ENOSPC;
        return n;
    });
}

}
