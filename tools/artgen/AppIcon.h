#pragma once

#include <string>

// The program's icon for the desktop's menus: the mascot waving on a sky
// tile. Writes the hicolor theme's folders under `folder`: NxN/apps/NAME.png
// for 48, 64, 128 and 256 pixels and scalable/apps/NAME.svg.
void write_app_icons(std::string const& folder, std::string const& name);
