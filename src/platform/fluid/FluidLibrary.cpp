#include "platform/fluid/FluidLibrary.h"

#include "platform/LateLibrary.h"

#include <fluidsynth.h>

static_assert(FLUIDSYNTH_VERSION_MAJOR == 2, "the library's name below is that of the 2.x series");

namespace {

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

struct Functions {
#define SPROUT_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    SPROUT_FLUID_FUNCTIONS(SPROUT_FLUID_POINTER)
#undef SPROUT_FLUID_POINTER
};

bool resolve_all(void* library, Functions& out)
{
    bool complete = true;
#define SPROUT_FLUID_RESOLVE(name) complete = platform::resolve_into(library, #name, out.name) && complete;
    SPROUT_FLUID_FUNCTIONS(SPROUT_FLUID_RESOLVE)
#undef SPROUT_FLUID_RESOLVE
    return complete;
}

// Filled once, before load_library() first returns true; read only after.
Functions const& functions() { return platform::late_library<Functions, resolve_all>().table(); }

}

namespace platform::fluid {

bool load_library()
{
    // One attempt per run: a library missing at the first need stays missing.
    static bool const loaded = late_library<Functions, resolve_all>().load("libfluidsynth.so.3");
    return loaded;
}

}

// The program calls the synth's functions by their own names; these hand
// each call on to the library opened above. The header's declarations check
// every signature.
extern "C" {

fluid_settings_t* new_fluid_settings(void) { return functions().new_fluid_settings(); }
void delete_fluid_settings(fluid_settings_t* s) { functions().delete_fluid_settings(s); }
int fluid_settings_setint(fluid_settings_t* s, char const* name, int v)
{
    return functions().fluid_settings_setint(s, name, v);
}
int fluid_settings_setnum(fluid_settings_t* s, char const* name, double v)
{
    return functions().fluid_settings_setnum(s, name, v);
}
int fluid_settings_setstr(fluid_settings_t* s, char const* name, char const* v)
{
    return functions().fluid_settings_setstr(s, name, v);
}
fluid_log_function_t fluid_set_log_function(int level, fluid_log_function_t f, void* data)
{
    return functions().fluid_set_log_function(level, f, data);
}
fluid_synth_t* new_fluid_synth(fluid_settings_t* s) { return functions().new_fluid_synth(s); }
void delete_fluid_synth(fluid_synth_t* s) { functions().delete_fluid_synth(s); }
int fluid_synth_sfload(fluid_synth_t* s, char const* file, int reset)
{
    return functions().fluid_synth_sfload(s, file, reset);
}
void fluid_synth_add_sfloader(fluid_synth_t* s, fluid_sfloader_t* l) { functions().fluid_synth_add_sfloader(s, l); }
fluid_sfloader_t* new_fluid_defsfloader(fluid_settings_t* s) { return functions().new_fluid_defsfloader(s); }
void delete_fluid_sfloader(fluid_sfloader_t* l) { functions().delete_fluid_sfloader(l); }
int fluid_sfloader_set_callbacks(fluid_sfloader_t* l, fluid_sfloader_callback_open_t open,
    fluid_sfloader_callback_read_t read, fluid_sfloader_callback_seek_t seek, fluid_sfloader_callback_tell_t tell,
    fluid_sfloader_callback_close_t close)
{
    return functions().fluid_sfloader_set_callbacks(l, open, read, seek, tell, close);
}
int fluid_synth_all_notes_off(fluid_synth_t* s, int chan) { return functions().fluid_synth_all_notes_off(s, chan); }
int fluid_synth_all_sounds_off(fluid_synth_t* s, int chan) { return functions().fluid_synth_all_sounds_off(s, chan); }
int fluid_synth_system_reset(fluid_synth_t* s) { return functions().fluid_synth_system_reset(s); }
int fluid_synth_get_active_voice_count(fluid_synth_t* s) { return functions().fluid_synth_get_active_voice_count(s); }
int fluid_synth_write_float(fluid_synth_t* s, int len, void* lout, int loff, int lincr, void* rout, int roff, int rincr)
{
    return functions().fluid_synth_write_float(s, len, lout, loff, lincr, rout, roff, rincr);
}
fluid_player_t* new_fluid_player(fluid_synth_t* s) { return functions().new_fluid_player(s); }
void delete_fluid_player(fluid_player_t* p) { functions().delete_fluid_player(p); }
int fluid_player_add_mem(fluid_player_t* p, void const* buffer, size_t len)
{
    return functions().fluid_player_add_mem(p, buffer, len);
}
int fluid_player_play(fluid_player_t* p) { return functions().fluid_player_play(p); }
int fluid_player_stop(fluid_player_t* p) { return functions().fluid_player_stop(p); }
int fluid_player_get_status(fluid_player_t* p) { return functions().fluid_player_get_status(p); }
int fluid_player_get_current_tick(fluid_player_t* p) { return functions().fluid_player_get_current_tick(p); }
}
