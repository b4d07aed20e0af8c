#include "ActivityPictures.h"

#include "activities/ActivityCatalogue.h"
#include "platform/Files.h"
#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"

#include <algorithm>
#include <optional>

namespace {

enum class Source { menu, thinking, perception };

struct Look {
    std::string_view zone;
    std::uint32_t colour;
    Source source;
    int x, y, w, h;
};

// By the activity's zone: the colour of the menu item it sits under, and
// where its picture is cut: the item's hot zone on the menu without its
// printed name, or its half of the overlay.
Look const looks[] = {
    { "Image1", platform::rgb(221, 64, 64), Source::menu, 58, 208, 149, 112 },
    { "denke_but2", platform::rgb(240, 140, 30), Source::thinking, 114, 0, 106, 110 },
    { "denke_but1", platform::rgb(240, 140, 30), Source::thinking, 0, 0, 110, 110 },
    { "Image3", platform::rgb(45, 120, 225), Source::menu, 450, 208, 165, 112 },
    { "Image6", platform::rgb(140, 80, 200), Source::menu, 50, 378, 157, 130 },
    { "Image5", platform::rgb(225, 85, 150), Source::menu, 234, 384, 181, 120 },
    { "persepsie_but2", platform::rgb(60, 165, 75), Source::perception, 114, 0, 106, 110 },
    { "persepsie_but1", platform::rgb(60, 165, 75), Source::perception, 0, 0, 110, 110 },
};

std::optional<std::vector<std::uint8_t>> source_data(Source source, std::string const& install_folder, bool afrikaans)
{
    if (source == Source::menu)
        return platform::files::read_all(
            platform::files::with_slash(install_folder) + "menu/m_14" + (afrikaans ? "a" : "e") + ".jpg");
    auto stored = resources::stored_picture(source == Source::thinking ? "denke_ovr.png" : "persepsie_ovr.png");
    return std::vector<std::uint8_t>(stored.begin(), stored.end());
}

platform::Bitmap decoded(std::vector<std::uint8_t> const& data)
{
    try {
        return platform::decode_picture(data);
    } catch (platform::DecodeError const&) {
    }
    return {};
}

}

ActivityPictures activity_pictures(std::string const& install_folder, bool afrikaans)
{
    std::array<platform::Bitmap, 3> sources;
    for (Source source : { Source::menu, Source::thinking, Source::perception })
        if (auto data = source_data(source, install_folder, afrikaans))
            sources[int(source)] = decoded(*data);
    ActivityPictures pictures;
    for (Look const& cut : looks) {
        int const slot = activity_catalogue::row_of(cut.zone)->slot;
        platform::Bitmap const& whole = sources[int(cut.source)];
        // A picture smaller than expected gives what it has.
        int const w = std::min(cut.w, whole.width - cut.x), h = std::min(cut.h, whole.height - cut.y);
        if (w <= 0 || h <= 0)
            continue;
        pictures[slot] = platform::Bitmap(w, h, 0);
        pictures[slot].copy_from(whole, cut.x, cut.y, w, h, 0, 0);
    }
    return pictures;
}

std::uint32_t activity_colour(int slot)
{
    auto const* row = activity_catalogue::row_of_slot(slot);
    auto const look = std::ranges::find(looks, row->component, &Look::zone);
    return look == std::end(looks) ? platform::rgb(110, 110, 130) : look->colour;
}
