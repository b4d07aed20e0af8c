#pragma once

// Owning handles for fontconfig objects.
#include <fontconfig/fontconfig.h>
#include <memory>

namespace platform::fc {

struct DestroyPattern {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct DestroyFontSet {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct DestroyConfig {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};

using PatternPtr = std::unique_ptr<FcPattern, DestroyPattern>;
using FontSetPtr = std::unique_ptr<FcFontSet, DestroyFontSet>;
using ConfigPtr = std::unique_ptr<FcConfig, DestroyConfig>;

}
