#include "platform/posix/WakeHandle.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <span>
#include <string>
#include <sys/eventfd.h>

namespace platform {

WakeHandle::WakeHandle()
    : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (!m_fd)
        throw std::runtime_error(std::string("Cannot make a wake-up handle: ") + std::strerror(errno));
}

// The flag goes up before the write, so a take() that sees it down is
// always followed by a write that ends the poll after it.
void WakeHandle::raise()
{
    if (m_raised.exchange(true))
        return;
    std::uint64_t const one = 1;
    m_fd.write_fully(std::as_bytes(std::span(&one, 1)));
}

bool WakeHandle::take() { return m_raised.exchange(false); }

void WakeHandle::drain()
{
    std::uint64_t count;
    m_fd.read_fully(std::as_writable_bytes(std::span(&count, 1)));
}

}
