#include "services/PlayerResult.h"

#include <stdexcept>

namespace player_result {

std::string text(std::uint32_t code)
{
    switch (code) {
    case 0x80004002: return "No interface.";
    case 0x80004003: return "This method tried to access an invalid pointer.";
    case 0x80004004: return "Operation aborted.";
    case 0x80040110: return "This class cannot be created as part of an aggregate.";
    case 0x80040154: return "A specified class is not registered in the registration database.";
    case 0x8007000E: return "Insufficient memory to complete the task.";
    case 0x80070057: return "One of the parameters is invalid.";
    case unsupported_format: return "Cannot play back the file.  The format is not supported.";
    default: return "Player encountered unrecognized error value.";
    }
}

void check(std::uint32_t code)
{
    if (code != ok && code != ok_false && code != duplicate_name)
        throw std::runtime_error(text(code));
}

}
