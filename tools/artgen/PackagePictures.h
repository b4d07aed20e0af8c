#pragma once

#include <string>

// The pictures of the install folder: the screens under menu/, the mascot's
// frames under mascot/ and the farewell pictures beside them.
void write_screen_pictures(std::string const& package);
void write_mascot_frames(std::string const& package);
void write_farewell_pictures(std::string const& package);
