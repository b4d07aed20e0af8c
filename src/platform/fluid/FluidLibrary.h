#pragma once

// The synth library is opened on first need rather than at start: it brings
// some thirty libraries of its own (codecs, sound servers), whose loading
// would otherwise stand between the program's start and its first frame.
// Its functions are reached through a table of our own, as the text and
// font-matching libraries' are.
#include <fluidsynth.h>

namespace platform::fluid {

inline constexpr char const* library_file = "libfluidsynth.so.3";

#define SPROUT_FLUID_FUNCTIONS(X)                                                                                      \
    X(new_fluid_settings)                                                                                              \
    X(delete_fluid_settings)                                                                                           \
    X(fluid_settings_setint)                                                                                           \
    X(fluid_settings_setnum)                                                                                           \
    X(fluid_settings_setstr)                                                                                           \
    X(fluid_set_log_function)                                                                                          \
    X(new_fluid_synth)                                                                                                 \
    X(delete_fluid_synth)                                                                                              \
    X(fluid_synth_sfload)                                                                                              \
    X(fluid_synth_add_sfloader)                                                                                        \
    X(new_fluid_defsfloader)                                                                                           \
    X(delete_fluid_sfloader)                                                                                           \
    X(fluid_sfloader_set_callbacks)                                                                                    \
    X(fluid_synth_all_notes_off)                                                                                       \
    X(fluid_synth_all_sounds_off)                                                                                      \
    X(fluid_synth_system_reset)                                                                                        \
    X(fluid_synth_get_active_voice_count)                                                                              \
    X(fluid_synth_write_float)                                                                                         \
    X(new_fluid_player)                                                                                                \
    X(delete_fluid_player)                                                                                             \
    X(fluid_player_add_mem)                                                                                            \
    X(fluid_player_play)                                                                                               \
    X(fluid_player_stop)                                                                                               \
    X(fluid_player_get_status)                                                                                         \
    X(fluid_player_get_current_tick)

// The library's functions under their own names; the header's declarations
// give every signature.
struct Functions {
#define SPROUT_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    SPROUT_FLUID_FUNCTIONS(SPROUT_FLUID_POINTER)
#undef SPROUT_FLUID_POINTER
};

// Opens `file` (kept open until exit) and fills the table on the first
// success. Thread-safe; false when the file or one of its functions is
// missing, and then, unless an earlier call succeeded, no function of the
// table may be called.
bool load_library(char const* file = library_file);

// The table filled by the first successful load_library().
Functions const& functions();

}
