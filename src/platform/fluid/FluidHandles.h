#pragma once

// Owning handles for the synth library's objects, released through its
// table (the library is open once there is one to release). The types are
// only declared, so headers above the platform can hold them without the
// library's headers.
#include <memory>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;
struct _fluid_sfloader_t;

namespace platform::fluid {

struct Release {
    void operator()(_fluid_hashtable_t*) const;
    void operator()(_fluid_synth_t*) const;
    void operator()(_fluid_player_t*) const;
    void operator()(_fluid_sfloader_t*) const;
};

using SettingsPtr = std::unique_ptr<_fluid_hashtable_t, Release>;
using SynthPtr = std::unique_ptr<_fluid_synth_t, Release>;
using PlayerPtr = std::unique_ptr<_fluid_player_t, Release>;
using LoaderPtr = std::unique_ptr<_fluid_sfloader_t, Release>;

}
