#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace platform {

// An open file descriptor with exactly one owner, closed when the owner goes.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) { }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    ~FileDescriptor();

    explicit operator bool() const { return m_fd >= 0; }
    int get() const { return m_fd; }

    // Reads until `into` is full or the file ends, going on after interrupted
    // and short reads: the bytes read, or nothing (errno says why) on an
    // error. With an offset the file position stays where it was.
    std::optional<std::size_t> read_fully(std::span<std::byte> into) const;
    std::optional<std::size_t> read_fully(std::span<std::byte> into, std::uint64_t offset) const;
    // Writes all of `bytes`, going on after interrupted and short writes: the
    // bytes written, fewer than asked only when the file took no more (errno
    // says why; ENOSPC when it just stopped taking them).
    std::size_t write_fully(std::span<std::byte const> bytes) const;
    std::size_t write_fully(std::span<std::byte const> bytes, std::uint64_t offset) const;

private:
    int m_fd { -1 };
};

}
