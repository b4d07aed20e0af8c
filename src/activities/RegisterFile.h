#pragma once

#include "activities/StudentRecord.h"
#include "platform/FileDescriptor.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A failure to reach or use the register file, worded for the user, with
// what kind of failure it was for those who word it again.
class RegisterError : public std::runtime_error {
public:
    enum class Reason { unreachable, locked, damaged };

    explicit RegisterError(std::string const& text, Reason reason = Reason::unreachable)
        : std::runtime_error(text)
        , m_reason(reason)
    {
    }
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// "students.dat" of a data folder, open and locked while the object lives.
// Readers hold a shared lock and writers an exclusive one, so shells sharing
// one data folder (also over a network share) never append the same number or
// lose a record. A lock held elsewhere is waited for at most 2 s of the
// process clock. Every failure, that wait included, throws RegisterError.
class RegisterFile {
public:
    // The folder may end with '/' or not; it must not be empty.
    // Nothing when the folder holds no register.
    static std::optional<RegisterFile> open_existing(std::string const& folder);
    // Creates a missing register, readable and writable by every user
    // whatever the umask, as a shared register must be.
    static RegisterFile open_for_update(std::string const& folder);

    RegisterFile(RegisterFile&& other) noexcept = default;
    RegisterFile& operator=(RegisterFile&&) = delete;

    std::size_t record_count() const { return m_count; }

    // Calls visit(record, index) for every record in file order, reading about
    // 64 KiB at a time so a huge register is never held whole. The visitor may
    // change the record and write it back.
    template<class Visit>
    void for_each_record(Visit visit)
    {
        std::vector<StudentRecord> block(std::min(block_records, m_count));
        for (std::size_t first = 0; first < m_count; first += block.size()) {
            std::span<StudentRecord> records(block.data(), std::min(block.size(), m_count - first));
            read_records(first, records);
            for (std::size_t i = 0; i < records.size(); ++i)
                visit(records[i], first + i);
        }
    }

    // Writes the record over record index, or appends it when index is the
    // record count, always with one write of the whole record so a reader or
    // a crash never sees half of it.
    void write_record(std::size_t index, StudentRecord const& record);

private:
    using Lock = platform::files::Lock;
    using Open = platform::files::Open;

    static std::optional<RegisterFile> open(std::string const& folder, Open how, Lock lock);
    RegisterFile(std::string path, platform::FileDescriptor file) : m_path(std::move(path)), m_file(std::move(file)) { }
    void lock(Lock lock);
    void measure();
    void read_records(std::size_t first, std::span<StudentRecord> records);

    static constexpr std::size_t block_records = 65536 / StudentRecord::size;

    std::string m_path;
    platform::FileDescriptor m_file;
    std::size_t m_count = 0;
};
