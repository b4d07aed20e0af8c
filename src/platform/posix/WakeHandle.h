#pragma once

#include "platform/FileDescriptor.h"

#include <atomic>

namespace platform {

// A flag that other threads raise to end a poll() on the thread that owns
// it, over an eventfd: raising costs one write while the flag is down and
// nothing while it is already up, and a raise just before the poll still
// ends it, as the descriptor stays readable.
class WakeHandle {
public:
    WakeHandle();

    // Readable from a raise until the next drain().
    int fd() const { return m_fd.get(); }
    // Thread-safe.
    void raise();
    // Lowers the flag; true when it was up.
    bool take();
    // Empties the descriptor once poll() found it readable.
    void drain();

private:
    FileDescriptor m_fd;
    std::atomic<bool> m_raised { false };
};

}
