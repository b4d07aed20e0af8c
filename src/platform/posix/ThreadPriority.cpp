#include "platform/ThreadPriority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace platform::thread_priority {

int this_thread_id() { return int(::gettid()); }

std::optional<int> nice_of(int thread)
{
    // -1 is a nice value as well as the error answer.
    errno = 0;
    int nice = ::getpriority(PRIO_PROCESS, id_t(thread));
    if (errno != 0)
        return std::nullopt;
    return nice;
}

void set_nice(int thread, int nice) { ::setpriority(PRIO_PROCESS, id_t(thread), nice); }

}
