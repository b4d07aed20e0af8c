#include "framework/Trace.h"

#include "platform/Clock.h"
#include "platform/Files.h"

#include <cstdlib>
#include <mutex>

namespace trace {

namespace {

struct Sink {
    std::mutex mutex;
    platform::FileDescriptor file;
    bool opened { false };

    void open()
    {
        using platform::files::Open;
        file = {};
        if (char const* path = std::getenv("SPROUT_TRACE"); path && *path)
            file = platform::files::open(path, Open::write | Open::create | Open::append, 0644);
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
    if (!s.file)
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
    s.file.write_fully(std::as_bytes(std::span(line)));
}

void reopen()
{
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    s.open();
}

}
