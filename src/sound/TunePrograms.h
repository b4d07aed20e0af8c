#pragma once

#include <bitset>
#include <optional>
#include <string>

// The instrument programs the tunes of a music folder can select: what
// their program changes pick, and program 0, where every channel starts and
// where the synth falls back to. Nothing when that cannot be known: no such
// folder, or a tune that cannot be read or is not a tune the checker takes.
namespace tune_programs {

std::optional<std::bitset<128>> in_folder(std::string const& folder);

}
