#pragma once

#include <string>

namespace platform {

// A process of ours beside the shell that puts back what the shell took of
// the desktop when the shell ends without doing so itself (killed, crashed).
// It is told each thing as it is taken, with what its restore needs, and
// again as it is given back.
class Guardian {
public:
    enum class Hold { display, panel, pointer };

    virtual ~Guardian() = default;

    // Replaces what was said of this hold before.
    virtual void taken(Hold, std::string const& how_to_give_back) = 0;
    virtual void given_back(Hold) = 0;

    // One that is told nothing: for a guardian's own restore, and where no
    // guardian runs.
    static Guardian& none();
};

}
