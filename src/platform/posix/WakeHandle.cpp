#include "platform/posix/WakeHandle.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

WakeHandle::WakeHandle()
    : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_fd < 0)
        throw std::runtime_error(std::string("Cannot make a wake-up handle: ") + std::strerror(errno));
}

WakeHandle::~WakeHandle() { ::close(m_fd); }

// The flag goes up before the write, so a take() that sees it down is
// always followed by a write that ends the poll after it.
void WakeHandle::raise()
{
    if (m_raised.exchange(true))
        return;
    std::uint64_t one = 1;
    while (::write(m_fd, &one, sizeof one) < 0 && errno == EINTR) { }
}

bool WakeHandle::take() { return m_raised.exchange(false); }

void WakeHandle::drain()
{
    std::uint64_t count;
    while (::read(m_fd, &count, sizeof count) < 0 && errno == EINTR) { }
}

}
