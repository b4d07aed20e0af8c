#pragma once

#include "framework/TPicture.h"
#include "resources/StoredPictures.h"

#include <string_view>

namespace resources {

// Loads a picture stored with the design (decoded when first drawn); a name
// that was not stored leaves `picture` as it is.
inline void load_stored(TPicture& picture, std::string_view name)
{
    auto data = stored_picture(name);
    if (!data.empty())
        picture.load_lasting_data(data);
}

}
