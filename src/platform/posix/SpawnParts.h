#pragma once

#include <csignal>
#include <spawn.h>

namespace platform {

// The file actions of a posix_spawn, freed with their owner.
struct SpawnFileActions {
    posix_spawn_file_actions_t actions;
    SpawnFileActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions); }
    SpawnFileActions(SpawnFileActions const&) = delete;
    SpawnFileActions& operator=(SpawnFileActions const&) = delete;
};

// The attributes of a posix_spawn, freed with their owner. The shell blocks
// the termination signals in every thread; what it starts starts with none
// blocked, and with `flags` besides (POSIX_SPAWN_SETSIGDEF: every handler at
// its default).
struct SpawnAttributes {
    posix_spawnattr_t attributes;
    explicit SpawnAttributes(short flags)
    {
        posix_spawnattr_init(&attributes);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        if (flags & POSIX_SPAWN_SETSIGDEF)
            posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, short(flags | POSIX_SPAWN_SETSIGMASK));
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes); }
    SpawnAttributes(SpawnAttributes const&) = delete;
    SpawnAttributes& operator=(SpawnAttributes const&) = delete;
};

}
