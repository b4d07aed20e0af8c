#pragma once

#include "platform/SoundfontSubset.h"

#include <memory>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_sfloader_t;

namespace platform::fluid {

// While it lives, a soundfont's subset stands in for the file under the
// file's own path, for the loaders of make_loader(): they read the subset's
// preset data from memory and everything else, samples included, from the
// file, whenever the synth opens it (samples are read on demand, long after
// the load).
class ServedSubset {
public:
    // Nothing when the file gives no subset, or when a subset of the same
    // path is served already.
    static std::unique_ptr<ServedSubset> serve(std::string path, SoundfontSubset::Programs const&);
    ~ServedSubset();
    ServedSubset(ServedSubset const&) = delete;
    ServedSubset& operator=(ServedSubset const&) = delete;

    // A soundfont loader that opens only served paths; the synth it is added
    // to owns it. Null when the library cannot make one.
    static _fluid_sfloader_t* make_loader(_fluid_hashtable_t* settings);

private:
    explicit ServedSubset(std::string path);

    std::string m_path;
};

}
