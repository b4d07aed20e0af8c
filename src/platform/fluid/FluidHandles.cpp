#include "platform/fluid/FluidHandles.h"

#include "platform/fluid/FluidLibrary.h"

namespace platform::fluid {

void Release::operator()(fluid_settings_t* s) const { functions().delete_fluid_settings(s); }
void Release::operator()(fluid_synth_t* s) const { functions().delete_fluid_synth(s); }
void Release::operator()(fluid_player_t* p) const { functions().delete_fluid_player(p); }
void Release::operator()(fluid_sfloader_t* l) const { functions().delete_fluid_sfloader(l); }

}
