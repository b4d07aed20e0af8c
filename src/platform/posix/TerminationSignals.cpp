#include "platform/TerminationSignals.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace platform {

void watch_termination_signals(std::function<void()> on_signal)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, on_signal = std::move(on_signal)] {
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) == 0)
                on_signal();
        }
    }).detach();
}

}
