#pragma once

#include <functional>

namespace platform {

// SIGINT, SIGTERM and SIGHUP ask for a normal close instead of ending the
// process, so the desktop is put back as at any exit. Call before any thread
// starts: the signals are blocked in every thread and taken by one watcher.
void watch_termination_signals(std::function<void()> on_signal);

}
