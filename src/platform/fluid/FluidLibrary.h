#pragma once

namespace platform::fluid {

// The synth library is opened on first need rather than at start: it brings
// some thirty libraries of its own (codecs, sound servers), whose loading
// would otherwise stand between the program's start and its first frame.
// Thread-safe; false when the library or one of its functions is missing,
// and then no synth function may be called.
bool load_library();

}
