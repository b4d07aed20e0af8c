#pragma once

#include "activities/ActivityCatalogue.h"
#include "platform/Bitmap.h"

#include <array>
#include <string>

// The picture a child knows an activity by: cut from the menu screen of the
// language (the items) or from the overlay of its sub-choices, at the slot's
// index (0 and the report's stay empty). A picture is empty when its source
// is missing or cannot be decoded.
using ActivityPictures = std::array<platform::Bitmap, activity_catalogue::highest_slot + 1>;
ActivityPictures activity_pictures(std::string const& install_folder, bool afrikaans);
