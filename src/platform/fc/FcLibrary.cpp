#include "platform/fc/FcLibrary.h"

#include "platform/LateLibrary.h"

namespace platform::fc {

namespace {

bool resolve_all(void* library, Functions& out)
{
    bool complete = true;
#define SPROUT_FC_RESOLVE(name)                                                                                        \
    out.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));                                             \
    complete = complete && out.name;
    SPROUT_FC_FUNCTIONS(SPROUT_FC_RESOLVE)
#undef SPROUT_FC_RESOLVE
    return complete;
}

LateLibrary<Functions>& library()
{
    static LateLibrary<Functions> instance(resolve_all);
    return instance;
}

}

bool load_library(char const* file) { return library().load(file); }

Functions const& functions() { return library().table(); }

}
