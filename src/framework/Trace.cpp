#include "framework/Trace.h"

#include "platform/Clock.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace trace {

namespace {

struct Sink {
    std::mutex mutex;
    int fd { -1 };
    bool opened { false };

    void open()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        if (char const* path = std::getenv("SPROUT_TRACE"); path && *path)
            fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        opened = true;
    }
};

Sink& sink()
{
    static Sink s;
    return s;
}

}

void event(std::string_view name, std::initializer_list<std::string_view> fields)
{
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    if (!s.opened)
        s.open();
    if (s.fd < 0)
        return;
    std::string line = std::to_string(platform::Clock::current().now());
    line += '\t';
    line += name;
    for (auto f : fields) {
        line += '\t';
        line += f;
    }
    line += '\n';
    // One write per line, so lines of several threads never interleave.
    [[maybe_unused]] auto written = ::write(s.fd, line.data(), line.size());
}

void reopen()
{
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    s.open();
}

}
