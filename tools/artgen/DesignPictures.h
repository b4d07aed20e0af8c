#pragma once

#include <string>

// The pictures stored with the forms' design: the first background, the
// cursor, pointing hand, buttons, name-list frames, sub-choice overlays and
// the farewell window's button, each under the file name the forms look up.
void write_design_pictures(std::string const& folder);

namespace design {
constexpr int screen_width = 800;
constexpr int screen_height = 600;
}
