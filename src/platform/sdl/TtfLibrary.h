#pragma once

// The text library is opened on first need rather than at start: it brings
// a shaping and a font library with their own dependencies, whose loading
// would otherwise stand between the program's start and its first frame.
// Its functions are reached through a table of our own, not by their own
// names, so a program that also links the library itself (the activity
// card) is not handed these stand-ins.
#include <SDL_ttf.h>

namespace platform::ttf {

inline constexpr char const* library_file = "libSDL2_ttf-2.0.so.0";

#define SPROUT_TTF_FUNCTIONS(X)                                                                                        \
    X(Init)                                                                                                            \
    X(Quit)                                                                                                            \
    X(OpenFont)                                                                                                        \
    X(CloseFont)                                                                                                       \
    X(FontFaceStyleName)                                                                                               \
    X(SetFontStyle)                                                                                                    \
    X(FontHeight)                                                                                                      \
    X(SizeUTF8)                                                                                                        \
    X(RenderUTF8_Blended)

// The library's functions without their TTF_ prefix; the header's
// declarations give every signature.
struct Functions {
#define SPROUT_TTF_POINTER(name) decltype(&::TTF_##name) name = nullptr;
    SPROUT_TTF_FUNCTIONS(SPROUT_TTF_POINTER)
#undef SPROUT_TTF_POINTER
};

// Opens `file` (kept open until exit) and fills the table on the first
// success. Thread-safe; false when the file or one of its functions is
// missing, and then, unless an earlier call succeeded, no function of the
// table may be called.
bool load_library(char const* file = library_file);

// The table filled by the first successful load_library().
Functions const& functions();

}
