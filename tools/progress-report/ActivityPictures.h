#pragma once

#include "platform/Bitmap.h"

#include <array>
#include <string>

// The picture a child knows an activity by: cut from the menu screen of the
// language (slots 1, 4, 5, 6) or from the overlay of its sub-choices (slots
// 2, 3, 7, 8), at the slot's index (0 and the report's 9 stay empty). A
// picture is empty when its source is missing or cannot be decoded.
std::array<platform::Bitmap, 10> activity_pictures(std::string const& install_folder, bool afrikaans);
