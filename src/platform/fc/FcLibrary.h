#pragma once

// The font-matching library is opened on first need rather than at start:
// nothing before the first frame looks a face up, and it brings a font
// library with its own dependencies. Its functions are reached through a
// table of our own, not by their own names, so a program that also links
// the library itself (the activity card) is not handed these stand-ins.
#include <fontconfig/fontconfig.h>

namespace platform::fc {

inline constexpr char const* library_file = "libfontconfig.so.1";

#define SPROUT_FC_FUNCTIONS(X)                                                                                         \
    X(FcPatternCreate)                                                                                                 \
    X(FcPatternDestroy)                                                                                                \
    X(FcPatternAddString)                                                                                              \
    X(FcPatternAddInteger)                                                                                             \
    X(FcPatternGetString)                                                                                              \
    X(FcConfigSubstitute)                                                                                              \
    X(FcDefaultSubstitute)                                                                                             \
    X(FcFontMatch)                                                                                                     \
    X(FcFontSetDestroy)                                                                                                \
    X(FcConfigDestroy)                                                                                                 \
    X(FcConfigAppFontAddFile)                                                                                          \
    X(FcConfigAppFontClear)                                                                                            \
    X(FcConfigFilename)                                                                                                \
    X(FcStrFree)

// The library's functions under their own names; the header's declarations
// give every signature.
struct Functions {
#define SPROUT_FC_POINTER(name) decltype(&::name) name = nullptr;
    SPROUT_FC_FUNCTIONS(SPROUT_FC_POINTER)
#undef SPROUT_FC_POINTER
};

// Opens `file` (kept open until exit) and fills the table on the first
// success. Thread-safe; false when the file or one of its functions is
// missing, and then, unless an earlier call succeeded, no function of the
// table may be called.
bool load_library(char const* file = library_file);

// The table filled by the first successful load_library().
Functions const& functions();

}
