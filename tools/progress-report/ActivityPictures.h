#pragma once

#include "activities/ActivityCatalogue.h"
#include "platform/Bitmap.h"

#include <array>
#include <cstdint>
#include <string>

// The picture a child knows an activity by: cut from the menu screen of the
// language (the items) or from the overlay of its sub-choices, at the slot's
// index (0 and the report's stay empty). A picture is empty when its source
// is missing or cannot be decoded.
using ActivityPictures = std::array<platform::Bitmap, activity_catalogue::highest_slot + 1>;
ActivityPictures activity_pictures(std::string const& install_folder, bool afrikaans);

// The colour of the menu item an activity sits under; grey for one that has
// no look of its own.
std::uint32_t activity_colour(int slot);
