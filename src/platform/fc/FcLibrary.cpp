#include "platform/fc/FcLibrary.h"

#include "platform/LateLibrary.h"

namespace platform::fc {

namespace {

bool resolve_all(void* library, Functions& out)
{
    bool complete = true;
#define SPROUT_FC_RESOLVE(name) complete = resolve_into(library, #name, out.name) && complete;
    SPROUT_FC_FUNCTIONS(SPROUT_FC_RESOLVE)
#undef SPROUT_FC_RESOLVE
    return complete;
}

}

bool load_library(char const* file) { return late_library<Functions, resolve_all>().load(file); }

Functions const& functions() { return late_library<Functions, resolve_all>().table(); }

}
