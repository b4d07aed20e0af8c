#pragma once

// Owning handles for fontconfig objects, which exist only once the library
// is open.
#include "platform/fc/FcLibrary.h"

#include <memory>

namespace platform::fc {

struct DestroyPattern {
    void operator()(FcPattern* p) const { functions().FcPatternDestroy(p); }
};
struct DestroyFontSet {
    void operator()(FcFontSet* s) const { functions().FcFontSetDestroy(s); }
};
struct DestroyConfig {
    void operator()(FcConfig* c) const { functions().FcConfigDestroy(c); }
};

using PatternPtr = std::unique_ptr<FcPattern, DestroyPattern>;
using FontSetPtr = std::unique_ptr<FcFontSet, DestroyFontSet>;
using ConfigPtr = std::unique_ptr<FcConfig, DestroyConfig>;

}
